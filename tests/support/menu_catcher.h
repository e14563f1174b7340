#pragma once
// Popup menus opened by the program on this thread, caught from inside their
// own modal loop.
#include <windows.h>

#include <functional>
#include <vector>

namespace testsupport {

// The visible popup menu window of this process, if one is open.
HWND FindOpenMenu();

// Dismisses every popup menu that opens while it lives and notes where each was.
class MenuCatcher {
public:
    MenuCatcher();
    ~MenuCatcher();
    MenuCatcher(const MenuCatcher&) = delete;
    MenuCatcher& operator=(const MenuCatcher&) = delete;
    const std::vector<RECT>& menus() const { return menus_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    UINT_PTR timer_;
    MenuCatcher* previous_;
    std::vector<RECT> menus_;
};

// Runs `open` and gives where the first menu it opened appeared; an empty
// rectangle when none opened.
RECT MenuOpenedBy(const std::function<void()>& open);

}  // namespace testsupport
