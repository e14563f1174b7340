#include <gtest/gtest.h>

#include "code_page_models.h"
#include "textfile/note_text_codec.h"
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

TEST(TxtName, DeviceNamesAreNeverFiles) {
    for (const std::u16string_view name : {u"nul.txt", u"NUL", u"con.txt", u"Aux.txt", u"prn", u"com1.txt", u"LPT9.txt",
                                           u"com\u00b9.txt", u"nul .txt", u"nul.tar.txt", u"nul:", u"nul:.txt", u"C:\\notes\\con.txt",
                                           u"conin$.txt"})
        EXPECT_TRUE(txt::NamesDevice(name)) << testing::PrintToString(std::u16string(name));
    for (const std::u16string_view name : {u"null.txt", u"nul1.txt", u"com0.txt", u"com10.txt", u"lpt.txt", u"x nul.txt",
                                           u"nul\\x.txt", u"console.txt", u"", u".txt", u"\u00f1ul.txt"})
        EXPECT_FALSE(txt::NamesDevice(name)) << testing::PrintToString(std::u16string(name));
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
        // Mended: UTF-32 read as UTF-16 (little-endian) or as ANSI (big-endian).
        {"\xFF\xFE\0\0H\0\0\0"sv, E::Utf32LE}, {"\0\0\xFE\xFF\0\0\0H"sv, E::Utf32BE},
        {"\xFF\xFE\0"sv, E::Utf16LE}, {"\0\0\xFE"sv, E::Ansi},
        // UTF-16 without a mark is not guessed
        {"H\0i\0"sv, E::Ansi}, {"\xE9\0"sv, E::Ansi},
    };
    for (const Case& c : cases) EXPECT_EQ(txt::DetectEncoding(c.bytes), c.expected) << testing::PrintToString(c.bytes);
    EXPECT_EQ(txt::BomOf(E::Utf16BE), "\xFE\xFF");
    EXPECT_EQ(txt::BomOf(E::Utf8), "");
    EXPECT_EQ(txt::BomOf(E::Utf32BE), "\0\0\xFE\xFF"sv);
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
    EXPECT_EQ(txt::Utf32Units("\x00\xF6\x01\x00H\0\0\0"sv, false), u"\U0001F600H");
    EXPECT_EQ(txt::Utf32Units("\0\x01\xF6\x00\0\0"sv, true), u"\U0001F600\uFFFD");  // a cut unit
    EXPECT_EQ(txt::Utf32Units("\0\0\x11\0"sv, false), u"\uFFFD");  // beyond U+10FFFF
    EXPECT_EQ(txt::Utf32Bytes(u"\U0001F600\r", true), "\0\x01\xF6\x00\0\0\0\r"sv);
    EXPECT_EQ(txt::Utf8Bytes(u"\u00D7\u20AC\U0001F600\xD800"), "\xC3\x97\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBD");
    // Runs of ASCII of every length about the four units the conversion copies at a time.
    for (size_t n = 0; n < 10; ++n) {
        const std::u16string a(n, u'a');
        EXPECT_EQ(txt::Utf8Bytes(a + u"\u00E9" + a + u"\xDC00" + a), std::string(n, 'a') + "\xC3\xA9" +
                                                                       std::string(n, 'a') + "\xEF\xBF\xBD" +
                                                                       std::string(n, 'a'));
    }
    EXPECT_EQ(txt::Utf8Units("\xC3\x97\xE2\x82\xAC\xF0\x9F\x98\x80"), u"\u00D7\u20AC\U0001F600");
    EXPECT_EQ(txt::Utf8Units("a\xE2\x82" "b\xC0\xAF"), u"a\uFFFDb\uFFFD\uFFFD");
}

TEST(TxtEncoding, WritesAnsiOnlyWhenItReadsBack) {
    using txt::AnsiForm;
    EXPECT_EQ(txt::ChooseWriteEncoding(AnsiForm::ReadsBack), txt::WriteEncoding::Ansi);
    EXPECT_EQ(txt::ChooseWriteEncoding(AnsiForm::None), txt::WriteEncoding::Utf8WithBom);
    EXPECT_EQ(txt::ChooseWriteEncoding(AnsiForm::ReadsOtherwise), txt::WriteEncoding::Utf8WithBom);
}

