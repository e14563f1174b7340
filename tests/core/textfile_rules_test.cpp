#include <gtest/gtest.h>

#include "textfile/ole_date.h"
#include "textfile/txt_rules.h"

namespace {

TEST(TxtName, GetsTxtUnlessItEndsInTxt) {
    struct Case {
        const char* typed;
        const char* used;
    };
    const Case cases[] = {
        {"notes", "notes.txt"}, {"notes.txt", "notes.txt"}, {"NOTES.TXT", "NOTES.TXT"}, {"Notes.TxT", "Notes.TxT"},
        {"ab", "ab.txt"},       {"x", "x.txt"},             {"mytxt", "mytxt"},         {"txt", "txt"},
        {"a.txt ", "a.txt .txt"}, {"a.tx", "a.tx.txt"},     {"D:\\x.txt", "D:\\x.txt"},
    };
    for (const Case& c : cases) EXPECT_EQ(txt::WithTxtEnding(c.typed), c.used) << c.typed;
    EXPECT_FALSE(txt::EndsInTxt(""));
    EXPECT_FALSE(txt::EndsInTxt("xt"));
    EXPECT_TRUE(txt::EndsInTxt("README.TXT"));
    EXPECT_FALSE(txt::EndsInTxt("a.txtx"));
}

TEST(TxtEncoding, NewFilesAndAppends) {
    using txt::AppendEncoding;
    EXPECT_EQ(txt::ChooseWriteEncoding(true), txt::WriteEncoding::Ansi);
    EXPECT_EQ(txt::ChooseWriteEncoding(false), txt::WriteEncoding::Utf8WithBom);
    struct Case {
        const char* head;
        bool fits;
        AppendEncoding expected;
    };
    const Case cases[] = {
        {"", true, AppendEncoding::AsNewFile},
        {"", false, AppendEncoding::AsNewFile},
        {"old", true, AppendEncoding::Ansi},
        {"old", false, AppendEncoding::Refuse},
        {"\xEF\xBB\xBF", true, AppendEncoding::Utf8},
        {"\xEF\xBB\xBF", false, AppendEncoding::Utf8},
        {"\xEF\xBB", false, AppendEncoding::Refuse},  // not a whole mark
        {"\xEF\xBB\xBE", true, AppendEncoding::Ansi},
    };
    for (const Case& c : cases)
        EXPECT_EQ(txt::ChooseAppendEncoding(c.head, c.fits), c.expected) << testing::PrintToString(c.head) << c.fits;
    EXPECT_TRUE(txt::StartsWithUtf8Bom("\xEF\xBB\xBFx"));
    EXPECT_FALSE(txt::StartsWithUtf8Bom("x\xEF\xBB\xBF"));
}

TEST(OleDate, DaysSinceTheLastDayOf1899) {
    EXPECT_EQ(oledate::DateSerial(1899, 12, 30), 0.0);
    EXPECT_EQ(oledate::DateSerial(1900, 1, 1), 2.0);
    EXPECT_EQ(oledate::DateSerial(1900, 3, 1), 61.0);  // 1900 was no leap year
    EXPECT_EQ(oledate::DateSerial(2000, 2, 29), 36585.0);
    EXPECT_EQ(oledate::DateSerial(2004, 3, 5), 38051.0);
    EXPECT_EQ(oledate::DateSerial(1601, 1, 1), -109205.0);
    EXPECT_EQ(oledate::TimeSerial(0, 0, 0), 0.0);
    EXPECT_EQ(oledate::TimeSerial(12, 0, 0), 0.5);
    EXPECT_DOUBLE_EQ(oledate::TimeSerial(14, 7, 9), 50829.0 / 86400.0);
    EXPECT_DOUBLE_EQ(oledate::TimeSerial(23, 59, 59), 86399.0 / 86400.0);
}

}  // namespace
