#pragma once
// Dots per inch: of the system and of each window's monitor, and the fonts and
// frames measured for them.
#include <windows.h>

namespace ui {

// Dots per inch: of the system, and of the monitor a window is on (the system's
// where the system has no per-window value). Tests may put another function in
// WindowDpi's place, for a monitor whose dots per inch differ from the system's.
int SystemDpi();
extern int (*WindowDpi)(HWND hwnd);
// A font of `centipoints` hundredths of a point at `dpi`; the caller owns it.
HFONT CreatePointFont(const char* face, int centipoints, bool bold, int dpi);
// The frame rectangle around a client rectangle at `dpi`.
void AdjustFrameForDpi(RECT* rect, DWORD style, DWORD exStyle, int dpi);
// The frame of a window whose client area measures `widthTwips` x `heightTwips`
// at `dpi`: with its top-left corner at `topLeft`, or centred on the screen.
RECT FrameForClient(int widthTwips, int heightTwips, DWORD style, DWORD exStyle, int dpi,
                    const POINT* topLeft = nullptr);
// A window is made with its frame measured at the system's dots per inch; once
// it knows the monitor it is on, this gives it the client area of `widthTwips`
// x `heightTwips` at that monitor's, centred on the screen or where it stands.
void FitFrameToWindowDpi(HWND hwnd, int widthTwips, int heightTwips, bool centred);

}  // namespace ui
