#pragma once
// The note's text (wide, CR LF line breaks) as the bytes of the text files the
// window writes, and the bytes of a file as the note's new text.
#include <string>
#include <string_view>

#include "textfile/txt_rules.h"

namespace txt {

// The bytes of a new or overwritten file: the text and one CR LF, in the ANSI
// code page when every character has a form there, else as UTF-8 behind a
// byte-order mark.
std::string EncodeNoteForNewFile(std::wstring_view noteText);
// The bytes to append after the end of a file that holds `fileBytes`, in the
// file's own encoding; none when `encoding` is Refuse or Broken.
struct AppendBytes {
    AppendEncoding encoding;
    std::string bytes;
};
AppendBytes EncodeNoteForAppend(std::wstring_view noteText, std::string_view fileBytes);
// The note's new text from a file's bytes, read by DetectEncoding; every line
// followed by CR LF.
std::wstring DecodeTextFile(std::string_view bytes);

}  // namespace txt
