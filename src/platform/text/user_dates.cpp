#include "platform/text/user_dates.h"

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
    char buffer[128] = {};
    return GetDateFormatA(LOCALE_USER_DEFAULT, flags, &t, nullptr, buffer, sizeof buffer) ? buffer : "";
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
