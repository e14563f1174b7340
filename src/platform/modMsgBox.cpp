#include "platform/modMsgBox.h"

#include <stdexcept>
#include <string>

#include "platform/win/program_windows.h"

namespace modMsgBox {

namespace {

// One per UI thread: a box is only ever looked for on the thread that showed it.
thread_local std::string g_savedTitle;

struct BoxSearch {
    const std::string* title;
    HWND found;
};

BOOL CALLBACK FindOwnBox(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<BoxSearch*>(lp);
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") != 0) return TRUE;
    if (ui::WindowTextA(hwnd) != *search->title) return TRUE;
    search->found = hwnd;
    return FALSE;
}

BOOL CALLBACK FindDefaultButton(HWND child, LPARAM lp) {
    char cls[16] = {};
    GetClassNameA(child, cls, sizeof cls);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (lstrcmpiA(cls, "Button") == 0 && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        *reinterpret_cast<HWND*>(lp) = child;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::int16_t TimedMsgBox(HWND owner, std::string_view text, std::string_view title, UINT flags,
                         std::int16_t seconds) {
    g_savedTitle = std::string(title);
    const int product = seconds * 1000;
    if (product < INT16_MIN || product > INT16_MAX) throw std::overflow_error("Overflow");
    const auto delay = static_cast<std::int16_t>(product);
    SetTimer(owner, kTimerId, static_cast<UINT>(static_cast<std::int32_t>(delay)), &MsgBoxTimerProc);
    const std::string boxText(text);
    const int result = MessageBoxA(owner, boxText.c_str(), g_savedTitle.c_str(), flags);
    // Some systems report a box that could not be shown as -1 rather than 0.
    return static_cast<std::int16_t>(result < 0 ? 0 : result);
}

void CALLBACK MsgBoxTimerProc(HWND hwnd, UINT, UINT_PTR idEvent, DWORD) {
    KillTimer(hwnd, idEvent);
    if (idEvent != kTimerId) return;
    // Only this thread's own box is pressed, and by its own default button: no
    // keystroke can land in another program's window.
    BoxSearch search{&g_savedTitle, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindOwnBox, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return;
    HWND button = nullptr;
    EnumChildWindows(search.found, FindDefaultButton, reinterpret_cast<LPARAM>(&button));
    if (!button) return;
    PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

}  // namespace modMsgBox
