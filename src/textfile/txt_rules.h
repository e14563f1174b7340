#pragma once
// Handle-free rules of the text-file window: the ".txt" name rule, and how the
// note's text is encoded in the files it writes and read from the files it opens.
#include <string>
#include <string_view>

namespace txt {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// True when the last three characters, turned to lower case, are "txt"
// ("README.TXT", "mytxt"); a name shorter than three characters never is.
bool EndsInTxt(std::string_view name);
// The save click's name rule: ".txt" is appended unless the name ends in "txt".
std::string WithTxtEnding(std::string_view name);

bool StartsWithUtf8Bom(std::string_view bytes);

// A new or overwritten file: plain ANSI bytes when every character of the
// note has an ANSI form, else UTF-8 behind a byte-order mark, so nothing turns
// into "?".
enum class WriteEncoding { Ansi, Utf8WithBom };
WriteEncoding ChooseWriteEncoding(bool fitsAnsi);

// Appending keeps the encoding the file already has: UTF-8 (without a second
// mark) after a byte-order mark, ANSI otherwise; an ANSI file that would lose
// characters is refused. An empty file is written as a new one.
enum class AppendEncoding { Ansi, Utf8, AsNewFile, Refuse };
AppendEncoding ChooseAppendEncoding(std::string_view fileHead, bool fitsAnsi);

}  // namespace txt
