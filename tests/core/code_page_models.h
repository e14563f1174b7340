#pragma once
// Stand-ins for the system's ANSI conversions, for the handle-free text-file
// rules: Windows-1252, Windows-1251 (bytes 80 to FF by table; a byte the code
// page leaves undefined maps to the C1 control of its value, as Windows does)
// and UTF-8 as the system code page (65001).
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "textfile/note_text_codec.h"

namespace cpmodel {

class SingleByte final : public txt::CodePage {
public:
    explicit SingleByte(const std::array<char16_t, 128>& high) : high_(high) {}
    std::optional<std::string> Encode(std::u16string_view text) const override {
        std::string bytes;
        for (const char16_t c : text) {
            if (c < 0x80) {
                bytes.push_back(static_cast<char>(c));
                continue;
            }
            size_t i = 0;
            while (i < high_.size() && high_[i] != c) ++i;
            if (i == high_.size()) return std::nullopt;
            bytes.push_back(static_cast<char>(0x80 + i));
        }
        return bytes;
    }
    std::u16string Decode(std::string_view bytes) const override {
        std::u16string text;
        for (const char b : bytes) {
            const auto byte = static_cast<unsigned char>(b);
            text.push_back(byte < 0x80 ? byte : high_[byte - 0x80]);
        }
        return text;
    }

private:
    const std::array<char16_t, 128>& high_;
};

class Utf8 final : public txt::CodePage {
public:
    std::optional<std::string> Encode(std::u16string_view text) const override {
        std::string bytes = txt::Utf8Bytes(text);
        if (txt::Utf8Units(bytes) != text) return std::nullopt;  // a lone surrogate
        return bytes;
    }
    std::u16string Decode(std::string_view bytes) const override { return txt::Utf8Units(bytes); }
};

// Bytes 80 to FF: Windows-1252 is Latin-1 but for 80 to 9F.
inline const std::array<char16_t, 128> kHigh1252 = [] {
    std::array<char16_t, 128> t{};
    const char16_t c1[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                             0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                             0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    for (size_t i = 0; i < 128; ++i) t[i] = i < 32 ? c1[i] : static_cast<char16_t>(0x80 + i);
    return t;
}();

// Windows-1251: 80 to BF by table, C0 to FF the Cyrillic letters U+0410 to U+044F.
inline const std::array<char16_t, 128> kHigh1251 = [] {
    std::array<char16_t, 128> t{};
    const char16_t low[64] = {
        0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
        0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
        0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
        0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
        0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};
    for (size_t i = 0; i < 128; ++i) t[i] = i < 64 ? low[i] : static_cast<char16_t>(0x0410 + i - 64);
    return t;
}();

inline const SingleByte kCp1252{kHigh1252};
inline const SingleByte kCp1251{kHigh1251};
inline const Utf8 kCpUtf8;

}  // namespace cpmodel
