#include "platform/win/message_boxes.h"

#include <vector>

#include "platform/win/program_windows.h"

namespace ui {

int MsgBox(std::string_view text, UINT flags, std::string_view title, HWND owner) {
    const std::string t(text);
    const std::string caption = title.empty() ? std::string(kProgramTitle) : std::string(title);
    return MessageBoxA(owner ? owner : GetActiveWindow(), t.c_str(), caption.c_str(), flags);
}

namespace {

constexpr int kPromptId = 100;
constexpr int kEditId = 101;

// An in-memory dialog template: header, then items, each DWORD-aligned.
class DialogTemplate {
public:
    DialogTemplate(std::wstring_view title, short cx, short cy) {
        Put32(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
        Put32(0);
        Put16(0);  // item count, patched as items come
        Put16(0); Put16(0); Put16(static_cast<WORD>(cx)); Put16(static_cast<WORD>(cy));
        Put16(0); Put16(0);  // no menu, default class
        PutText(title);
        Put16(8);
        PutText(L"MS Shell Dlg");
    }
    void Add(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom, std::wstring_view text) {
        Align();
        Put32(style | WS_CHILD | WS_VISIBLE);
        Put32(0);
        Put16(static_cast<WORD>(x)); Put16(static_cast<WORD>(y));
        Put16(static_cast<WORD>(cx)); Put16(static_cast<WORD>(cy));
        Put16(id);
        Put16(0xFFFF); Put16(atom);
        PutText(text);
        Put16(0);
        ++count_;
        bytes_[4] = count_;  // the header's item count
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    void Put16(WORD v) { bytes_.push_back(v); }
    void Put32(DWORD v) { Put16(LOWORD(v)); Put16(HIWORD(v)); }
    void PutText(std::wstring_view s) {
        for (wchar_t c : s) Put16(static_cast<WORD>(c));
        Put16(0);
    }
    void Align() { if (bytes_.size() % 2) Put16(0); }
    std::vector<WORD> bytes_;  // WORD storage keeps the template WORD-aligned
    WORD count_ = 0;
};

struct InputBoxState {
    std::string prompt, title, result;
};

INT_PTR CALLBACK InputBoxProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        state = reinterpret_cast<InputBoxState*>(lp);
        SetWindowLongPtrA(dlg, DWLP_USER, lp);
        SetWindowTextA(dlg, state->title.c_str());
        SetDlgItemTextA(dlg, kPromptId, state->prompt.c_str());
        SetFocus(GetDlgItem(dlg, kEditId));
        return FALSE;  // the focus is set
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
            state->result = WindowTextA(GetDlgItem(dlg, kEditId));
            EndDialog(dlg, IDOK);
            return TRUE;
        }
        if (LOWORD(wp) == IDCANCEL) {
            EndDialog(dlg, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

std::string InputBox(std::string_view prompt, std::string_view title) {
    InputBoxState state{std::string(prompt), title.empty() ? std::string(kProgramTitle) : std::string(title), {}};
    DialogTemplate tpl(L"", 240, 92);
    tpl.Add(SS_LEFT, 7, 7, 170, 56, kPromptId, 0x0082, L"");
    tpl.Add(BS_DEFPUSHBUTTON | WS_TABSTOP, 184, 7, 50, 14, IDOK, 0x0080, L"OK");
    tpl.Add(BS_PUSHBUTTON | WS_TABSTOP, 184, 25, 50, 14, IDCANCEL, 0x0080, L"Cancel");
    tpl.Add(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 70, 226, 13, kEditId, 0x0081, L"");
    DialogBoxIndirectParamA(ProgramInstance(), tpl.get(), GetActiveWindow(), InputBoxProc,
                            reinterpret_cast<LPARAM>(&state));
    return state.result;
}

}  // namespace ui
