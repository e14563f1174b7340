// The fast UTF-8 conversion gives the bytes of a plain one, code point by code
// point, and its length exactly, for every text: runs of ASCII of any length,
// pairs cut at any place, lone surrogates, and after any bytes already there.
#include <string>

#include "fuzz_input.h"
#include "textfile/txt_rules.h"

namespace {

// One code point at a time, its continuation bytes from the last one back: a
// way of writing UTF-8 other than the one under test.
std::string PlainUtf8(std::u16string_view units) {
    std::string bytes;
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t value = units[i];
        if (value >= 0xD800 && value <= 0xDFFF) {
            const bool pair = value <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
            value = pair ? 0x10000 + ((value - 0xD800) << 10) + (units[++i] - 0xDC00) : 0xFFFD;
        }
        const size_t n = value < 0x80 ? 1 : value < 0x800 ? 2 : value < 0x10000 ? 3 : 4;
        std::string sequence(n, '\0');
        for (size_t k = n - 1; k > 0; --k, value >>= 6) sequence[k] = static_cast<char>(0x80 | (value & 0x3F));
        constexpr unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
        sequence[0] = static_cast<char>(kLead[n] | value);
        bytes += sequence;
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const auto pick = input.Take<std::uint8_t>();
    const std::string raw = input.Rest();
    // Units from byte pairs; the low bits of `pick` make most of them ASCII, as in a note.
    std::u16string units;
    for (size_t i = 0; i + 1 < raw.size(); i += 2) {
        auto unit = static_cast<char16_t>(static_cast<unsigned char>(raw[i]) | static_cast<unsigned char>(raw[i + 1]) << 8);
        if ((pick & 3) != 0 && (unit & 0x0F00) != 0) unit &= 0x7F;
        units.push_back(unit);
    }
    const std::string expected = PlainUtf8(units);
    FUZZ_CHECK(txt::Utf8Length(units) == expected.size());
    FUZZ_CHECK(txt::Utf8Bytes(units) == expected);
    std::string after(pick >> 2, 'x');
    txt::AppendUtf8(units, after);
    FUZZ_CHECK(after == std::string(pick >> 2, 'x') + expected);
    return 0;
}
