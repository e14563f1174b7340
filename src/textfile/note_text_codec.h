#pragma once
// The note's text (UTF-16, CR LF line breaks) as the bytes of the text files
// the window writes, and the bytes of a file as the note's new text. Handle-free:
// the system's ANSI code page comes in as a CodePage.
#include <optional>
#include <string>
#include <string_view>

#include "textfile/txt_rules.h"

namespace txt {

// A code page's conversions, as the system makes them.
class CodePage {
public:
    // The text in the code page; nothing when some character has no form there.
    virtual std::optional<std::string> Encode(std::u16string_view text) const = 0;
    virtual std::u16string Decode(std::string_view bytes) const = 0;

protected:
    ~CodePage() = default;
};

// What a NUL of an opened file shows as: the control's text ends at a NUL, so
// one would cut the note there. U+2400 SYMBOL FOR NULL is the character made
// to show one.
inline constexpr char16_t kNulStandIn = u'\u2400';

// The text a file's bytes hold, read by DetectEncoding, NULs and line breaks as they are.
std::u16string DecodeFileText(std::string_view bytes, const CodePage& ansi);
// The open rule: the note's new text from a file's bytes; each NUL as
// kNulStandIn, every line followed by CR LF.
std::u16string ReadTextFile(std::string_view bytes, const CodePage& ansi);

// Every write below obeys one rule: the file, read by DecodeFileText, gives
// exactly its old text (for an append) followed by the note's text and CR LF.
// Where the encoding the rule picks cannot hold the text (a lone surrogate,
// opened from a UTF-16 file, in UTF-8 or ANSI), nothing is written.

// A new file: the text and CR LF, by ChooseWriteEncoding; nothing when neither holds it.
std::optional<std::string> EncodeNoteForNewFile(std::u16string_view noteText, const CodePage& ansi);
// A file saved over that holds `fileBytes`: in the file's own encoding (UTF-8
// with or without its mark, UTF-16, UTF-32), an ANSI or empty file, or one whose
// encoding cannot hold the text, as a new one.
std::optional<std::string> EncodeNoteForOverwrite(std::u16string_view noteText, std::string_view fileBytes,
                                                  const CodePage& ansi);
// The bytes to append after the end of a file that holds `fileBytes`, by
// ChooseAppendEncoding; none when it is Refuse or Broken.
struct AppendBytes {
    AppendEncoding encoding;
    std::string bytes;
};
AppendBytes EncodeNoteForAppend(std::u16string_view noteText, std::string_view fileBytes, const CodePage& ansi);

}  // namespace txt
