#include <gtest/gtest.h>

#include <random>
#include <string>

#include "mail/mailto.h"

namespace {

using mailto::BuildUrl;
using mailto::MailFields;

TEST(MailtoUrl, FieldsOrderAndLeftOutBoxes) {
    struct {
        MailFields in;
        const char* url;
    } cases[] = {
        {{"T", "", "", "S", "B", ""}, "mailto:T?Subject=S&Body=B"},
        {{}, "mailto:"},
        {{"", "C", "", "", "", ""}, "mailto:?CC=C"},
        {{"T", "", "", "", "B", ""}, "mailto:T?Body=B"},
        {{"", "", "", "", "", "x"}, "mailto:?Attach=\"x\""},
        {{"T", "C", "D", "S", "B", "F"}, "mailto:T?CC=C&BCC=D&Subject=S&Body=B&Attach=\"F\""},
        {{"", "", "D", "", "", ""}, "mailto:?BCC=D"},
        {{"T", "", "", "", "", ""}, "mailto:T"},
    };
    for (const auto& c : cases) EXPECT_EQ(BuildUrl(c.in), c.url) << c.url;
}

TEST(MailtoUrl, HostileTextCannotAddFieldsOrCutTheMessage) {
    struct {
        MailFields in;
        const char* url;
    } cases[] = {
        {{"T", "", "", "", "hi&CC=someone@example.com", ""}, "mailto:T?Body=hi%26CC%3Dsomeone@example.com"},
        {{"T", "", "", "", "&Attach=C:\\secret.doc", ""}, "mailto:T?Body=%26Attach%3DC:%5Csecret.doc"},
        {{"T", "", "", "why? #1 at 100%", "", ""}, "mailto:T?Subject=why%3F%20%231%20at%20100%25"},
        {{"T", "", "", "", "one\r\ntwo\r\n", ""}, "mailto:T?Body=one%0D%0Atwo%0D%0A"},
        {{"a@x.org?Body=evil", "", "", "", "", ""}, "mailto:a@x.org%3FBody%3Devil"},
        {{"a@x.org&Attach=c:\\x", "", "", "", "", ""}, "mailto:a@x.org%26Attach%3Dc:%5Cx"},
        {{"a;b=c#d/e%f[g]", "", "", "", "", ""}, "mailto:a%3Bb%3Dc%23d%2Fe%25f%5Bg%5D"},
        {{"", "x@y.z&BCC=spy@y.z", "", "", "", ""}, "mailto:?CC=x@y.z%26BCC%3Dspy@y.z"},
        {{"", "", "", "", "\"quoted\" <tag> {b} |p| ^c `g`", ""},
         "mailto:?Body=%22quoted%22%20%3Ctag%3E%20%7Bb%7D%20%7Cp%7C%20%5Ec%20%60g%60"},
        {{"", "", "", "", "tab\there", ""}, "mailto:?Body=tab%09here"},
        {{"", "", "", "", "", "C:\\x\"&Body=y.txt"}, "mailto:?Attach=\"C:%5Cx%22%26Body%3Dy.txt\""},
    };
    for (const auto& c : cases) EXPECT_EQ(BuildUrl(c.in), c.url) << c.url;
}

TEST(MailtoUrl, AddressesKeepTheirSeparatorsAndReadableCharacters) {
    EXPECT_EQ(BuildUrl({"a@example.com,b@example.org", "", "", "", "", ""}), "mailto:a@example.com,b@example.org");
    EXPECT_EQ(BuildUrl({"a@x.org, b@y.org", "c@x.org,d@y.org", "", "", "", ""}),
              "mailto:a@x.org,%20b@y.org?CC=c@x.org,d@y.org");
    EXPECT_EQ(BuildUrl({"first.last+tag_1~x-y@sub.example.com", "", "", "", "", ""}),
              "mailto:first.last+tag_1~x-y@sub.example.com");
    // Readable in a header value, but ";" must be encoded among the addresses.
    EXPECT_EQ(mailto::EncodeHeaderValue("!$'()*+,;:@"), "!$'()*+,;:@");
    EXPECT_EQ(mailto::EncodeAddresses("!$'()*+,;:@"), "!$'()*+,%3B:@");
}

TEST(MailtoUrl, TextOutsideAsciiIsEncodedAsUtf8) {
    EXPECT_EQ(BuildUrl({"", "", "", "Gr\xC3\xBC\xC3\x9F" "e", "\xE2\x82\xAC 5", ""}),
              "mailto:?Subject=Gr%C3%BC%C3%9Fe&Body=%E2%82%AC%205");
    EXPECT_EQ(BuildUrl({"", "", "", "", "\xF0\x9F\x98\x80", ""}), "mailto:?Body=%F0%9F%98%80");
    EXPECT_EQ(BuildUrl({"j\xC3\xB6rg@b\xC3\xBC" "cher.de", "", "", "", "", ""}), "mailto:j%C3%B6rg@b%C3%BCcher.de");
}

TEST(MailtoUrl, AttachmentPathIsQuotedAndEncoded) {
    EXPECT_EQ(BuildUrl({"T", "", "", "", "", "C:\\My Documents\\list.txt"}),
              "mailto:T?Attach=\"C:%5CMy%20Documents%5Clist.txt\"");
    EXPECT_EQ(BuildUrl({"", "", "", "", "", "\\\\server\\share\\a&b #2.doc"}),
              "mailto:?Attach=\"%5C%5Cserver%5Cshare%5Ca%26b%20%232.doc\"");
}

// Any bytes at all: the result is plain URL text, and decoding it gives the input back.
TEST(MailtoUrl, EncodingIsPrintableAsciiAndReversible) {
    auto decode = [](const std::string& s) {
        std::string out;
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] == '%') {
                out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                out += s[i];
            }
        }
        return out;
    };
    std::mt19937 random(20240611);
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 40, '\0');
        for (char& c : text) c = static_cast<char>(random() & 0xFF);
        for (const std::string& encoded : {mailto::EncodeAddresses(text), mailto::EncodeHeaderValue(text)}) {
            for (const char c : encoded) {
                ASSERT_GT(c, ' ');
                ASSERT_LT(c, 0x7F);
                ASSERT_EQ(std::string("&=?#/\"<>[]\\^`{|}").find(c), std::string::npos) << encoded;
            }
            ASSERT_EQ(decode(encoded), text);
        }
    }
}

TEST(MailtoUrl, WineLimitFitsEveryHandlerCommand) {
    // Wine 8 crashes from 997 characters and cuts handler command lines past 1 023.
    EXPECT_LT(mailto::UrlLimit(true), 997u);
    EXPECT_LE(mailto::UrlLimit(true) + 255u, 1025u);
}

TEST(FindActualFileName, TheNameAfterTheLastBackslash) {
    struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"C:\\Docs\\list.txt", "list.txt"},
        {"C:\\Docs\\", ""},
        {"C:\\", ""},
        {"C:\\a b\\c d.e f", "c d.e f"},
        {"\\\\server\\share\\report.doc", "report.doc"},
        {"list.txt", "list.txt"},
        {"", ""},
        {"C:\\dir.v2\\noext", "noext"},
        {"C:/forward/slash.txt", "C:/forward/slash.txt"},
    };
    for (const auto& c : cases) EXPECT_EQ(mailto::FindActualFileName(std::string_view(c.path)), c.name) << c.path;
    EXPECT_EQ(mailto::FindActualFileName(std::wstring_view(L"C:\\\u00c4rger\\\u65e5\u672c.txt")), L"\u65e5\u672c.txt");
}

}  // namespace
