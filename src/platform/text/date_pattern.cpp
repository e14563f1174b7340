#include "platform/text/date_pattern.h"

namespace {

std::string Digits(int value, size_t width) {
    std::string s = std::to_string(value < 0 ? -value : value);
    if (s.size() < width) s.insert(0, width - s.size(), '0');
    return s;
}

bool StartsWith(std::string_view text, size_t at, std::string_view what) {
    return text.substr(at, what.size()) == what;
}

// The length of the run of character c starting at text[at].
size_t RunOf(std::string_view text, size_t at, char c) {
    size_t n = 0;
    while (at + n < text.size() && text[at + n] == c) ++n;
    return n;
}

}  // namespace

std::string FormatDatePattern(std::string_view pattern, const DateParts& when,
                              const DateSeparators& separators) {
    const bool twelveHour = pattern.find("AM/PM") != std::string_view::npos;
    std::string out;
    bool afterHour = false;  // "mm" right after an hour element means minutes
    size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (StartsWith(pattern, i, "AM/PM")) {
            out += when.hour < 12 ? "AM" : "PM";
            i += 5;
            continue;
        }
        const size_t run = RunOf(pattern, i, c);
        const size_t two = run >= 2 ? 2 : 1;
        switch (c) {
        case 'm':
            out += afterHour ? Digits(when.minute, 2) : Digits(when.month, two);
            afterHour = false;
            i += two;
            continue;
        case 'd':
            out += Digits(when.day, two);
            i += two;
            break;
        case 'y':
            if (run >= 4) {
                out += Digits(when.year, 4);
                i += 4;
            } else {
                out += Digits(when.year % 100, 2);
                i += run >= 2 ? 2 : run;
            }
            break;
        case 'h': {
            int h = when.hour;
            if (twelveHour) h = h % 12 == 0 ? 12 : h % 12;
            out += Digits(h, two);
            i += two;
            afterHour = true;
            continue;
        }
        case 'n':
            out += Digits(when.minute, two);
            i += two;
            break;
        case 's':
            out += Digits(when.second, two);
            i += two;
            break;
        case '/':
            out += separators.date;
            ++i;
            break;
        case ':':
            out += separators.time;
            ++i;
            continue;  // "h:mm" still reads as hour and minutes
        default:
            out += c;
            ++i;
            break;
        }
        afterHour = false;
    }
    return out;
}
