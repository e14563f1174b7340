#pragma once
// The common services of the windowing environment that every window leans on:
// message and input boxes, the program's folder and instance, dates in the
// user's formats, ANSI text at the system boundary, and the rule that the
// process ends when its last window has closed.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/date_pattern.h"

namespace ui {

inline constexpr char kProgramTitle[] = "Scrivlet";

// A modal message box over the thread's active window; an empty title shows
// the program title. Returns IDOK, IDCANCEL, IDYES, IDNO, ...
int MsgBox(std::string_view text, UINT flags = MB_OK, std::string_view title = {});

// A modal box asking for one line of text; the empty text on Cancel.
std::string InputBox(std::string_view prompt, std::string_view title);

HINSTANCE ProgramInstance();
// Registers a window class of the program (once; later calls find it): the
// program's icon, the arrow cursor, and `background` (null: the window paints its own).
bool RegisterProgramClass(const char* name, WNDPROC wndProc, HBRUSH background, UINT style = 0);
// A window's text, whole.
std::string WindowTextA(HWND hwnd);
std::wstring WindowTextW(HWND hwnd);
// The executable's full path, and its folder without a trailing backslash
// (except at a drive root such as C:\).
std::string ProgramPath();
std::string ProgramFolder();

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

// Dates in the user's regional formats and separators.
DateParts ToDateParts(const SYSTEMTIME& time);
DateSeparators UserDateSeparators();
std::string LongDateText(const SYSTEMTIME& time);
std::string ShortDateText(const SYSTEMTIME& time);
std::string FormatTime(std::string_view pattern, const SYSTEMTIME& time);
SYSTEMTIME Now();

// Narrow text in the system's ANSI code page. `lossy` tells whether some
// character had no ANSI form and was replaced.
std::string ToAnsi(std::wstring_view text, bool* lossy = nullptr);
std::wstring FromAnsi(std::string_view text);
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

// The program's top-level windows report their creation and end here; with
// quitting enabled (the program, not the tests) the last one to go ends the
// message loop.
void QuitWhenLastWindowCloses();
void TopLevelWindowCreated();
void TopLevelWindowDestroyed();

// Modeless windows that want dialog keys (Tab, Enter) from the message loop.
void AddModelessWindow(HWND hwnd);
void RemoveModelessWindow(HWND hwnd);
// True when one of them took the message as a dialog key.
bool TranslateModelessMessage(MSG* msg);

// The reason Windows shows for a window that holds up the end of the session,
// for the life of the object.
class ShutdownBlock {
public:
    ShutdownBlock(HWND hwnd, const wchar_t* reason);
    ~ShutdownBlock();
    ShutdownBlock(const ShutdownBlock&) = delete;
    ShutdownBlock& operator=(const ShutdownBlock&) = delete;

private:
    HWND hwnd_;  // borrowed
    bool set_;
};

// The wait cursor for the life of the object.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;  // shared system cursor: never destroyed
};

}  // namespace ui
