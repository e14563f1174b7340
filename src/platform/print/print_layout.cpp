#include "platform/print/print_layout.h"

#include <algorithm>

#include "platform/win/units.h"

namespace print_layout {

namespace {

bool IsLineBreak(wchar_t c) { return c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f'; }

// The position after the line break at `pos` (CR LF counts as one break).
std::size_t AfterBreak(std::wstring_view text, std::size_t pos) {
    if (text[pos] == L'\r' && pos + 1 < text.size() && text[pos + 1] == L'\n') return pos + 2;
    return pos + 1;
}

// How many characters of `run` fit, asking the callback about a bounded prefix
// only, so that a very long paragraph costs in proportion to one line.
std::size_t FitCount(std::wstring_view run, int width, const FitFunction& fit) {
    std::size_t window = 512;
    for (;;) {
        const std::wstring_view part = run.substr(0, std::min(window, run.size()));
        const std::size_t n = std::min(fit(part, width), part.size());
        if (n < part.size() || part.size() == run.size()) return n;
        window *= 4;
    }
}

struct LineResult {
    PageLine line;
    std::size_t next = 0;
};

// One line from `pos`, which is not at the end of the text.
LineResult NextLine(std::wstring_view text, std::size_t pos, int width, const FitFunction& fit) {
    std::size_t end = pos;  // end of the paragraph's characters: a break or the text's end
    while (end < text.size() && !IsLineBreak(text[end])) ++end;
    if (end == pos) return {{pos, 0}, AfterBreak(text, pos)};

    const std::wstring_view run = text.substr(pos, end - pos);
    const std::size_t fits = FitCount(run, width, fit);
    std::size_t drawn;
    if (fits >= run.size()) {
        drawn = run.size();
    } else {
        // Wrap at the last space within the line that follows a word; a word
        // wider than the line is broken between characters.
        const std::size_t firstWord = std::min(run.find_first_not_of(L' '), run.size());
        std::size_t space = fits;
        while (space > firstWord && run[space] != L' ') --space;
        if (space > firstWord) {
            while (run[space - 1] == L' ') --space;
            drawn = space;
        } else {
            drawn = std::max<std::size_t>(fits, 1);
        }
    }
    std::size_t next = pos + drawn;
    if (drawn < run.size()) {
        while (next < end && text[next] == L' ') ++next;  // spaces at a wrap hang past the edge
    }
    if (next == end && end < text.size()) next = AfterBreak(text, end);
    return {{pos, drawn}, next};
}

}  // namespace

PrintGeometry ComputePrintGeometry(const DeviceMetrics& d, int left, int top, int right, int bottom) {
    const int offX = PixelsToTwips(d.offsetX, d.logPixelsX);
    const int offY = PixelsToTwips(d.offsetY, d.logPixelsY);
    const int sheetWidth = PixelsToTwips(d.physicalWidth, d.logPixelsX);
    const int sheetHeight = PixelsToTwips(d.physicalHeight, d.logPixelsY);
    PrintGeometry g;
    g.rc = {left - offX, top - offY, (sheetWidth - right) - offX, (sheetHeight - bottom) - offY};
    g.rcPage = {0, 0, PixelsToTwips(d.printableWidth, d.logPixelsX),
                PixelsToTwips(d.printableHeight, d.logPixelsY)};
    return g;
}

PageLayout LayOutPage(std::wstring_view text, std::size_t first, int width, int height, int lineHeight,
                      const FitFunction& fit) {
    PageLayout page;
    page.next = std::min(first, text.size());
    if (lineHeight <= 0 || width <= 0) return page;
    int y = 0;
    while (page.next < text.size() && y + lineHeight <= height) {
        const LineResult r = NextLine(text, page.next, width, fit);
        if (r.line.length == 0 && r.next == page.next) break;  // cannot happen; guards the loop
        page.lines.push_back(r.line);
        page.next = r.next;
        y += lineHeight;
    }
    return page;
}

}  // namespace print_layout
