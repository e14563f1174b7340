#include "textfile/box_watcher.h"

#include <algorithm>

namespace {

thread_local BoxWatcher* t_current = nullptr;

std::string TextOf(HWND hwnd) {
    std::string s(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(hwnd, s.data(), static_cast<int>(s.size()))));
    return s;
}

struct Children {
    HWND icon = nullptr;
    bool tree = false;
};

BOOL CALLBACK Inspect(HWND child, LPARAM lp) {
    auto* found = reinterpret_cast<Children*>(lp);
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "SysTreeView32") == 0) found->tree = true;
    if (lstrcmpiA(cls, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        found->icon = child;
    return TRUE;
}

UINT IconFlag(HWND iconControl) {
    if (!iconControl) return 0;
    const auto icon = reinterpret_cast<HICON>(SendMessageA(iconControl, STM_GETICON, 0, 0));
    // The shared system icons come back as the same handles every time.
    if (icon == LoadIconA(nullptr, MAKEINTRESOURCEA(32513))) return MB_ICONERROR;
    if (icon == LoadIconA(nullptr, MAKEINTRESOURCEA(32514))) return MB_ICONQUESTION;
    if (icon == LoadIconA(nullptr, MAKEINTRESOURCEA(32515))) return MB_ICONEXCLAMATION;
    if (icon == LoadIconA(nullptr, MAKEINTRESOURCEA(32516))) return MB_ICONINFORMATION;
    return 0xFFFF;  // some other icon: matches no flag a test expects
}

UINT ButtonFlags(HWND box) {
    const bool ok = GetDlgItem(box, IDOK), cancel = GetDlgItem(box, IDCANCEL);
    const bool yes = GetDlgItem(box, IDYES), no = GetDlgItem(box, IDNO);
    if (yes && no) return cancel ? MB_YESNOCANCEL : MB_YESNO;
    if (ok && cancel) return MB_OKCANCEL;
    return ok ? MB_OK : 0xFFFF;
}

}  // namespace

BoxWatcher::BoxWatcher(std::vector<int> answers, int otherwise) : answers_(std::move(answers)), otherwise_(otherwise) {
    previous_ = t_current;
    t_current = this;
    hook_ = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
}

BoxWatcher::~BoxWatcher() {
    if (hook_) UnhookWindowsHookEx(hook_);
    t_current = previous_;
}

LRESULT CALLBACK BoxWatcher::CbtProc(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && t_current) {
        const auto hwnd = reinterpret_cast<HWND>(wp);
        char cls[16] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0) t_current->Answer(hwnd);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void BoxWatcher::Answer(HWND box) {
    Children children;
    EnumChildWindows(box, Inspect, reinterpret_cast<LPARAM>(&children));
    const HWND text = GetDlgItem(box, 0xFFFF);  // a message box's text
    if (!text || children.tree) return;
    if (std::find(answered_.begin(), answered_.end(), box) != answered_.end()) return;
    answered_.push_back(box);
    const size_t n = boxes_.size();
    const int answer = n < answers_.size() ? answers_[n] : otherwise_;
    Box seen;
    seen.caption = TextOf(box);
    seen.text = TextOf(text);
    seen.flags = ButtonFlags(box) | IconFlag(children.icon);
    const HWND button = GetDlgItem(box, answer);
    seen.hadButton = button != nullptr;
    boxes_.push_back(seen);
    // Posted: the box is still being activated inside this hook.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}
