#pragma once
// The line rule of text files read into the note: a line ends at CR LF or at a
// lone CR (the mark is not part of the line), a lone LF stays inside its line,
// and a last line without a mark still counts. The note's text is every line
// followed by CR LF.
#include <string>
#include <string_view>

namespace lines {

template <typename Char>
std::basic_string<Char> JoinFileLines(std::basic_string_view<Char> content);

inline std::string JoinFileLines(std::string_view content) { return JoinFileLines<char>(content); }
inline std::wstring JoinFileLines(std::wstring_view content) { return JoinFileLines<wchar_t>(content); }
inline std::u16string JoinFileLines(std::u16string_view content) { return JoinFileLines<char16_t>(content); }

}  // namespace lines
