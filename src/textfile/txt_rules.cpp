#include "textfile/txt_rules.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/text/ascii.h"

namespace txt {

namespace {

// How long the UTF-8 sequence that starts at `i` should be, and how many of
// its bytes are right: overlong forms, surrogates (U+D800 to U+DFFF), code
// points above U+10FFFF and cut sequences are not UTF-8.
struct Utf8Start {
    size_t wanted = 0, good = 0;  // a byte that starts no sequence: 0 wanted, 1 good (the byte to skip)
    bool Whole() const { return wanted != 0 && good == wanted; }
};

Utf8Start Utf8StartAt(std::string_view bytes, size_t i) {
    const auto at = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80) return {1, 1};
    // The lead byte narrows the second byte's range; the others are 80 to BF.
    unsigned char low = 0x80, high = 0xBF;
    size_t wanted = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        wanted = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        wanted = 3;
        if (lead == 0xE0) low = 0xA0;   // below U+0800 would be overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        wanted = 4;
        if (lead == 0xF0) low = 0x90;   // below U+10000 would be overlong
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        return {0, 1};
    }
    size_t good = 1;
    while (good < wanted && i + good < bytes.size()) {
        const unsigned char next = at(i + good);
        if (good == 1 ? next < low || next > high : (next & 0xC0) != 0x80) break;
        ++good;
    }
    return {wanted, good};
}

size_t Utf8SequenceAt(std::string_view bytes, size_t i) {
    const Utf8Start start = Utf8StartAt(bytes, i);
    return start.Whole() ? start.wanted : 0;
}

void AppendCodePoint(std::u16string& units, char32_t value) {
    if (value < 0x10000) {
        units.push_back(static_cast<char16_t>(value));
    } else {
        value -= 0x10000;
        units.push_back(static_cast<char16_t>(0xD800 + (value >> 10)));
        units.push_back(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
    }
}

// The code point at `i` (a surrogate pair is one), stepping past it; a lone
// surrogate is itself.
char32_t NextCodePoint(std::u16string_view units, size_t& i) {
    const char16_t unit = units[i++];
    if (unit < 0xD800 || unit > 0xDFFF) return unit;
    if (unit <= 0xDBFF && i < units.size() && units[i] >= 0xDC00 && units[i] <= 0xDFFF)
        return 0x10000 + ((static_cast<char32_t>(unit - 0xD800) << 10) | (units[i++] - 0xDC00));
    return unit;
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

bool NamesDevice(std::u16string_view path) {
    std::u16string_view name = path.substr(path.find_last_of(u"\\/") + 1);
    name = name.substr(0, name.find_first_of(u".:"));  // "nul:" and "nul.txt" are the device too
    while (name.ends_with(u' ')) name.remove_suffix(1);
    std::u16string lower(name);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    for (const std::u16string_view device : {u"con", u"prn", u"aux", u"nul", u"conin$", u"conout$"})
        if (lower == device) return true;
    if (lower.size() != 4 || !(lower.starts_with(u"com") || lower.starts_with(u"lpt"))) return false;
    const char16_t digit = lower[3];
    return (digit >= u'1' && digit <= u'9') || digit == u'\u00b9' || digit == u'\u00b2' || digit == u'\u00b3';
}

bool StartsWithUtf8Bom(std::string_view bytes) { return bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom; }

FileEncoding DetectEncoding(std::string_view bytes) {
    if (StartsWithUtf8Bom(bytes)) return FileEncoding::Utf8Bom;
    if (bytes.starts_with(kUtf32LEBom)) return FileEncoding::Utf32LE;
    if (bytes.starts_with(kUtf32BEBom)) return FileEncoding::Utf32BE;
    if (bytes.starts_with(kUtf16LEBom)) return FileEncoding::Utf16LE;
    if (bytes.starts_with(kUtf16BEBom)) return FileEncoding::Utf16BE;
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
    case FileEncoding::Utf32LE:
        return kUtf32LEBom;
    case FileEncoding::Utf32BE:
        return kUtf32BEBom;
    case FileEncoding::Ansi:
    case FileEncoding::Utf8:
        break;
    }
    return {};
}

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
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

std::u16string Utf32Units(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    units.reserve(bytes.size() / 4 + 1);
    for (size_t i = 0; i + 3 < bytes.size(); i += 4) {
        char32_t value = 0;
        for (size_t k = 0; k < 4; ++k)
            value |= static_cast<char32_t>(static_cast<unsigned char>(bytes[i + k])) << (8 * (bigEndian ? 3 - k : k));
        AppendCodePoint(units, value > 0x10FFFF ? 0xFFFD : value);
    }
    if (bytes.size() % 4 != 0) units.push_back(u'\uFFFD');
    return units;
}

std::string Utf32Bytes(std::u16string_view units, bool bigEndian) {
    std::string bytes;
    bytes.reserve(units.size() * 4);
    for (size_t i = 0; i < units.size();) {
        const char32_t value = NextCodePoint(units, i);
        for (size_t k = 0; k < 4; ++k) bytes.push_back(static_cast<char>(value >> (8 * (bigEndian ? 3 - k : k))));
    }
    return bytes;
}

std::u16string Utf8Units(std::string_view bytes) {
    std::u16string units;
    units.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const size_t length = Utf8SequenceAt(bytes, i);
        if (length == 0) {
            // One U+FFFD for each broken sequence, as far as its bytes were right.
            units.push_back(u'\uFFFD');
            i += Utf8StartAt(bytes, i).good;
            continue;
        }
        const auto lead = static_cast<unsigned char>(bytes[i]);
        char32_t value = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) value = (value << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
        AppendCodePoint(units, value);
        i += length;
    }
    return units;
}

