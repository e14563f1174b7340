#include "platform/text/date_pattern.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* pattern;
    DateParts when;
    const char* expected;
};

TEST(DatePattern, FormatsTheProgramsPatterns) {
    const Case cases[] = {
        {"m/d/yy h:nn:ss AM/PM", {2004, 3, 5, 14, 7, 9}, "3/5/04 2:07:09 PM"},
        {"m/d/yy h:nn:ss AM/PM", {2026, 12, 31, 0, 0, 0}, "12/31/26 12:00:00 AM"},
        {"m/d/yy h:nn:ss AM/PM", {2000, 1, 1, 12, 30, 5}, "1/1/00 12:30:05 PM"},
        {"m/d/yy h:nn:ss AM/PM", {2009, 10, 9, 11, 59, 59}, "10/9/09 11:59:59 AM"},
        {"- h:mm AM/PM", {2026, 12, 5, 21, 14, 0}, "- 9:14 PM"},
        {"- h:mm AM/PM", {2026, 12, 5, 0, 5, 0}, "- 12:05 AM"},
        {"- h:mm AM/PM", {2026, 12, 5, 12, 0, 0}, "- 12:00 PM"},
        {"h:nn", {2026, 1, 1, 23, 9, 0}, "23:09"},  // no AM/PM: the 24-hour clock
        {"mm/dd/yyyy", {2026, 2, 3, 0, 0, 0}, "02/03/2026"},
        {"yy", {1999, 1, 1, 0, 0, 0}, "99"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatDatePattern(c.pattern, c.when), c.expected) << c.pattern;
}

TEST(DatePattern, UsesTheUsersSeparators) {
    const DateSeparators german{".", "."};
    EXPECT_EQ(FormatDatePattern("m/d/yy h:nn:ss AM/PM", {2004, 3, 5, 14, 7, 9}, german), "3.5.04 2.07.09 PM");
    EXPECT_EQ(FormatDatePattern("- h:mm AM/PM", {2026, 1, 1, 9, 4, 0}, german), "- 9.04 AM");
}

TEST(DatePattern, CopiesOtherCharactersAndSurvivesOddPatterns) {
    EXPECT_EQ(FormatDatePattern("", {}), "");
    EXPECT_EQ(FormatDatePattern("at [x]", {}), "at [x]");
    EXPECT_EQ(FormatDatePattern("AM/P", {2026, 1, 1, 13, 0, 0}), "AM/P");
}

}  // namespace
