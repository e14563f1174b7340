#include <gtest/gtest.h>

#include "textfile/ole_date.h"
#include "textfile/txt_rules.h"

namespace {

using namespace std::string_view_literals;

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

TEST(TxtEncoding, ReadByTheMarkElseByValidUtf8) {
    using E = txt::FileEncoding;
    struct Case {
        std::string_view bytes;
        E expected;
    };
    const Case cases[] = {
        {"", E::Ansi},
        {"plain ASCII\r\n", E::Ansi},
        {"caf\xC3\xA9 na\xC3\xAFve", E::Utf8},
        {"caf\xE9 na\xEFve", E::Ansi},  // Windows-1252
        {"ends in caf\xC3\xA9", E::Utf8},
        {"caf\xC3\xA9 then caf\xE9", E::Ansi},
        {"\xC2\x80 \xDF\xBF \xE0\xA0\x80 \xED\x9F\xBF \xEE\x80\x80 \xF0\x90\x80\x80 \xF4\x8F\xBF\xBF", E::Utf8},
        {"\xF0\x9F\x98\x80", E::Utf8},
        // overlong forms
        {"\xC0\xAF", E::Ansi}, {"\xC1\xBF", E::Ansi}, {"\xE0\x9F\xBF", E::Ansi}, {"\xF0\x8F\xBF\xBF", E::Ansi},
        // surrogates, and beyond U+10FFFF
        {"\xED\xA0\x80", E::Ansi}, {"\xED\xBF\xBF", E::Ansi}, {"\xF4\x90\x80\x80", E::Ansi}, {"\xF5\x80\x80\x80", E::Ansi},
        // cut sequences, stray continuation bytes, bytes never in UTF-8
        {"caf\xC3", E::Ansi}, {"\xE2\x82", E::Ansi}, {"\xF0\x9F\x98", E::Ansi}, {"\xE2\x82x", E::Ansi},
        {"a\xBF" "b", E::Ansi}, {"\xFF", E::Ansi}, {"\xFE", E::Ansi}, {"\xEF\xBB", E::Ansi},
        {"\xEF\xBB\xBF", E::Utf8Bom}, {"\xEF\xBB\xBF\xE9", E::Utf8Bom},
        {"\xFF\xFEH\0i\0"sv, E::Utf16LE}, {"\xFE\xFF\0H\0i"sv, E::Utf16BE}, {"\xFF\xFE", E::Utf16LE},
        // UTF-16 without a mark is not guessed
        {"H\0i\0"sv, E::Ansi}, {"\xE9\0"sv, E::Ansi},
    };
    for (const Case& c : cases) EXPECT_EQ(txt::DetectEncoding(c.bytes), c.expected) << testing::PrintToString(c.bytes);
    EXPECT_EQ(txt::BomOf(E::Utf16BE), "\xFE\xFF");
    EXPECT_EQ(txt::BomOf(E::Utf8), "");
}

TEST(TxtEncoding, Utf16UnitsInEitherByteOrder) {
    EXPECT_EQ(txt::Utf16Units("H\0\xA9\x03"sv, false), u"H\u03A9");
    EXPECT_EQ(txt::Utf16Units("\0H\x03\xA9"sv, true), u"H\u03A9");
    EXPECT_EQ(txt::Utf16Units("\x3D\xD8\x00\xDE"sv, false), u"\U0001F600");
    EXPECT_EQ(txt::Utf16Units("H\0i"sv, false), u"H\uFFFD");  // half a unit
    EXPECT_EQ(txt::Utf16Units("x", true), u"\uFFFD");
    EXPECT_EQ(txt::Utf16Units("", false), u"");
    EXPECT_EQ(txt::Utf16Bytes(u"\u03A9\r\n", false), "\xA9\x03\r\0\n\0"sv);
    EXPECT_EQ(txt::Utf16Bytes(u"\u03A9\r\n", true), "\x03\xA9\0\r\0\n"sv);
}

// A new file's encoding is checked on disk by the text-file window's tests.
TEST(TxtEncoding, AppendsKeepTheFilesEncoding) {
    using txt::AppendEncoding;
    struct Case {
        std::string_view file;
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
        {"\xEF\xBB\xBE", true, AppendEncoding::Utf8},  // no mark, but U+FEFE in UTF-8
        {"caf\xC3\xA9\r\n", true, AppendEncoding::Utf8},
        {"caf\xC3\xA9\r\n", false, AppendEncoding::Utf8},
        {"caf\xE9\r\n", true, AppendEncoding::Ansi},
        {"caf\xE9\r\n", false, AppendEncoding::Refuse},
        {"\xFF\xFEo\0"sv, false, AppendEncoding::Utf16LE},
        {"\xFF\xFE", true, AppendEncoding::Utf16LE},
        {"\xFE\xFF\0o"sv, true, AppendEncoding::Utf16BE},
        {"\xFF\xFEo"sv, true, AppendEncoding::Broken},  // ends inside a unit
        {"\xFE\xFF\0o\0"sv, false, AppendEncoding::Broken},
    };
    for (const Case& c : cases)
        EXPECT_EQ(txt::ChooseAppendEncoding(c.file, c.fits), c.expected) << testing::PrintToString(c.file) << c.fits;
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