bool HasLoneSurrogate(std::u16string_view units) {
    for (size_t i = 0; i < units.size();) {
        const char32_t value = NextCodePoint(units, i);
        if (value >= 0xD800 && value <= 0xDFFF) return true;
    }
    return false;
}

std::string Utf8Bytes(std::u16string_view units) {
    std::string bytes;
    AppendUtf8(units, bytes);
    return bytes;
}

namespace {

// The end of the run of ASCII units from `from`, looked at four units at a time.
const char16_t* AsciiRunEnd(const char16_t* from, const char16_t* end) {
    while (end - from >= 4) {
        std::uint64_t four;
        std::memcpy(&four, from, sizeof four);
        if (four & 0xFF80FF80FF80FF80u) break;
        from += 4;
    }
    while (from != end && *from < 0x80) ++from;
    return from;
}

}  // namespace

size_t Utf8Length(std::u16string_view units) {
    size_t length = units.size();
    const char16_t* from = units.data();
    const char16_t* const end = from + units.size();
    while ((from = AsciiRunEnd(from, end)) != end) {
        const char16_t unit = *from++;
        if (unit < 0x800) {
            length += 1;
        } else if (unit >= 0xD800 && unit <= 0xDBFF && from != end && *from >= 0xDC00 && *from <= 0xDFFF) {
            length += 2;  // a pair: four bytes for two units
            ++from;
        } else {
            length += 2;  // three bytes, as a lone surrogate's U+FFFD takes
        }
    }
    return length;
}

void AppendUtf8(std::u16string_view units, std::string& out) {
    // Room for ASCII alone first; the rest is counted only once a character of
    // more bytes turns up.
    const size_t start = out.size();
    out.resize(start + units.size());
    char* to = out.data() + start;
    const char16_t* from = units.data();
    const char16_t* const end = from + units.size();
    const auto put = [&to](unsigned value) { *to++ = static_cast<char>(value); };
    const auto copyAscii = [&] {
        for (const char16_t* run = AsciiRunEnd(from, end); from != run; ++from) put(*from);
        return from != end;
    };
    if (!copyAscii()) return;
    const size_t done = static_cast<size_t>(to - out.data());
    out.resize(done + Utf8Length(units.substr(static_cast<size_t>(from - units.data()))));
    to = out.data() + done;
    do {
        char32_t value = *from++;
        if (value >= 0xD800 && value <= 0xDFFF) {
            // A pair is one code point; a lone surrogate, which UTF-8 cannot hold, goes out as U+FFFD.
            if (value <= 0xDBFF && from != end && *from >= 0xDC00 && *from <= 0xDFFF)
                value = 0x10000 + ((value - 0xD800) << 10) + (*from++ - 0xDC00);
            else
                value = 0xFFFD;
        }
        if (value < 0x800) {
            put(0xC0 | (value >> 6));
            put(0x80 | (value & 0x3F));
        } else if (value < 0x10000) {
            put(0xE0 | (value >> 12));
            put(0x80 | ((value >> 6) & 0x3F));
            put(0x80 | (value & 0x3F));
        } else {
            put(0xF0 | (value >> 18));
            put(0x80 | ((value >> 12) & 0x3F));
            put(0x80 | ((value >> 6) & 0x3F));
            put(0x80 | (value & 0x3F));
        }
    } while (copyAscii());
}

WriteEncoding ChooseWriteEncoding(AnsiForm ansi) {
    return ansi == AnsiForm::ReadsBack ? WriteEncoding::Ansi : WriteEncoding::Utf8WithBom;
}

AppendEncoding ChooseAppendEncoding(std::string_view fileBytes, AnsiForm ansi) {
    if (fileBytes.empty()) return AppendEncoding::AsNewFile;
    // After the mark a file is whole units only: an odd UTF-16 or a cut UTF-32 file ends inside one.
    const auto whole = [&](size_t unit, AppendEncoding encoding) {
        return fileBytes.size() % unit == 0 ? encoding : AppendEncoding::Broken;
    };
    switch (DetectEncoding(fileBytes)) {
    case FileEncoding::Utf8Bom:
    case FileEncoding::Utf8:
        return AppendEncoding::Utf8;
    case FileEncoding::Utf16LE:
        return whole(2, AppendEncoding::Utf16LE);
    case FileEncoding::Utf16BE:
        return whole(2, AppendEncoding::Utf16BE);
    case FileEncoding::Utf32LE:
        return whole(4, AppendEncoding::Utf32LE);
    case FileEncoding::Utf32BE:
        return whole(4, AppendEncoding::Utf32BE);
    case FileEncoding::Ansi:
        break;
    }
    if (ansi == AnsiForm::ReadsBack) return AppendEncoding::Ansi;
    return IsAscii(fileBytes) ? AppendEncoding::Utf8 : AppendEncoding::Refuse;
}

}  // namespace txt