TEST(TxtEncoding, AppendsKeepTheFilesEncoding) {
    using txt::AppendEncoding;
    using F = txt::AnsiForm;
    struct Case {
        std::string_view file;
        F ansi;
        AppendEncoding expected;
    };
    const Case cases[] = {
        {"", F::ReadsBack, AppendEncoding::AsNewFile},
        {"", F::None, AppendEncoding::AsNewFile},
        {"old", F::ReadsBack, AppendEncoding::Ansi},
        // ASCII reads the same as UTF-8: it takes UTF-8 where ANSI would not read back.
        {"old", F::None, AppendEncoding::Utf8},
        {"old", F::ReadsOtherwise, AppendEncoding::Utf8},
        {"a", F::None, AppendEncoding::Utf8},  // one byte is no empty file
        {"\xE9", F::ReadsBack, AppendEncoding::Ansi},
        {"\xEF\xBB\xBF", F::ReadsBack, AppendEncoding::Utf8},
        {"\xEF\xBB\xBF", F::None, AppendEncoding::Utf8},
        {"\xEF\xBB", F::None, AppendEncoding::Refuse},  // not a whole mark
        {"\xEF\xBB\xBE", F::ReadsBack, AppendEncoding::Utf8},  // no mark, but U+FEFE in UTF-8
        {"caf\xC3\xA9\r\n", F::ReadsBack, AppendEncoding::Utf8},
        {"caf\xC3\xA9\r\n", F::None, AppendEncoding::Utf8},
        {"caf\xE9\r\n", F::ReadsBack, AppendEncoding::Ansi},
        {"caf\xE9\r\n", F::None, AppendEncoding::Refuse},
        {"caf\xE9\r\n", F::ReadsOtherwise, AppendEncoding::Refuse},
        {"\xFF\xFEo\0"sv, F::None, AppendEncoding::Utf16LE},
        {"\xFF\xFE", F::ReadsBack, AppendEncoding::Utf16LE},
        {"\xFE\xFF\0o"sv, F::ReadsBack, AppendEncoding::Utf16BE},
        {"\xFF\xFEo"sv, F::ReadsBack, AppendEncoding::Broken},  // ends inside a unit
        {"\xFE\xFF\0o\0"sv, F::None, AppendEncoding::Broken},
        {"\xFF\xFE\0\0o\0\0\0"sv, F::None, AppendEncoding::Utf32LE},
        {"\0\0\xFE\xFF"sv, F::None, AppendEncoding::Utf32BE},
        {"\xFF\xFE\0\0o\0"sv, F::ReadsBack, AppendEncoding::Broken},
    };
    for (const Case& c : cases)
        EXPECT_EQ(txt::ChooseAppendEncoding(c.file, c.ansi), c.expected)
            << testing::PrintToString(c.file) << static_cast<int>(c.ansi);
    EXPECT_TRUE(txt::StartsWithUtf8Bom("\xEF\xBB\xBFx"));
    EXPECT_FALSE(txt::StartsWithUtf8Bom("x\xEF\xBB\xBF"));
}

