// The ".txt" name rule and the encoding decisions of the text-file window.
#include "fuzz_input.h"
#include "textfile/txt_rules.h"

namespace {

bool Contains(const std::string& bytes, unsigned char first, unsigned char low, unsigned char high) {
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        if (a == first && b >= low && b <= high) return true;
    }
    return false;
}

void CheckDetection(const std::string& bytes) {
    using E = txt::FileEncoding;
    const E encoding = txt::DetectEncoding(bytes);
    if (bytes.compare(0, 3, txt::kUtf8Bom) == 0) FUZZ_CHECK(encoding == E::Utf8Bom);
    else if (bytes.compare(0, 4, txt::kUtf32LEBom) == 0) FUZZ_CHECK(encoding == E::Utf32LE);
    else if (bytes.compare(0, 4, txt::kUtf32BEBom) == 0) FUZZ_CHECK(encoding == E::Utf32BE);
    else if (bytes.compare(0, 2, txt::kUtf16LEBom) == 0) FUZZ_CHECK(encoding == E::Utf16LE);
    else if (bytes.compare(0, 2, txt::kUtf16BEBom) == 0) FUZZ_CHECK(encoding == E::Utf16BE);
    else FUZZ_CHECK(encoding == E::Ansi || encoding == E::Utf8);
    if (encoding != E::Ansi && encoding != E::Utf8) return;

    bool high = false, neverUtf8 = false;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        high = high || b >= 0x80;
        neverUtf8 = neverUtf8 || b == 0xC0 || b == 0xC1 || b >= 0xF5;
    }
    FUZZ_CHECK(encoding == E::Ansi || high);
    if (encoding != E::Utf8) {
        // Text that is not UTF-8 stays so behind a good sequence; ASCII turns UTF-8.
        FUZZ_CHECK(txt::DetectEncoding(bytes + "\xC3\xA9") == (high ? E::Ansi : E::Utf8));
        return;
    }
    // Overlong forms, surrogates and code points above U+10FFFF are never UTF-8.
    FUZZ_CHECK(!neverUtf8);
    FUZZ_CHECK(!Contains(bytes, 0xE0, 0x80, 0x9F) && !Contains(bytes, 0xED, 0xA0, 0xBF));
    FUZZ_CHECK(!Contains(bytes, 0xF0, 0x80, 0x8F) && !Contains(bytes, 0xF4, 0x90, 0xBF));
    FUZZ_CHECK(txt::DetectEncoding(bytes + bytes) == E::Utf8);
    // A UTF-8 text that ends in a multi-byte sequence, cut by one byte.
    if (static_cast<unsigned char>(bytes.back()) >= 0x80)
        FUZZ_CHECK(txt::DetectEncoding(std::string_view(bytes).substr(0, bytes.size() - 1)) == E::Ansi);
}

void CheckUtf16(const std::string& bytes, bool bigEndian) {
    const std::u16string units = txt::Utf16Units(bytes, bigEndian);
    FUZZ_CHECK(units.size() == (bytes.size() + 1) / 2);
    const std::string back = txt::Utf16Bytes(units, bigEndian);
    if (bytes.size() % 2 == 0) {
        FUZZ_CHECK(back == bytes);
    } else {
        FUZZ_CHECK(units.back() == u'\uFFFD');
        FUZZ_CHECK(back.compare(0, bytes.size() - 1, bytes, 0, bytes.size() - 1) == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const auto pick = input.Take<std::uint8_t>();
    const bool bigEndian = pick & 1;
    const auto ansi = static_cast<txt::AnsiForm>((pick >> 1) % 3);
    const std::string name = input.Rest();

    const std::string named = txt::WithTxtEnding(name);
    FUZZ_CHECK(txt::EndsInTxt(named));
    FUZZ_CHECK(named == (txt::EndsInTxt(name) ? name : name + ".txt"));
    FUZZ_CHECK(txt::WithTxtEnding(named) == named);  // applying the rule twice changes nothing
    if (name.size() < 3) FUZZ_CHECK(!txt::EndsInTxt(name));
    // The name rule never turns a device into a file or a file into a device.
    const auto units = [](const std::string& s) {
        std::u16string u;
        for (const unsigned char c : s) u += static_cast<char16_t>(c);
        return u;
    };
    FUZZ_CHECK(txt::NamesDevice(units(name)) == txt::NamesDevice(units(named)));

    const std::string& file = name;
    CheckDetection(file);
    CheckUtf16(file, bigEndian);
    using A = txt::AppendEncoding;
    const A append = txt::ChooseAppendEncoding(file, ansi);
    const bool wholeUnits = file.size() % 2 == 0;
    switch (txt::DetectEncoding(file)) {
    case txt::FileEncoding::Utf8Bom:
    case txt::FileEncoding::Utf8:
        FUZZ_CHECK(append == A::Utf8);
        break;
    case txt::FileEncoding::Utf16LE:
        FUZZ_CHECK(append == (wholeUnits ? A::Utf16LE : A::Broken));
        break;
    case txt::FileEncoding::Utf16BE:
        FUZZ_CHECK(append == (wholeUnits ? A::Utf16BE : A::Broken));
        break;
    case txt::FileEncoding::Utf32LE:
        FUZZ_CHECK(append == (file.size() % 4 == 0 ? A::Utf32LE : A::Broken));
        break;
    case txt::FileEncoding::Utf32BE:
        FUZZ_CHECK(append == (file.size() % 4 == 0 ? A::Utf32BE : A::Broken));
        break;
    case txt::FileEncoding::Ansi:
        FUZZ_CHECK(append == (file.empty()                          ? A::AsNewFile
                              : ansi == txt::AnsiForm::ReadsBack    ? A::Ansi
                              : txt::IsAscii(file)                  ? A::Utf8
                                                                    : A::Refuse));
        break;
    }
    FUZZ_CHECK(txt::StartsWithUtf8Bom(file) == (file.compare(0, 3, txt::kUtf8Bom) == 0));
    FUZZ_CHECK(txt::ChooseWriteEncoding(ansi) ==
               (ansi == txt::AnsiForm::ReadsBack ? txt::WriteEncoding::Ansi : txt::WriteEncoding::Utf8WithBom));
    return 0;
}
