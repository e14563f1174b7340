#include <gtest/gtest.h>

#include "platform/registry_text.h"
#include "platform/text_lines.h"

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
    for (const auto& c : cases) EXPECT_EQ(JoinFileLines(std::string_view(c.in)), c.out) << c.in;
    EXPECT_EQ(JoinFileLines(std::wstring_view(L"\u00e9\rz")), L"\u00e9\r\nz\r\n");
}

TEST(RegBufferToText, StopsAtTheFirstNul) {
    EXPECT_EQ(RegBufferToText(std::string_view("2204", 4)), "2204");
    EXPECT_EQ(RegBufferToText(std::string_view("2204\0", 5)), "2204");
    EXPECT_EQ(RegBufferToText(std::string_view("ab\0cd", 5)), "ab");
    EXPECT_EQ(RegBufferToText(std::string_view("\0", 1)), "");
    EXPECT_EQ(RegBufferToText(""), "");
}

}  // namespace
