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

// WideCharToMultiByte's documented rule: the code pages that take no flags, and
// UTF-7 and UTF-8, which take no default-character report either.
TEST(NarrowingRule, FlagsEachCodePageAccepts) {
    struct { unsigned codePage; bool noBestFit, errInvalidChars, reportsDefault; } cases[] = {
        {1252, true, false, true},   {932, true, false, true},    {1200, true, false, true},
        {65001, false, true, false}, {54936, false, true, true},  {65000, false, false, false},
        {42, false, false, true},    {50220, false, false, true}, {50229, false, false, true},
        {50223, true, false, true},  {57002, false, false, true}, {57011, false, false, true},
        {57012, true, false, true},
    };
    for (const auto& c : cases) {
        const codepage::NarrowingRule rule = codepage::NarrowingRuleFor(c.codePage);
        EXPECT_EQ(rule.noBestFit, c.noBestFit) << c.codePage;
        EXPECT_EQ(rule.errInvalidChars, c.errInvalidChars) << c.codePage;
        EXPECT_EQ(rule.reportsDefaultChar, c.reportsDefault) << c.codePage;
    }
}

}  // namespace
