#include "textfile/txt_rules.h"

#include "platform/text/ascii.h"

namespace txt {

namespace {

// The length of the UTF-8 sequence that starts at `i`, or 0 when the bytes
// there are none: overlong forms, surrogates (U+D800 to U+DFFF), code points
// above U+10FFFF and cut sequences are not UTF-8.
size_t Utf8SequenceAt(std::string_view bytes, size_t i) {
    const auto at = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80) return 1;
    size_t length = 0;
    // The lead byte narrows the second byte's range; the others are 80 to BF.
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // below U+0800 would be overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // below U+10000 would be overlong
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() - i < length) return 0;
    if (at(i + 1) < low || at(i + 1) > high) return 0;
    for (size_t k = 2; k < length; ++k)
        if ((at(i + k) & 0xC0) != 0x80) return 0;
    return length;
}

}  // namespace

bool EndsInTxt(std::string_view name) {
    if (name.size() < 3) return false;
    const std::string_view last = name.substr(name.size() - 3);
    return AsciiLower(last[0]) == 't' && AsciiLower(last[1]) == 'x' && AsciiLower(last[2]) == 't';
}

std::string WithTxtEnding(std::string_view name) {
    std::string result(name);
    if (!EndsInTxt(name)) result += ".txt";
    return result;
}

bool StartsWithUtf8Bom(std::string_view bytes) { return bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom; }

FileEncoding DetectEncoding(std::string_view bytes) {
    if (StartsWithUtf8Bom(bytes)) return FileEncoding::Utf8Bom;
    if (bytes.substr(0, 2) == kUtf16LEBom) return FileEncoding::Utf16LE;
    if (bytes.substr(0, 2) == kUtf16BEBom) return FileEncoding::Utf16BE;
    bool multiByte = false;
    for (size_t i = 0; i < bytes.size();) {
        const size_t length = Utf8SequenceAt(bytes, i);
        if (length == 0) return FileEncoding::Ansi;
        multiByte = multiByte || length > 1;
        i += length;
    }
    return multiByte ? FileEncoding::Utf8 : FileEncoding::Ansi;
}

std::string_view BomOf(FileEncoding encoding) {
    switch (encoding) {
    case FileEncoding::Utf8Bom:
        return kUtf8Bom;
    case FileEncoding::Utf16LE:
        return kUtf16LEBom;
    case FileEncoding::Utf16BE:
        return kUtf16BEBom;
    case FileEncoding::Ansi:
    case FileEncoding::Utf8:
        break;
    }
    return {};
}

std::u16string Utf16Units(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    units.reserve((bytes.size() + 1) / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    if (bytes.size() % 2 != 0) units.push_back(u'\uFFFD');
    return units;
}

std::string Utf16Bytes(std::u16string_view units, bool bigEndian) {
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes.push_back(bigEndian ? high : low);
        bytes.push_back(bigEndian ? low : high);
    }
    return bytes;
}

WriteEncoding ChooseWriteEncoding(bool fitsAnsi) {
    return fitsAnsi ? WriteEncoding::Ansi : WriteEncoding::Utf8WithBom;
}

AppendEncoding ChooseAppendEncoding(std::string_view fileBytes, bool fitsAnsi) {
    if (fileBytes.empty()) return AppendEncoding::AsNewFile;
    // The marks are two bytes long, so an odd file ends inside a unit.
    const bool wholeUnits = fileBytes.size() % 2 == 0;
    switch (DetectEncoding(fileBytes)) {
    case FileEncoding::Utf8Bom:
    case FileEncoding::Utf8:
        return AppendEncoding::Utf8;
    case FileEncoding::Utf16LE:
        return wholeUnits ? AppendEncoding::Utf16LE : AppendEncoding::Broken;
    case FileEncoding::Utf16BE:
        return wholeUnits ? AppendEncoding::Utf16BE : AppendEncoding::Broken;
    case FileEncoding::Ansi:
        break;
    }
    return fitsAnsi ? AppendEncoding::Ansi : AppendEncoding::Refuse;
}

}  // namespace txt
