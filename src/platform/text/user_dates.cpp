#include "platform/text/user_dates.h"

#include "platform/text/ansi_text.h"

namespace ui {

DateParts ToDateParts(const SYSTEMTIME& t) {
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

namespace {
std::string LocaleText(LCTYPE what, const char* fallback) {
    char buffer[16] = {};
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, what, buffer, sizeof buffer) > 1 ? buffer : fallback;
}

std::string DateText(DWORD flags, const SYSTEMTIME& t) {
    // Wide and sized by the system: in UTF-8 a character may take three bytes of a fixed buffer.
    const int n = GetDateFormatW(LOCALE_USER_DEFAULT, flags, &t, nullptr, nullptr, 0);
    if (n <= 1) return {};
    std::wstring text(static_cast<size_t>(n), L'\0');
    text.resize(static_cast<size_t>(GetDateFormatW(LOCALE_USER_DEFAULT, flags, &t, nullptr, text.data(), n)));
    if (!text.empty()) text.pop_back();  // the terminating NUL
    return ToNarrow(text);
}
}  // namespace

DateSeparators UserDateSeparators() {
    return {LocaleText(LOCALE_SDATE, "/"), LocaleText(LOCALE_STIME, ":")};
}

std::string LongDateText(const SYSTEMTIME& t) { return DateText(DATE_LONGDATE, t); }
std::string ShortDateText(const SYSTEMTIME& t) { return DateText(DATE_SHORTDATE, t); }

std::string FormatTime(std::string_view pattern, const SYSTEMTIME& t) {
    return FormatDatePattern(pattern, ToDateParts(t), UserDateSeparators());
}

SYSTEMTIME Now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return t;
}

}  // namespace ui
