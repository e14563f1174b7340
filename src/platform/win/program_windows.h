#pragma once
// The program's windows as a whole: its instance and folder, its window
// classes, window texts, the rule that the process ends when its last window
// has closed, the modeless windows that take dialog keys, and the cursor and
// session state they show.
#include <windows.h>

#include <string>

namespace ui {

HINSTANCE ProgramInstance();
// True under Wine (its ntdll exports wine_get_version).
bool RunningUnderWine();
// Registers a window class of the program (once; later calls find it): the
// program's icon, the arrow cursor, and `background` (null: the window paints its own).
bool RegisterProgramClass(const char* name, WNDPROC wndProc, HBRUSH background, UINT style = 0);
// A window's text, whole; the narrow form in the narrow calls' code page.
std::string WindowTextA(HWND hwnd);
std::wstring WindowTextW(HWND hwnd);
// The executable's full path, and its folder without a trailing backslash
// (except at a drive root such as C:\).
std::string ProgramPath();
std::string ProgramFolder();

// The program's top-level windows report their creation and end here; with
// quitting enabled (the program, not the tests) the last one to go ends the
// message loop.
void QuitWhenLastWindowCloses();
void TopLevelWindowCreated();
void TopLevelWindowDestroyed();

// Restores the window when it is minimized, brings it to the front and activates it.
void BringToFront(HWND hwnd);

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
