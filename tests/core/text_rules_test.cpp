#include <gtest/gtest.h>

#include "platform/text/code_pages.h"
#include "textfile/text_lines.h"

namespace {

TEST(JoinFileLines, LineEndsAndTheLastLine) {
    struct { const char* in; const char* out; } cases[] = {
        {"", ""},
        {"a\r\nb", "a\r\nb\r\n"},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\rb", "a\r\nb\r\n"},           // a lone CR ends a line
        {"a\nb", "a\nb\r\n"},             // a lone LF stays inside its line
        {"\r\n", "\r\n"},
        {"\r\r\n", "\r\n\r\n"},
        {"a\n\r\nb\r", "a\n\r\nb\r\n"},
        {"x", "x\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(lines::JoinFileLines(std::string_view(c.in)), c.out) << c.in;
    EXPECT_EQ(lines::JoinFileLines(std::wstring_view(L"\u00e9\rz")), L"\u00e9\r\nz\r\n");
}

// WideCharToMultiByte's documented lists, statement by statement.
TEST(NarrowingRule, FlagsEachCodePageAccepts) {
    const auto rule = &codepage::NarrowingRuleFor;
    // "For the code pages listed below, dwFlags must be set to 0."
    for (const unsigned cp : {50220u, 50221u, 50222u, 50225u, 50227u, 50229u, 57002u, 57003u, 57004u, 57005u,
                              57006u, 57007u, 57008u, 57009u, 57010u, 57011u, 65000u, 42u})
        EXPECT_FALSE(rule(cp).noBestFit || rule(cp).errInvalidChars) << cp;
    // "For UTF-8 or code page 54936 (GB18030), dwFlags must be set to either 0 or WC_ERR_INVALID_CHARS."
    for (const unsigned cp : {65001u, 54936u}) EXPECT_TRUE(!rule(cp).noBestFit && rule(cp).errInvalidChars) << cp;
    // lpUsedDefaultChar: "For the CP_UTF7 and CP_UTF8 settings, this parameter must be set to NULL."
    for (const unsigned cp : {65000u, 65001u}) EXPECT_FALSE(rule(cp).reportsDefaultChar) << cp;
    for (const unsigned cp : {54936u, 42u, 50220u, 50229u, 57002u, 57011u, 1252u, 932u, 1200u, 50223u, 57012u})
        EXPECT_TRUE(rule(cp).reportsDefaultChar) << cp;
    // Every other code page takes the best-fit flag, and WC_ERR_INVALID_CHARS is for the two above alone.
    for (const unsigned cp : {1252u, 932u, 1200u, 50223u, 57012u})
        EXPECT_TRUE(rule(cp).noBestFit && !rule(cp).errInvalidChars) << cp;
}

}  // namespace
