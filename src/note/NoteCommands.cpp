// The popup menu's commands.
#include "mail/frmSendEmail.h"
#include "menu/menu_commands.h"
#include "note/COutlookNote.h"
#include "note/note_colors.h"
#include "textfile/frmSavetxt.h"

void COutlookNote::HandleMenuCommand(int id) {
    if (id == cmd::None) return;
    modMain::MenuChoiceID = static_cast<std::int16_t>(id);
    switch (id) {
    case cmd::NewNote:
        NewNote();
        break;
    case cmd::SaveAs:
    case cmd::OpenFile:
        frmSavetxt::Show(id, *this);  // loads it in this command's mode, or brings the loaded one to the front
        break;
    case cmd::Delete:
        ReplaceText(L"");
        break;
    case cmd::EmailTo:
        frmSendEmail::Show(*this);
        break;
    case cmd::Cut:
        SendMessageA(rtbMain.hWnd(), WM_CUT, 0, 0);
        break;
    case cmd::Copy:
        SendMessageA(rtbMain.hWnd(), WM_COPY, 0, 0);
        break;
    case cmd::Paste:
        SendMessageA(rtbMain.hWnd(), WM_PASTE, 0, 0);
        break;
    case cmd::SelectAll:
        rtbMain.SetSelStart(0);
        rtbMain.SetSelLength(rtbMain.TextLength());
        break;
    case cmd::Print:
        PrintNote();
        break;
    case cmd::Minimize:
        MinimizeNote();
        ShowWindow(m_hwnd, SW_MINIMIZE);
        break;
    case cmd::Close:
        Unload();
        break;
    default:
        if (id >= kFirstBackColorId && id <= kLastBackColorId) ApplyBackColor(id);
        else if (id >= kFirstForeColorId && id <= kLastForeColorId) ApplyForeColor(id);
        break;
    }
}
