#include "platform/win/dpi.h"

#include "platform/win/units.h"
#include "platform/win/late_bound.h"

namespace ui {

int SystemDpi() {
    HDC screen = GetDC(nullptr);  // borrowed: released right here
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

namespace {
int MonitorDpiOf(HWND hwnd) {
    const UINT dpi = hwnd ? late::GetDpiForWindow(hwnd) : 0;
    return dpi ? static_cast<int>(dpi) : SystemDpi();
}
}  // namespace

int (*WindowDpi)(HWND hwnd) = &MonitorDpiOf;

HFONT CreatePointFont(const char* face, int centipoints, bool bold, int dpi) {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(centipoints, dpi, 7200);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

void AdjustFrameForDpi(RECT* rect, DWORD style, DWORD exStyle, int dpi) {
    if (!late::AdjustWindowRectExForDpi(rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(rect, style, FALSE, exStyle);
}

namespace {
// A rectangle of this size in the middle of the primary screen.
RECT CentredOnScreen(int width, int height) {
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    return {left, top, left + width, top + height};
}
}  // namespace

RECT FrameForClient(int widthTwips, int heightTwips, DWORD style, DWORD exStyle, int dpi, const POINT* topLeft) {
    RECT frame{0, 0, TwipsToPixels(widthTwips, dpi), TwipsToPixels(heightTwips, dpi)};
    if (topLeft) OffsetRect(&frame, topLeft->x, topLeft->y);
    AdjustFrameForDpi(&frame, style, exStyle, dpi);
    return topLeft ? frame : CentredOnScreen(frame.right - frame.left, frame.bottom - frame.top);
}

void FitFrameToWindowDpi(HWND hwnd, int widthTwips, int heightTwips, bool centred) {
    const int dpi = WindowDpi(hwnd);
    if (dpi == SystemDpi()) return;  // measured right already
    // The border and caption the window has now are already those of its monitor.
    RECT window{}, client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    const int width = TwipsToPixels(widthTwips, dpi) + (window.right - window.left) - client.right;
    const int height = TwipsToPixels(heightTwips, dpi) + (window.bottom - window.top) - client.bottom;
    if (centred) {
        const RECT frame = CentredOnScreen(width, height);
        SetWindowPos(hwnd, nullptr, frame.left, frame.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace ui
