#include "textfile/note_text_codec.h"

#include <algorithm>

#include "textfile/text_lines.h"

namespace txt {

namespace {

// The note's text and the file's line break after it.
std::u16string WithLineBreak(std::u16string_view noteText) {
    std::u16string text;
    text.reserve(noteText.size() + 2);
    text.append(noteText);
    text += u"\r\n";
    return text;
}

// The bytes of `text` in a Unicode encoding, without a mark.
std::string UnicodeBytes(FileEncoding encoding, std::u16string_view text) {
    switch (encoding) {
    case FileEncoding::Utf16LE:
    case FileEncoding::Utf16BE:
        return Utf16Bytes(text, encoding == FileEncoding::Utf16BE);
    case FileEncoding::Utf32LE:
    case FileEncoding::Utf32BE:
        return Utf32Bytes(text, encoding == FileEncoding::Utf32BE);
    case FileEncoding::Utf8Bom:
    case FileEncoding::Utf8:
    case FileEncoding::Ansi:
        break;
    }
    return Utf8Bytes(text);
}

bool ReadsBackAs(std::string_view bytes, std::u16string_view text, const CodePage& ansi) {
    return DecodeFileText(bytes, ansi) == text;
}

}  // namespace

std::u16string DecodeFileText(std::string_view bytes, const CodePage& ansi) {
    const FileEncoding encoding = DetectEncoding(bytes);
    const std::string_view body = bytes.substr(BomOf(encoding).size());
    switch (encoding) {
    case FileEncoding::Utf16LE:
    case FileEncoding::Utf16BE:
        return Utf16Units(body, encoding == FileEncoding::Utf16BE);
    case FileEncoding::Utf32LE:
    case FileEncoding::Utf32BE:
        return Utf32Units(body, encoding == FileEncoding::Utf32BE);
    case FileEncoding::Utf8Bom:
    case FileEncoding::Utf8:
        return Utf8Units(body);
    case FileEncoding::Ansi:
        break;
    }
    return ansi.Decode(body);
}

std::u16string ReadTextFile(std::string_view bytes, const CodePage& ansi) {
    std::u16string text = DecodeFileText(bytes, ansi);
    std::replace(text.begin(), text.end(), u'\0', kNulStandIn);
    return lines::JoinFileLines(std::u16string_view(text));
}

std::optional<std::string> EncodeNoteForNewFile(std::u16string_view noteText, const CodePage& ansi) {
    // ASCII is the same bytes in every ANSI code page Windows has, and they read
    // back as they went out (no mark, no UTF-8 sequence): most notes need
    // neither the conversion nor the check.
    if (Utf8Length(noteText) == noteText.size()) {
        std::string bytes;
        bytes.reserve(noteText.size() + 2);
        AppendUtf8(noteText, bytes);
        bytes += "\r\n";
        return bytes;
    }
    const std::u16string text = WithLineBreak(noteText);
    std::optional<std::string> bytes = ansi.Encode(text);
    const AnsiForm form = !bytes                               ? AnsiForm::None
                          : ReadsBackAs(*bytes, text, ansi)    ? AnsiForm::ReadsBack
                                                               : AnsiForm::ReadsOtherwise;
    if (ChooseWriteEncoding(form) == WriteEncoding::Ansi) return bytes;
    // UTF-8 writes a lone surrogate as U+FFFD: a file that would read back otherwise is not written.
    if (HasLoneSurrogate(text)) return std::nullopt;
    return std::string(kUtf8Bom) + Utf8Bytes(text);
}

std::optional<std::string> EncodeNoteForOverwrite(std::u16string_view noteText, std::string_view fileBytes,
                                                  const CodePage& ansi) {
    const FileEncoding encoding = DetectEncoding(fileBytes);
    if (encoding == FileEncoding::Ansi) return EncodeNoteForNewFile(noteText, ansi);
    const std::u16string text = WithLineBreak(noteText);
    std::string bytes = std::string(BomOf(encoding)) + UnicodeBytes(encoding, text);
    // A UTF-16 text that starts with a NUL would read as UTF-32, a lone surrogate
    // in UTF-8 as U+FFFD: that file is written as a new one.
    if (ReadsBackAs(bytes, text, ansi)) return bytes;
    return EncodeNoteForNewFile(noteText, ansi);
}

AppendBytes EncodeNoteForAppend(std::u16string_view noteText, std::string_view fileBytes, const CodePage& ansi) {
    const std::u16string text = WithLineBreak(noteText);
    const bool ansiFile = !fileBytes.empty() && DetectEncoding(fileBytes) == FileEncoding::Ansi;
    std::optional<std::string> ansiBytes = ansiFile ? ansi.Encode(text) : std::nullopt;
    AnsiForm form = AnsiForm::None;
    const std::u16string old = DecodeFileText(fileBytes, ansi);
    if (ansiBytes) {
        // Whether the whole file then reads as its old text and the note's: some
        // ANSI bytes are UTF-8, or finish a byte-order mark the file starts.
        form = ReadsBackAs(std::string(fileBytes) + *ansiBytes, old + text, ansi) ? AnsiForm::ReadsBack
                                                                                  : AnsiForm::ReadsOtherwise;
    }
    AppendBytes result{ChooseAppendEncoding(fileBytes, form), {}};
    switch (result.encoding) {
    case AppendEncoding::Ansi:
        result.bytes = std::move(*ansiBytes);
        break;
    case AppendEncoding::Utf8:
        result.bytes = Utf8Bytes(text);
        break;
    case AppendEncoding::Utf16LE:
        result.bytes = Utf16Bytes(text, false);
        break;
    case AppendEncoding::Utf16BE:
        result.bytes = Utf16Bytes(text, true);
        break;
    case AppendEncoding::Utf32LE:
        result.bytes = Utf32Bytes(text, false);
        break;
    case AppendEncoding::Utf32BE:
        result.bytes = Utf32Bytes(text, true);
        break;
    case AppendEncoding::AsNewFile:
        if (std::optional<std::string> fresh = EncodeNoteForNewFile(noteText, ansi)) result.bytes = std::move(*fresh);
        else result.encoding = AppendEncoding::Refuse;
        return result;
    case AppendEncoding::Refuse:
    case AppendEncoding::Broken:
        return result;
    }
    // What no encoding of the file can keep (a lone surrogate in UTF-8, a NUL
    // that would finish a UTF-32 mark) is refused like a character ANSI lacks.
    if (result.encoding != AppendEncoding::Ansi &&
        !ReadsBackAs(std::string(fileBytes) + result.bytes, old + text, ansi))
        result = {AppendEncoding::Refuse, {}};
    return result;
}

}  // namespace txt
