#pragma once
// Handle-free arithmetic of printing: the printer's pixels to twips, the drawing
// rectangle of a print job, and the page layout that stands in for the rich edit
// control's EM_FORMATRANGE where the control cannot lay out (word wrap by a
// measuring callback, page breaks at the bottom).
#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace print_layout {

// What the printer reports of itself, in its own pixels (GetDeviceCaps).
struct DeviceMetrics {
    int logPixelsX = 0, logPixelsY = 0;          // LOGPIXELSX, LOGPIXELSY
    int physicalWidth = 0, physicalHeight = 0;   // PHYSICALWIDTH, PHYSICALHEIGHT: the sheet
    int printableWidth = 0, printableHeight = 0; // HORZRES, VERTRES
    int offsetX = 0, offsetY = 0;                // PHYSICALOFFSETX, PHYSICALOFFSETY
};

struct TwipRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const TwipRect&) const = default;
};

// The FORMATRANGE rectangles of a print job, in twips relative to
// the printable area's top-left corner.
struct PrintGeometry {
    TwipRect rc;      // the drawing rectangle inside the margins
    TwipRect rcPage;  // (0, 0, printable width, printable height)
};

// Margins are measured from the sheet's edges, in twips.
PrintGeometry ComputePrintGeometry(const DeviceMetrics& device, int left, int top, int right, int bottom);

// How many leading characters of `run` fit within `width` layout units when
// drawn from the start of a line (GetTextExtentExPoint's fit count).
using FitFunction = std::function<std::size_t(std::wstring_view run, int width)>;

// One printed line: the characters [start, start + length) of the text, drawn
// at the line's left edge; the spaces at a wrap and the line break itself are
// consumed but not drawn.
struct PageLine {
    std::size_t start = 0;
    std::size_t length = 0;
    bool operator==(const PageLine&) const = default;
};

struct PageLayout {
    std::vector<PageLine> lines;
    // The first character that did not fit; `first` itself when not even one
    // line fits (no progress), the text's size when everything fitted.
    std::size_t next = 0;
};

// Lays out text[first..] on one page `width` by `height` layout units with
// lines `lineHeight` high: a line wraps after the last space that fits, a word
// wider than the line is broken between characters, and CR, LF, CR LF, VT and
// FF end a line. Lines are added while they fit entirely above the bottom.
PageLayout LayOutPage(std::wstring_view text, std::size_t first, int width, int height, int lineHeight,
                      const FitFunction& fit);

}  // namespace print_layout
