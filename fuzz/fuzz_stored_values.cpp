// Values read back from the registry: colour ids and program paths.
#include <charconv>

#include "fuzz_input.h"
#include "note/note_colors.h"
#include "note/program_location.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    if (const auto id = note::ParseColorId(text)) {
        // A number is only accepted in its plain decimal form (a leading zero or minus aside).
        std::int64_t wide = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), wide);
        FUZZ_CHECK(ec == std::errc{} && end == text.data() + text.size() && wide == *id);
        const ColorRef color = note::ColorOfMenuId(*id);
        FUZZ_CHECK((color & 0xFF000000u) == 0);
    }
    const bool names = note::NamesProgram(text);
    std::string upper = text;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    FUZZ_CHECK(note::NamesProgram(upper) == names);
    return 0;
}
