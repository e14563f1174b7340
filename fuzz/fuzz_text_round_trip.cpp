// The text round trip: random notes written into random existing files of each
// encoding (new, saved over, appended) read back, by the open rule, as exactly
// the text written (for an append: the file's old text followed by the note's),
// under Windows-1252, Windows-1251 and UTF-8 as the system's code page.
#include "../tests/core/code_page_models.h"
#include "fuzz_input.h"
#include "textfile/note_text_codec.h"

namespace {

// A note's characters from the fuzzer's bytes: ASCII, the code pages' letters
// and signs, other BMP characters, characters beyond it and lone surrogates
// (opened from a UTF-16 file). No NUL: the note shows one as U+2400.
std::u16string NoteText(FuzzInput& input, size_t count) {
    static const char16_t kSigns[] = {u'\r', u'\n', 0x00D7, 0x00BD, 0x0415, 0x0451, 0x20AC, 0x00EF, 0x00BB,
                                      0x00BF, 0x00FF, 0x00FE, 0x05FD, 0x0178, 0x2400, 0xFEFF, 0xFFFD};
    std::u16string text;
    for (size_t i = 0; i < count; ++i) {
        const auto v = input.Take<std::uint16_t>();
        switch (v % 6) {
        case 0: text.push_back(static_cast<char16_t>(0x20 + (v >> 3) % 0x5F)); break;
        case 1: text.push_back(kSigns[(v >> 3) % std::size(kSigns)]); break;
        case 2: text.push_back(static_cast<char16_t>(0xA0 + (v >> 3) % 0x60)); break;
        case 3: text.push_back(static_cast<char16_t>(0x0400 + (v >> 3) % 0x60)); break;
        case 4: text.push_back(static_cast<char16_t>(0x80 + (v >> 3) * 7 % 0xFF80)); break;
        default: {
            const char32_t c = 0x10000 + (static_cast<char32_t>(v >> 3) << 7);
            text.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
        }
    }
    return text;
}

const txt::CodePage& CodePageOf(std::uint8_t pick) {
    switch (pick % 3) {
    case 0: return cpmodel::kCp1252;
    case 1: return cpmodel::kCp1251;
    default: return cpmodel::kCpUtf8;
    }
}

// An existing file: a mark of each kind (or none) before raw bytes, or a UTF-8 text.
std::string ExistingFile(std::uint8_t kind, FuzzInput& input, size_t rawSize) {
    std::string raw;
    for (size_t i = 0; i < rawSize; ++i) raw.push_back(static_cast<char>(input.Take<std::uint8_t>()));
    switch (kind % 8) {
    case 0: return {};
    case 1: return raw;  // ANSI, ASCII or UTF-8 as its bytes fall
    case 2: return std::string(txt::kUtf8Bom) + raw;
    case 3: return std::string(txt::kUtf16LEBom) + raw;
    case 4: return std::string(txt::kUtf16BEBom) + raw;
    case 5: return std::string(txt::kUtf32LEBom) + raw;
    case 6: return std::string(txt::kUtf32BEBom) + raw;
    default: return txt::Utf8Bytes(NoteText(input, rawSize / 2));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const txt::CodePage& cp = CodePageOf(input.Take<std::uint8_t>());
    const auto kind = input.Take<std::uint8_t>();
    const auto sizes = input.Take<std::uint8_t>();
    const std::string file = ExistingFile(kind, input, sizes & 0x1F);
    const std::u16string note = NoteText(input, sizes >> 4);
    const std::u16string written = note + u"\r\n";
    const std::optional<std::string> ansi = cp.Encode(written);
    using txt::FileEncoding;

    // A new file: the ANSI bytes wherever they read back, else UTF-8 behind a
    // mark; nothing where UTF-8 cannot hold the text either.
    const bool lone = txt::Utf8Units(txt::Utf8Bytes(written)) != written;  // a lone surrogate
    const std::optional<std::string> fresh = txt::EncodeNoteForNewFile(note, cp);
    if (fresh) FUZZ_CHECK(txt::DecodeFileText(*fresh, cp) == written);
    if (ansi && txt::DecodeFileText(*ansi, cp) == written) FUZZ_CHECK(fresh == *ansi);
    else if (lone) FUZZ_CHECK(!fresh);
    else FUZZ_CHECK(fresh == std::string(txt::kUtf8Bom) + txt::Utf8Bytes(written));

    // Saved over: in the file's own encoding, an ANSI or empty file, or a UTF-8
    // one that cannot hold the text, as a new one.
    const FileEncoding before = txt::DetectEncoding(file);
    const bool utf8File = before == FileEncoding::Utf8 || before == FileEncoding::Utf8Bom;
    const std::optional<std::string> over = txt::EncodeNoteForOverwrite(note, file, cp);
    if (over) FUZZ_CHECK(txt::DecodeFileText(*over, cp) == written);
    if (before == FileEncoding::Ansi || (utf8File && lone)) FUZZ_CHECK(over == fresh);
    // (A note that starts with U+FEFF would read as a mark there: it is written as a new file.)
    else if (before == FileEncoding::Utf8) FUZZ_CHECK(over == txt::Utf8Bytes(written) || note.starts_with(u'\uFEFF'));
    else FUZZ_CHECK(over && txt::DetectEncoding(*over) == before);

    // Appended: the old text and the note's, or refused with the file as it was.
    const txt::AppendBytes append = txt::EncodeNoteForAppend(note, file, cp);
    const std::u16string old = txt::DecodeFileText(file, cp);
    switch (append.encoding) {
    case txt::AppendEncoding::Broken:
        FUZZ_CHECK(before == FileEncoding::Utf16LE || before == FileEncoding::Utf16BE ||
                   before == FileEncoding::Utf32LE || before == FileEncoding::Utf32BE);
        FUZZ_CHECK(append.bytes.empty());
        break;
    case txt::AppendEncoding::Refuse:
        // Only a lone surrogate where UTF-8 or ANSI bytes would go, or an ANSI
        // file with more than ASCII, where the ANSI bytes do not read back.
        FUZZ_CHECK(append.bytes.empty());
        FUZZ_CHECK((lone && (before == FileEncoding::Ansi || utf8File)) ||
                   (before == FileEncoding::Ansi && !txt::IsAscii(file)));
        FUZZ_CHECK(!ansi || txt::DecodeFileText(file + *ansi, cp) != old + written);
        break;
    case txt::AppendEncoding::AsNewFile:
        FUZZ_CHECK(file.empty() && append.bytes == fresh);
        break;
    default:
        FUZZ_CHECK(!file.empty());
        FUZZ_CHECK(txt::DecodeFileText(file + append.bytes, cp) == old + written);
    }
    return 0;
}
