#pragma once
// Date and time patterns of the program's texts ("m/d/yy h:nn:ss AM/PM",
// "- h:mm AM/PM"), formatted without touching the system.
#include <string>
#include <string_view>

struct DateParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

struct DateSeparators {
    std::string date = "/";
    std::string time = ":";
};

// Elements: m mm (month; minutes right after an hour element), d dd, yy yyyy,
// h hh, n nn, s ss, AM/PM, "/" and ":" as the user's separators; every other
// character is copied.
std::string FormatDatePattern(std::string_view pattern, const DateParts& when,
                              const DateSeparators& separators = {});
