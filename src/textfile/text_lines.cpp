#include "textfile/text_lines.h"

namespace lines {

template <typename Char>
std::basic_string<Char> JoinFileLines(std::basic_string_view<Char> content) {
    std::basic_string<Char> out;
    out.reserve(content.size() + 2);
    size_t start = 0;
    while (start < content.size()) {
        size_t cr = content.find(Char('\r'), start);
        if (cr == content.npos) cr = content.size();
        out.append(content.substr(start, cr - start));
        out.push_back(Char('\r'));
        out.push_back(Char('\n'));
        start = cr + 1;
        if (start < content.size() && content[start] == Char('\n')) ++start;
    }
    return out;
}

template std::string JoinFileLines<char>(std::string_view);
template std::wstring JoinFileLines<wchar_t>(std::wstring_view);
template std::u16string JoinFileLines<char16_t>(std::u16string_view);

}  // namespace lines
