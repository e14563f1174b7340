#include "textfile/txt_rules.h"

#include "platform/ascii.h"

namespace txt {

bool EndsInTxt(std::string_view name) {
    if (name.size() < 3) return false;
    const std::string_view last = name.substr(name.size() - 3);
    return AsciiLower(last[0]) == 't' && AsciiLower(last[1]) == 'x' && AsciiLower(last[2]) == 't';
}

std::string WithTxtEnding(std::string_view name) {
    std::string result(name);
    if (!EndsInTxt(name)) result += ".txt";
    return result;
}

bool StartsWithUtf8Bom(std::string_view bytes) { return bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom; }

WriteEncoding ChooseWriteEncoding(bool fitsAnsi) {
    return fitsAnsi ? WriteEncoding::Ansi : WriteEncoding::Utf8WithBom;
}

AppendEncoding ChooseAppendEncoding(std::string_view fileHead, bool fitsAnsi) {
    if (fileHead.empty()) return AppendEncoding::AsNewFile;
    if (StartsWithUtf8Bom(fileHead)) return AppendEncoding::Utf8;
    return fitsAnsi ? AppendEncoding::Ansi : AppendEncoding::Refuse;
}

}  // namespace txt