// The bytes each write puts on disk, under Windows-1252, Windows-1251 and UTF-8
// as the system's code page; each row also reads back by the open rule.
TEST(TxtCodec, WhatAWriteLeavesReadsBackAsWritten) {
    enum Op { New, Over, Append };
    struct Case {
        const txt::CodePage& cp;
        Op op;
        std::string_view before;
        std::u16string_view note;
        std::optional<std::string_view> after;  // none: refused, nothing written
    };
    const auto& w1252 = cpmodel::kCp1252;
    const auto& w1251 = cpmodel::kCp1251;
    const auto& utf8 = cpmodel::kCpUtf8;
    const Case cases[] = {
        {w1252, New, "", u"caf\u00e9 \u20ac", "caf\xE9 \x80\r\n"},
        {w1252, New, "", u"", "\r\n"},
        {w1252, New, "", u"\u03a9", "\xEF\xBB\xBF\xCE\xA9\r\n"},
        // Mended: ANSI bytes that are UTF-8 reopened as other characters.
        {w1252, New, "", u"3\u00d7\u00bd cups", "\xEF\xBB\xBF" "3\xC3\x97\xC2\xBD cups\r\n"},
        {w1251, New, "", u"\u0415\u0451", "\xEF\xBB\xBF\xD0\x95\xD1\x91\r\n"},
        {w1251, New, "", u"\u0415\u043b\u044c", "\xC5\xEB\xFC\r\n"},
        {w1252, New, "", u"\u00ef\u00bb\u00bfx", "\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBFx\r\n"},  // ANSI would be a mark
        {w1252, New, "", u"\u00ff\u00fe", "\xEF\xBB\xBF\xC3\xBF\xC3\xBE\r\n"},
        {utf8, New, "", u"3\u00d7\u00bd cups", "3\xC3\x97\xC2\xBD cups\r\n"},  // today's bytes: they read back
        // Mended: saving over a file wrote ANSI whatever its encoding.
        {w1252, Over, "\xEF\xBB\xBFold", u"new", "\xEF\xBB\xBFnew\r\n"},
        {w1252, Over, "caf\xC3\xA9", u"\u00e9", "\xC3\xA9\r\n"},
        {w1252, Over, "caf\xC3\xA9", u"x", "x\r\n"},
        {w1252, Over, "\xFF\xFEo\0"sv, u"\u00e9", "\xFF\xFE\xE9\0\r\0\n\0"sv},
        {w1252, Over, "\xFE\xFF\0o"sv, u"\u00e9", "\xFE\xFF\0\xE9\0\r\0\n"sv},
        {w1252, Over, "\xFF\xFE\0\0"sv, u"x", "\xFF\xFE\0\0x\0\0\0\r\0\0\0\n\0\0\0"sv},
        {w1252, Over, "\0\0\xFE\xFF"sv, u"x", "\0\0\xFE\xFF\0\0\0x\0\0\0\r\0\0\0\n"sv},
        {w1252, Over, "caf\xE9", u"\u00e9", "\xE9\r\n"},
        {w1252, Over, "", u"\u03a9", "\xEF\xBB\xBF\xCE\xA9\r\n"},
        {w1252, Over, "old", u"3\u00d7\u00bd", "\xEF\xBB\xBF" "3\xC3\x97\xC2\xBD\r\n"},
        {w1252, Append, "old\r\n", u"caf\u00e9", "old\r\ncaf\xE9\r\n"},
        // Mended: ANSI bytes that are UTF-8 turned an ASCII file into UTF-8 of other characters.
        {w1252, Append, "list\r\n", u"3\u00d7\u00bd cups", "list\r\n3\xC3\x97\xC2\xBD cups\r\n"},
        {w1251, Append, "list\r\n", u"\u0415\u0451", "list\r\n\xD0\x95\xD1\x91\r\n"},
        {w1252, Append, "old\r\n", u"\u03a9", "old\r\n\xCE\xA9\r\n"},
        {w1252, Append, "caf\xE9\r\n", u"3\u00d7\u00bd", "caf\xE9\r\n" "3\xD7\xBD\r\n"},
        {w1252, Append, "caf\xE9\r\n", u"\u03a9", std::nullopt},
        {w1252, Append, "caf\xC3", u"\u00a9", std::nullopt},  // would finish a UTF-8 sequence
        {w1252, Append, "\xFF", u"\u00fe", std::nullopt},     // would finish a UTF-16 mark
        {w1252, Append, "a", u"\u03a9", "a\xCE\xA9\r\n"},     // one byte: no second mark mid-file
        {w1252, Append, "\xFF\xFE\0\0o\0\0\0"sv, u"\U0001F600", "\xFF\xFE\0\0o\0\0\0\x00\xF6\x01\x00\r\0\0\0\n\0\0\0"sv},
        {w1252, Append, "\0\0\xFE\xFF"sv, u"\u03a9", "\0\0\xFE\xFF\0\0\x03\xA9\0\0\0\r\0\0\0\n"sv},
        {w1252, Append, "\xFF\xFE\0\0o"sv, u"x", std::nullopt},  // a cut unit
        {w1252, Append, "\xEF\xBB\xBFold\r\n", u"\u03a9", "\xEF\xBB\xBFold\r\n\xCE\xA9\r\n"},
        {w1252, Append, "", u"\u03a9", "\xEF\xBB\xBF\xCE\xA9\r\n"},
        {utf8, Append, "list\r\n", u"\u00d7", "list\r\n\xC3\x97\r\n"},
        // Mended: a lone surrogate from a UTF-16 file went out as U+FFFD, and the save said it was done.
        {w1252, New, "", u"a\xD800" u"b", std::nullopt},
        {utf8, New, "", u"\xDC00", std::nullopt},
        {w1252, Over, "\xEF\xBB\xBFold", u"a\xD800", std::nullopt},
        {w1252, Over, "caf\xC3\xA9", u"\xDFFF", std::nullopt},
        {w1252, Over, "\xFF\xFEo\0"sv, u"a\xD800", "\xFF\xFE" "a\0\0\xD8\r\0\n\0"sv},  // UTF-16 holds it
        {w1252, Append, "", u"\xD800", std::nullopt},
        {w1252, New, "", u"\U0001F600", "\xEF\xBB\xBF\xF0\x9F\x98\x80\r\n"},  // a pair is one character
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.before) + " " + std::to_string(c.op) + " " +
                     testing::PrintToString(txt::Utf8Bytes(c.note)));
        std::optional<std::string> written;
        std::u16string expected(c.note);
        expected += u"\r\n";
        switch (c.op) {
        case New:
            written = txt::EncodeNoteForNewFile(c.note, c.cp);
            break;
        case Over:
            written = txt::EncodeNoteForOverwrite(c.note, c.before, c.cp);
            break;
        case Append: {
            const txt::AppendBytes append = txt::EncodeNoteForAppend(c.note, c.before, c.cp);
            written = std::string(c.before) + append.bytes;
            expected = txt::DecodeFileText(c.before, c.cp) + expected;
            const bool refused = append.encoding == txt::AppendEncoding::Refuse ||
                                 append.encoding == txt::AppendEncoding::Broken;
            EXPECT_EQ(refused, !c.after);
            if (refused) EXPECT_EQ(append.bytes, "");
            if (!c.after) continue;
        }
        }
        EXPECT_EQ(written, c.after);
        if (written) EXPECT_EQ(txt::DecodeFileText(*written, c.cp), expected);
    }
}

TEST(TxtCodec, OpenShowsEveryNulAndReadsUtf32) {
    const auto& cp = cpmodel::kCp1252;
    struct Case {
        std::string_view bytes;
        std::u16string_view text;
    };
    const Case cases[] = {
        // Mended: the first NUL cut the note.
        {"a\0b"sv, u"a\u2400b\r\n"},
        {"H\0i\0"sv, u"H\u2400i\u2400\r\n"},
        {"\xFF\xFEH\0\0\0i\0"sv, u"H\u2400i\r\n"},
        {"caf\xE9\r\nx", u"caf\u00e9\r\nx\r\n"},
        {"3\xD7\xBD", u"3\u05FD\r\n"},  // valid UTF-8 reads as UTF-8
        // Mended: UTF-32 read as UTF-16 or ANSI.
        {"\xFF\xFE\0\0H\0\0\0\r\0\0\0i\0\0\0"sv, u"H\r\ni\r\n"},
        {"\0\0\xFE\xFF\0\x01\xF6\x00"sv, u"\U0001F600\r\n"},
        {"\xFF\xFE\0\0H\0"sv, u"\uFFFD\r\n"},
        {"", u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(txt::ReadTextFile(c.bytes, cp), c.text) << testing::PrintToString(c.bytes);
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
