#include "support/dialog_script.h"

#include <algorithm>

#include "support/readers.h"

namespace {
thread_local DialogScript* t_current = nullptr;

struct ChildSearch {
    HWND edit = nullptr;
    HWND defaultButton = nullptr;
    HWND icon = nullptr;
    bool fileOrFolder = false;  // a file or folder dialog
};

BOOL CALLBACK InspectChild(HWND child, LPARAM lp) {
    auto* found = reinterpret_cast<ChildSearch*>(lp);
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (lstrcmpiA(cls, "Edit") == 0 && !found->edit) found->edit = child;
    if (lstrcmpiA(cls, "Button") == 0 && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) found->defaultButton = child;
    if (lstrcmpiA(cls, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) found->icon = child;
    if (lstrcmpiA(cls, "SysTreeView32") == 0 || lstrcmpiA(cls, "ComboBox") == 0) found->fileOrFolder = true;
    return TRUE;
}

UINT IconFlag(HWND iconControl) {
    if (!iconControl) return 0;
    const auto icon = reinterpret_cast<HICON>(SendMessageA(iconControl, STM_GETICON, 0, 0));
    // The shared system icons come back as the same handles every time.
    if (icon == LoadIcon(nullptr, IDI_HAND)) return MB_ICONERROR;
    if (icon == LoadIcon(nullptr, IDI_QUESTION)) return MB_ICONQUESTION;
    if (icon == LoadIcon(nullptr, IDI_EXCLAMATION)) return MB_ICONEXCLAMATION;
    if (icon == LoadIcon(nullptr, IDI_ASTERISK)) return MB_ICONINFORMATION;
    return 0xFFFF;  // some other icon: matches no flag a test expects
}

UINT ButtonFlags(HWND box) {
    const bool ok = GetDlgItem(box, IDOK), cancel = GetDlgItem(box, IDCANCEL);
    const bool yes = GetDlgItem(box, IDYES), no = GetDlgItem(box, IDNO);
    if (yes && no) return cancel ? MB_YESNOCANCEL : MB_YESNO;
    if (ok && cancel) return MB_OKCANCEL;
    return ok ? MB_OK : 0xFFFF;
}

constexpr UINT kSettleMs = 50;
}  // namespace

std::vector<DialogScript::Step> DialogScript::Presses(const std::vector<int>& buttons) {
    std::vector<Step> steps;
    for (const int button : buttons) steps.push_back(Press(button));
    return steps;
}

DialogScript::DialogScript(std::vector<Step> steps, Step otherwise)
    : steps_(std::move(steps)), otherwise_(std::move(otherwise)) {
    previous_ = t_current;
    t_current = this;
    hook_ = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
}

DialogScript::~DialogScript() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (timer_) KillTimer(nullptr, timer_);
    t_current = previous_;
}

LRESULT CALLBACK DialogScript::CbtProc(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && t_current) {
        HWND hwnd = reinterpret_cast<HWND>(wp);
        char cls[16] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0) t_current->Notice(hwnd);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void DialogScript::Notice(HWND box) {
    if (std::find(answered_.begin(), answered_.end(), box) != answered_.end()) return;
    answered_.push_back(box);
    pending_.push_back(box);
    // The box finishes its set-up (default button, focus) after it activates:
    // look at it and answer from the box's own message loop a moment later.
    if (!timer_) timer_ = SetTimer(nullptr, 0, kSettleMs, &DialogScript::Settled);
}

void CALLBACK DialogScript::Settled(HWND, UINT, UINT_PTR id, DWORD) {
    DialogScript* self = t_current;
    if (!self || self->timer_ != id) {
        KillTimer(nullptr, id);
        return;
    }
    KillTimer(nullptr, id);
    self->timer_ = 0;
    std::vector<HWND> boxes;
    boxes.swap(self->pending_);
    for (HWND box : boxes)
        if (IsWindow(box)) self->Answer(box);
}

void DialogScript::Answer(HWND box) {
    ChildSearch children;
    EnumChildWindows(box, InspectChild, reinterpret_cast<LPARAM>(&children));
    // A message box shows its text in static 0xFFFF; the input box has one edit box and no list.
    const HWND text = GetDlgItem(box, 0xFFFF);
    if (children.fileOrFolder || (!text && !children.edit)) return;
    const Step step = next_ < steps_.size() ? steps_[next_] : otherwise_;
    ++next_;
    Seen seen;
    seen.caption = testsupport::WindowText(box);
    seen.owner = GetWindow(box, GW_OWNER);
    if (text) seen.text = testsupport::WindowText(text);
    seen.flags = ButtonFlags(box) | IconFlag(children.icon);
    seen.defaultButton = children.defaultButton;
    seen.defaultButtonId = children.defaultButton ? GetDlgCtrlID(children.defaultButton) : 0;
    HWND button = step.button ? GetDlgItem(box, step.button) : nullptr;
    seen.hadButton = button != nullptr;
    seen_.push_back(seen);
    if (step.typeText && children.edit) SetWindowTextA(children.edit, step.editText.c_str());
    if (step.button)
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(step.button, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}
