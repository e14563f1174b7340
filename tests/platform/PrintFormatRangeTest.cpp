// The note's pages of a print job on a real rich edit control, drawing into a
// white bitmap the size of a Letter sheet at 96 dpi. Where the control cannot
// lay out by itself (Wine), this exercises the GDI layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/RichTextBox.h"
#include "platform/win/handles.h"
#include "platform/print/print_pages.h"

namespace {

constexpr int kSheetWidth = 816, kSheetHeight = 1056;  // 8.5 by 11 inches

class FormatRangeTest : public testing::Test {
protected:
    void SetUp() override {
        m_parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_parent);
        LOGFONTA lf{};
        lf.lfHeight = -11;
        lstrcpynA(lf.lfFaceName, "Verdana", LF_FACESIZE);
        m_font.reset(CreateFontIndirectA(&lf));
        ASSERT_TRUE(box.Create(m_parent, 1, m_font.get()));

        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kSheetWidth;
        info.bmiHeader.biHeight = -kSheetHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_dc.reset(CreateCompatibleDC(nullptr));
        m_bitmap.reset(CreateDIBSection(m_dc.get(), &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0));
        ASSERT_TRUE(m_bitmap);
        m_old = SelectObject(m_dc.get(), m_bitmap.get());
        Clear();
    }
    void TearDown() override {
        if (m_dc) SelectObject(m_dc.get(), m_old);
        if (m_parent) DestroyWindow(m_parent);
    }

    void Clear() { std::fill(m_bits, m_bits + kSheetWidth * kSheetHeight, 0x00FFFFFFu); }
    // The pixels darker than mid-grey, and their bounding box.
    int DarkPixels(RECT* bounds = nullptr) {
        GdiFlush();
        int n = 0;
        RECT b{kSheetWidth, kSheetHeight, -1, -1};
        for (int y = 0; y < kSheetHeight; ++y)
            for (int x = 0; x < kSheetWidth; ++x) {
                const std::uint32_t v = m_bits[y * kSheetWidth + x];
                if (((v >> 16) & 0xFF) + ((v >> 8) & 0xFF) + (v & 0xFF) < 3 * 128) {
                    ++n;
                    b = {std::min<LONG>(b.left, x), std::min<LONG>(b.top, y), std::max<LONG>(b.right, x + 1),
                         std::max<LONG>(b.bottom, y + 1)};
                }
            }
        if (bounds) *bounds = b;
        return n;
    }
    // One-inch margins on the whole sheet, from `first`.
    FORMATRANGE Range(long first) {
        FORMATRANGE r{};
        r.hdc = r.hdcTarget = m_dc.get();
        r.rc = {1440, 1440, 12240 - 1440, 15840 - 1440};
        r.rcPage = {0, 0, 12240, 15840};
        r.chrg = {first, -1};
        return r;
    }
    std::wstring TextAt(long first, long last) {
        std::wstring text(static_cast<size_t>(last - first) + 1, L'\0');
        TEXTRANGEW range{{first, last}, text.data()};
        text.resize(static_cast<size_t>(SendMessageW(box.hWnd(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
        return text;
    }

    CRichTextBox box;

private:
    HWND m_parent = nullptr;
    unique_hfont m_font;
    unique_hdc m_dc;
    unique_hbitmap m_bitmap;
    HGDIOBJ m_old = nullptr;
    std::uint32_t* m_bits = nullptr;
};

std::wstring NumberedLines(int count) {
    std::wstring text;
    for (int i = 1; i <= count; ++i) {
        if (i > 1) text += L"\r\n";
        text += L"line " + std::to_wstring(i) + L" holds a few words that are printed in order";
    }
    return text;
}

TEST_F(FormatRangeTest, PagesFollowOneAnotherInTheControlsPositions) {
    box.SetText(NumberedLines(120));
    print_pages::NotePages printed(box);
    const long length = box.TextLength();
    long first = 0;
    int pages = 0;
    while (first < length) {
        FORMATRANGE r = Range(first);
        const LRESULT next = printed.FormatRange(1, &r);
        ASSERT_GT(next, first) << "page " << pages + 1;
        // A page ends after a whole line: positions count a line break once, as the control does.
        if (next < length) {
            EXPECT_EQ(TextAt(static_cast<long>(next), static_cast<long>(next) + 5), L"line ") << "page " << pages + 1;
        }
        first = static_cast<long>(next);
        ++pages;
    }
    EXPECT_GE(pages, 2);
    printed.FormatRange(0, nullptr);
}

TEST_F(FormatRangeTest, DrawsDarkTextInsideTheRectangleAndMeasuringDrawsNothing) {
    box.SetText(L"Some words that wrap at the right edge of the page, repeated. " + std::wstring(20, L'x') +
                L" and more words to follow them onto another line of the page.");
    print_pages::NotePages printed(box);
    FORMATRANGE measure = Range(0);
    const LRESULT measured = printed.FormatRange(0, &measure);
    EXPECT_EQ(DarkPixels(), 0);
    FORMATRANGE render = Range(0);
    const LRESULT rendered = printed.FormatRange(1, &render);
    EXPECT_EQ(measured, rendered);
    EXPECT_EQ(rendered, box.TextLength());
    RECT bounds{};
    EXPECT_GT(DarkPixels(&bounds), 50);
    EXPECT_GE(bounds.left, 96 - 1);
    EXPECT_GE(bounds.top, 96 - 1);
    EXPECT_LE(bounds.right, kSheetWidth - 96 + 1);
    EXPECT_LT(bounds.left, 96 + 4);  // the first line starts at the left edge
    printed.FormatRange(0, nullptr);
}

TEST_F(FormatRangeTest, ARectangleTooSmallForOneLineMakesNoProgress) {
    box.SetText(L"text");
    print_pages::NotePages printed(box);
    FORMATRANGE r = Range(0);
    r.rc.bottom = r.rc.top + 15;  // one hundredth of an inch
    EXPECT_EQ(printed.FormatRange(1, &r), 0);
    EXPECT_EQ(DarkPixels(), 0);
    printed.FormatRange(0, nullptr);
}

TEST_F(FormatRangeTest, ALimitedRangeStopsAtItsEnd) {
    box.SetText(L"first second third");
    print_pages::NotePages printed(box);
    FORMATRANGE r = Range(0);
    r.chrg.cpMax = 5;
    EXPECT_EQ(printed.FormatRange(1, &r), 5);
    printed.FormatRange(0, nullptr);
}

}  // namespace
