#include "support/menu_catcher.h"

namespace testsupport {

namespace {
MenuCatcher* g_current = nullptr;

BOOL CALLBACK FindMenuWindow(HWND hwnd, LPARAM lp) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32768") == 0 && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(lp) = hwnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindOpenMenu() {
    HWND found = nullptr;
    EnumWindows(FindMenuWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

MenuCatcher::MenuCatcher() : timer_(SetTimer(nullptr, 0, 200, &MenuCatcher::Tick)), previous_(g_current) {
    g_current = this;
}

MenuCatcher::~MenuCatcher() {
    KillTimer(nullptr, timer_);
    g_current = previous_;
}

void CALLBACK MenuCatcher::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND menu = FindOpenMenu(); menu && g_current) {
        RECT r{};
        GetWindowRect(menu, &r);
        g_current->menus_.push_back(r);
        EndMenu();
    }
}

RECT MenuOpenedBy(const std::function<void()>& open) {
    MenuCatcher catcher;
    open();
    return catcher.menus().empty() ? RECT{} : catcher.menus().front();
}

}  // namespace testsupport
