#include "platform/text/ansi_text.h"

#include <algorithm>
#include <charconv>

#include "platform/modRegistry.h"
#include "platform/text/code_pages.h"
#include "platform/win/program_windows.h"
#include "textfile/txt_rules.h"

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

UINT ReadMachineCodePage() {
    const UINT process = GetACP();
    // Without UTF-8 of its own (Windows before 1903) the process has the machine's code page.
    if (process != CP_UTF8) return process;
    if (RunningUnderWine()) {
        // Wine takes the code page from the system locale, and writes the registry value below
        // with the code page of the first process after a change of locale: UTF-8 for this one.
        UINT fromLocale = 0;
        GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&fromLocale), sizeof fromLocale / sizeof(wchar_t));
        return fromLocale != 0 ? fromLocale : CP_UTF8;  // a locale without an ANSI code page has UTF-8
    }
    // Windows keeps the machine's code page here whatever a program's manifest asks for.
    const std::string stored =
        modRegistry::ReadRegString(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage", "ACP");
    UINT codePage = 0;
    const auto [end, error] = std::from_chars(stored.data(), stored.data() + stored.size(), codePage);
    if (error == std::errc() && end == stored.data() + stored.size() && IsValidCodePage(codePage)) return codePage;
    return process;
}
}  // namespace

std::string ToNarrow(std::wstring_view text) { return Narrow(CP_ACP, 0, text, nullptr); }
std::wstring FromNarrow(std::string_view text) { return Widen(CP_ACP, text); }

UINT MachineCodePage() {
    static const UINT codePage = ReadMachineCodePage();
    return codePage;
}

std::string ToMachineAnsi(std::wstring_view text, bool* lossy) {
    // Every ANSI code page keeps ASCII as it is, and most notes are ASCII:
    // they need neither the system's conversion nor its lost-character check.
    if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; })) {
        if (lossy) *lossy = false;
        std::string out(text.size(), '\0');
        std::transform(text.begin(), text.end(), out.begin(), [](wchar_t c) { return static_cast<char>(c); });
        return out;
    }
    // Under a UTF-8 code page every character has a form, but Windows refuses
    // the best-fit flag and the default-character report there.
    const UINT codePage = MachineCodePage();
    const codepage::NarrowingRule rule = codepage::NarrowingRuleFor(codePage);
    if (!lossy) return Narrow(codePage, rule.noBestFit ? WC_NO_BEST_FIT_CHARS : 0, text, nullptr);
    const DWORD flags = (rule.noBestFit ? WC_NO_BEST_FIT_CHARS : 0) | (rule.errInvalidChars ? WC_ERR_INVALID_CHARS : 0);
    BOOL usedDefault = FALSE;
    std::string out = Narrow(codePage, flags, text, rule.reportsDefaultChar ? &usedDefault : nullptr);
    // A strict conversion that gave nothing met a character it cannot keep.
    *lossy = usedDefault != FALSE || (out.empty() && !text.empty());
    return out;
}

std::wstring FromMachineAnsi(std::string_view text) { return Widen(MachineCodePage(), text); }
// The wide text is UTF-16 on Windows: its units are the core's.
static_assert(sizeof(wchar_t) == sizeof(char16_t));
std::u16string_view Units(std::wstring_view text) { return {reinterpret_cast<const char16_t*>(text.data()), text.size()}; }

std::string ToUtf8(std::wstring_view text) { return txt::Utf8Bytes(Units(text)); }
void AppendUtf8(std::wstring_view text, std::string& out) { txt::AppendUtf8(Units(text), out); }
std::wstring FromUtf8(std::string_view text) { return Widen(CP_UTF8, text); }

}  // namespace ui
