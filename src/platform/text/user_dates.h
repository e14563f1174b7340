#pragma once
// Dates and times in the user's regional formats and separators.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/text/date_pattern.h"

namespace ui {

DateParts ToDateParts(const SYSTEMTIME& time);
DateSeparators UserDateSeparators();
std::string LongDateText(const SYSTEMTIME& time);
std::string ShortDateText(const SYSTEMTIME& time);
std::string FormatTime(std::string_view pattern, const SYSTEMTIME& time);
SYSTEMTIME Now();

}  // namespace ui
