// Values read back from the registry: the text rule, colour ids and program paths.
#include <charconv>

#include "fuzz_input.h"
#include "note/note_colors.h"
#include "note/program_location.h"
#include "platform/registry_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string in(reinterpret_cast<const char*>(data), size);
    const std::string text = modRegistry::RegBufferToText(in);
    FUZZ_CHECK(text.find('\0') == std::string::npos);
    FUZZ_CHECK(in.compare(0, text.size(), text) == 0);
    FUZZ_CHECK(text.size() == in.size() || in[text.size()] == '\0');

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
