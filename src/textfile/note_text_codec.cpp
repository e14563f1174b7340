#include "textfile/note_text_codec.h"

#include "textfile/text_lines.h"
#include "platform/text/ansi_text.h"

namespace txt {

namespace {

// The note's wide text is UTF-16 on Windows: its units are the file's units.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

struct Narrowed {
    std::string ansi;
    bool fits = false;
};

Narrowed ToAnsiIfItFits(std::wstring_view text) {
    Narrowed result;
    bool lossy = false;
    result.ansi = ui::ToAnsi(text, &lossy);
    // No bytes for a non-empty text means the conversion itself failed.
    result.fits = !lossy && (text.empty() || !result.ansi.empty());
    return result;
}

// The file's line break comes after the converted text: CR LF reads the same in
// ANSI and UTF-8, and the note's text is not copied once more to add it.
std::string WithLineBreak(std::string bytes) {
    bytes += "\r\n";
    return bytes;
}

}  // namespace

std::string EncodeNoteForNewFile(std::wstring_view noteText) {
    Narrowed narrowed = ToAnsiIfItFits(noteText);
    if (txt::ChooseWriteEncoding(narrowed.fits) == txt::WriteEncoding::Ansi)
        return WithLineBreak(std::move(narrowed.ansi));
    return WithLineBreak(std::string(txt::kUtf8Bom) + ui::ToUtf8(noteText));
}

AppendBytes EncodeNoteForAppend(std::wstring_view noteText, std::string_view fileBytes) {
    Narrowed narrowed = ToAnsiIfItFits(noteText);
    AppendBytes result{txt::ChooseAppendEncoding(fileBytes, narrowed.fits), {}};
    switch (result.encoding) {
    case txt::AppendEncoding::Ansi:
        result.bytes = WithLineBreak(std::move(narrowed.ansi));
        break;
    case txt::AppendEncoding::Utf8:
        result.bytes = WithLineBreak(ui::ToUtf8(noteText));
        break;
    case txt::AppendEncoding::Utf16LE:
    case txt::AppendEncoding::Utf16BE: {
        std::u16string units(noteText.begin(), noteText.end());
        units += u"\r\n";  // the line break as UTF-16 units too
        result.bytes = txt::Utf16Bytes(units, result.encoding == txt::AppendEncoding::Utf16BE);
        break;
    }
    case txt::AppendEncoding::AsNewFile:
        result.bytes = EncodeNoteForNewFile(noteText);
        break;
    case txt::AppendEncoding::Refuse:
    case txt::AppendEncoding::Broken:
        break;
    }
    return result;
}

std::wstring DecodeTextFile(std::string_view bytes) {
    const txt::FileEncoding encoding = txt::DetectEncoding(bytes);
    const std::string_view body = bytes.substr(txt::BomOf(encoding).size());
    std::wstring wide;
    switch (encoding) {
    case txt::FileEncoding::Utf16LE:
    case txt::FileEncoding::Utf16BE: {
        const std::u16string units = txt::Utf16Units(body, encoding == txt::FileEncoding::Utf16BE);
        wide.assign(units.begin(), units.end());
        break;
    }
    case txt::FileEncoding::Utf8Bom:
    case txt::FileEncoding::Utf8:
        wide = ui::FromUtf8(body);
        break;
    case txt::FileEncoding::Ansi:
        wide = ui::FromAnsi(body);
        break;
    }
    return lines::JoinFileLines(std::wstring_view(wide));
}

}  // namespace txt
