#include <gtest/gtest.h>

#include <string>

#include "platform/print/print_layout.h"
#include "platform/win/units.h"

namespace {

using namespace print_layout;

TEST(PrintUnits, PixelsToTwipsRoundToTheNearestTwip) {
    EXPECT_EQ(PixelsToTwips(75, 300), 360);
    EXPECT_EQ(PixelsToTwips(2479, 300), 11899);  // 11899.2
    EXPECT_EQ(PixelsToTwips(1, 600), 2);         // 2.4
    EXPECT_EQ(PixelsToTwips(5, 600), 12);        // 12.0
    EXPECT_EQ(PixelsToTwips(1, 960), 2);         // 1.5 rounds up
    EXPECT_EQ(PixelsToTwips(-1, 960), -2);       // and away from zero below it
    EXPECT_EQ(PixelsToTwips(10, 0), 0);          // a device without a resolution
    EXPECT_EQ(TwipsToPixels(1440, 300), 300);
    EXPECT_EQ(TwipsToPixels(165, 300), 34);      // 8.25 points: 34.375 pixels
    EXPECT_EQ(TwipsToPixels(1080, 96), 72);
}

TEST(PrintGeometry, MarginsAreMeasuredFromTheSheetEdge) {
    // US Letter at 300 dpi whose unprintable edges are a quarter inch wide.
    DeviceMetrics letter{300, 300, 2550, 3300, 2400, 3150, 75, 75};
    const PrintGeometry g = ComputePrintGeometry(letter, 1440, 1440, 1440, 1440);
    EXPECT_EQ(g.rc, (TwipRect{1080, 1080, 12240 - 1440 - 360, 15840 - 1440 - 360}));
    EXPECT_EQ(g.rcPage, (TwipRect{0, 0, 11520, 15120}));
}

TEST(PrintGeometry, EachDirectionUsesItsOwnResolution) {
    DeviceMetrics d{600, 300, 5100, 3300, 4800, 3150, 150, 30};
    const PrintGeometry g = ComputePrintGeometry(d, 720, 1440, 1440, 2880);
    EXPECT_EQ(g.rc, (TwipRect{720 - 360, 1440 - 144, 12240 - 1440 - 360, 15840 - 2880 - 144}));
    EXPECT_EQ(g.rcPage, (TwipRect{0, 0, 11520, 15120}));
}

TEST(PrintGeometry, FullBleedPrinterKeepsTheMarginsAsGiven) {
    // What the cups-pdf queue reports for A4 at 300 dpi.
    DeviceMetrics a4{300, 300, 2479, 3508, 2479, 3508, 0, 0};
    const PrintGeometry g = ComputePrintGeometry(a4, 1440, 1440, 1440, 1440);
    EXPECT_EQ(g.rc, (TwipRect{1440, 1440, 11899 - 1440, 16838 - 1440}));
    EXPECT_EQ(g.rcPage, (TwipRect{0, 0, 11899, 16838}));
}

// Every character is 10 units wide.
std::size_t Mono(std::wstring_view run, int width) {
    return std::min(run.size(), static_cast<std::size_t>(width / 10));
}

std::vector<std::wstring> Drawn(std::wstring_view text, const PageLayout& page) {
    std::vector<std::wstring> out;
    for (const PageLine& l : page.lines) out.emplace_back(text.substr(l.start, l.length));
    return out;
}

using Lines = std::vector<std::wstring>;

TEST(PageLayout, WrapsAfterTheLastSpaceThatFits) {
    struct Case {
        const wchar_t* text;
        int width;
        Lines lines;
    };
    const Case cases[] = {
        {L"hello world", 200, {L"hello world"}},
        {L"hello world", 110, {L"hello world"}},                     // exactly as wide as the line
        {L"hello world", 100, {L"hello", L"world"}},
        {L"hello world", 50, {L"hello", L"world"}},                  // the space hangs past the edge
        {L"one two three four", 90, {L"one two", L"three", L"four"}},
        {L"a    b", 30, {L"a", L"b"}},                               // every space at the wrap hangs
        {L"abcdefghij", 40, {L"abcd", L"efgh", L"ij"}},              // a word wider than the line
        {L"ab abcdefgh", 40, {L"ab", L"abcd", L"efgh"}},
        {L"x", 5, {L"x"}},                                           // nothing fits: one character a line
        {L"  indented", 60, {L"  inde", L"nted"}},                   // leading spaces are no wrap point
        {L"", 100, {}},
    };
    for (const Case& c : cases) {
        const std::wstring text = c.text;
        const PageLayout page = LayOutPage(text, 0, c.width, 1000, 10, Mono);
        EXPECT_EQ(Drawn(text, page), c.lines) << "text \"" << std::string(text.begin(), text.end()) << "\"";
        EXPECT_EQ(page.next, text.size());
    }
}

TEST(PageLayout, LineBreaksEndLinesAndCountAsTheControlCountsThem) {
    struct Case {
        const wchar_t* text;
        Lines lines;
    };
    const Case cases[] = {
        {L"a\rb", {L"a", L"b"}},
        {L"a\r\nb", {L"a", L"b"}},      // CR LF is one break
        {L"a\nb\vc\fd", {L"a", L"b", L"c", L"d"}},
        {L"a\r\rb", {L"a", L"", L"b"}},  // an empty paragraph is an empty line
        {L"\ra", {L"", L"a"}},
        {L"a\r", {L"a"}},                // the break after the last line ends it
        {L"a\n\r", {L"a", L""}},         // LF CR are two breaks
    };
    for (const Case& c : cases) {
        const std::wstring text = c.text;
        const PageLayout page = LayOutPage(text, 0, 100, 1000, 10, Mono);
        EXPECT_EQ(Drawn(text, page), c.lines);
        EXPECT_EQ(page.next, text.size());
    }
}

TEST(PageLayout, WrappedSpacesBeforeABreakDoNotMakeAnEmptyLine) {
    const std::wstring text = L"abcd    \rnext";
    const PageLayout page = LayOutPage(text, 0, 40, 1000, 10, Mono);
    EXPECT_EQ(Drawn(text, page), (Lines{L"abcd", L"next"}));
}

TEST(PageLayout, PageBreaksWhenTheNextLineWouldCrossTheBottom) {
    const std::wstring text = L"l1\rl2\rl3\rl4\rl5";
    PageLayout page = LayOutPage(text, 0, 100, 35, 10, Mono);  // room for three lines and a half
    EXPECT_EQ(Drawn(text, page), (Lines{L"l1", L"l2", L"l3"}));
    EXPECT_EQ(page.next, 9u);  // "l4" starts the next page
    page = LayOutPage(text, page.next, 100, 35, 10, Mono);
    EXPECT_EQ(Drawn(text, page), (Lines{L"l4", L"l5"}));
    EXPECT_EQ(page.next, text.size());

    page = LayOutPage(text, 0, 100, 30, 10, Mono);  // a line that ends exactly at the bottom fits
    EXPECT_EQ(page.lines.size(), 3u);
}

TEST(PageLayout, NoRoomForOneLineMakesNoProgress) {
    const std::wstring text = L"some text";
    for (const auto& [height, lineHeight, width] : {std::tuple{9, 10, 100}, {0, 10, 100}, {100, 0, 100}, {100, 10, 0}}) {
        const PageLayout page = LayOutPage(text, 4, width, height, lineHeight, Mono);
        EXPECT_TRUE(page.lines.empty());
        EXPECT_EQ(page.next, 4u);
    }
}

TEST(PageLayout, StartingAtOrPastTheEndLaysOutNothing) {
    const std::wstring text = L"abc";
    EXPECT_EQ(LayOutPage(text, 3, 100, 100, 10, Mono).next, 3u);
    EXPECT_EQ(LayOutPage(text, 7, 100, 100, 10, Mono).next, 3u);
    EXPECT_TRUE(LayOutPage(text, 3, 100, 100, 10, Mono).lines.empty());
}

TEST(PageLayout, PagesTogetherHoldEveryWordOnceInOrder) {
    std::wstring text;
    for (int i = 0; i < 400; ++i) {
        text += L"word" + std::to_wstring(i) + (i % 37 == 36 ? L"\r" : i % 11 == 10 ? L"  " : L" ");
    }
    text += std::wstring(333, L'x');  // and one word longer than a line
    std::wstring printed;
    std::size_t pos = 0;
    int pages = 0;
    while (pos < text.size()) {
        const PageLayout page = LayOutPage(text, pos, 170, 200, 10, Mono);
        ASSERT_GT(page.next, pos);
        for (const PageLine& l : page.lines) {
            EXPECT_LE(l.length * 10, 170u);
            printed += std::wstring(text.substr(l.start, l.length)) + L" ";
        }
        pos = page.next;
        ++pages;
    }
    EXPECT_GT(pages, 5);
    std::wstring expected;
    for (wchar_t c : text) expected += c == L'\r' ? L' ' : c;
    auto words = [](const std::wstring& s) {
        std::vector<std::wstring> w;
        std::wstring cur;
        for (wchar_t c : s + L" ") {
            if (c == L' ') {
                if (!cur.empty()) w.push_back(cur);
                cur.clear();
            } else {
                cur += c;
            }
        }
        return w;
    };
    std::vector<std::wstring> want = words(expected);
    std::vector<std::wstring> got = words(printed);
    // The long word is broken between characters; join its pieces for the comparison.
    while (got.size() > want.size() && got[got.size() - 2].front() == L'x') {
        got[got.size() - 2] += got.back();
        got.pop_back();
    }
    EXPECT_EQ(got, want);
}

TEST(PageLayout, AVeryLongParagraphAsksAboutOneLineAtATime) {
    const std::wstring text(200000, L'y');
    std::size_t longest = 0;
    const FitFunction fit = [&](std::wstring_view run, int width) {
        longest = std::max(longest, run.size());
        return Mono(run, width);
    };
    const PageLayout page = LayOutPage(text, 0, 1000, 50, 10, fit);
    EXPECT_EQ(page.lines.size(), 5u);
    EXPECT_EQ(page.next, 500u);
    EXPECT_LE(longest, 512u);
}

TEST(PageLayout, ALineWiderThanTheFirstWindowIsStillOneLine) {
    const std::wstring text(3000, L'z');
    const PageLayout page = LayOutPage(text, 0, 25000, 10, 10, Mono);  // 2500 characters a line
    ASSERT_EQ(page.lines.size(), 1u);
    EXPECT_EQ(page.lines[0].length, 2500u);
}

}  // namespace
