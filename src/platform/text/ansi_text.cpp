#include "platform/text/ansi_text.h"

#include <algorithm>

#include "platform/text/code_pages.h"

namespace ui {

namespace {
std::string Narrow(UINT codePage, DWORD flags, std::wstring_view text, BOOL* usedDefault) {
    if (text.empty()) return {};
    const int wide = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(codePage, flags, text.data(), wide, nullptr, 0, nullptr, usedDefault);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), wide, out.data(), n, nullptr, usedDefault);
    return out;
}

std::wstring Widen(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int narrow = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(codePage, 0, text.data(), narrow, nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), narrow, out.data(), n);
    return out;
}
}  // namespace

std::string ToAnsi(std::wstring_view text, bool* lossy) {
    // Every system code page keeps ASCII as it is, and most notes are ASCII:
    // they need neither the system's conversion nor its lost-character check.
    if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; })) {
        if (lossy) *lossy = false;
        std::string out(text.size(), '\0');
        std::transform(text.begin(), text.end(), out.begin(), [](wchar_t c) { return static_cast<char>(c); });
        return out;
    }
    // Under a UTF-8 system code page every character has a form, but Windows
    // refuses the best-fit flag and the default-character report there.
    const codepage::NarrowingRule rule = codepage::NarrowingRuleFor(GetACP());
    if (!lossy) return Narrow(CP_ACP, rule.noBestFit ? WC_NO_BEST_FIT_CHARS : 0, text, nullptr);
    const DWORD flags = (rule.noBestFit ? WC_NO_BEST_FIT_CHARS : 0) | (rule.errInvalidChars ? WC_ERR_INVALID_CHARS : 0);
    BOOL usedDefault = FALSE;
    std::string out = Narrow(CP_ACP, flags, text, rule.reportsDefaultChar ? &usedDefault : nullptr);
    // A strict conversion that gave nothing met a character it cannot keep.
    *lossy = usedDefault != FALSE || (out.empty() && !text.empty());
    return out;
}

std::wstring FromAnsi(std::string_view text) { return Widen(CP_ACP, text); }
std::string ToUtf8(std::wstring_view text) { return Narrow(CP_UTF8, 0, text, nullptr); }
std::wstring FromUtf8(std::string_view text) { return Widen(CP_UTF8, text); }

}  // namespace ui
