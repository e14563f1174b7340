#include "textfile/note_text_codec.h"

#include "platform/text_lines.h"
#include "platform/ui_services.h"
#include "textfile/txt_rules.h"

namespace {

struct Narrowed {
    std::string ansi;
    bool fits = false;
};

Narrowed ToAnsiIfItFits(const std::wstring& text) {
    Narrowed result;
    bool lossy = false;
    result.ansi = ui::ToAnsi(text, &lossy);
    // No bytes for a non-empty text means the conversion itself failed.
    result.fits = !lossy && (text.empty() || !result.ansi.empty());
    return result;
}

}  // namespace

std::string EncodeNoteForNewFile(std::wstring_view noteText) {
    const std::wstring text = std::wstring(noteText) + L"\r\n";
    Narrowed narrowed = ToAnsiIfItFits(text);
    if (txt::ChooseWriteEncoding(narrowed.fits) == txt::WriteEncoding::Ansi) return std::move(narrowed.ansi);
    return std::string(txt::kUtf8Bom) + ui::ToUtf8(text);
}

std::optional<std::string> EncodeNoteForAppend(std::wstring_view noteText, std::string_view fileHead) {
    const std::wstring text = std::wstring(noteText) + L"\r\n";
    Narrowed narrowed = ToAnsiIfItFits(text);
    switch (txt::ChooseAppendEncoding(fileHead, narrowed.fits)) {
    case txt::AppendEncoding::Ansi:
        return std::move(narrowed.ansi);
    case txt::AppendEncoding::Utf8:
        return ui::ToUtf8(text);
    case txt::AppendEncoding::AsNewFile:
        return EncodeNoteForNewFile(noteText);
    case txt::AppendEncoding::Refuse:
        break;
    }
    return std::nullopt;
}

std::wstring DecodeTextFile(std::string_view bytes) {
    const std::wstring wide = txt::StartsWithUtf8Bom(bytes) ? ui::FromUtf8(bytes.substr(txt::kUtf8Bom.size()))
                                                             : ui::FromAnsi(bytes);
    return JoinFileLines(std::wstring_view(wide));
}
