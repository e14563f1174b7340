// The popup menu's commands.
#include "note/COutlookNote.h"
#include "textfile/frmSavetxt.h"

#include "mail/frmSendEmail.h"

void COutlookNote::HandleMenuCommand(int id) {
    if (id == 0) return;
    MenuChoiceID = static_cast<std::int16_t>(id);
    switch (id) {
    case 100:
        NewNote();
        break;
    case 101:
    case 111:
        frmSavetxt::Show();  // loads it in this command's mode, or brings the loaded one to the front
        break;
    case 102:
        rtbMain.SetText(L"");
        break;
    case 103:
        frmSendEmail::Instance().Show();
        break;
    case 104:
        SendMessageA(rtbMain.hWnd(), WM_CUT, 0, 0);
        break;
    case 105:
        SendMessageA(rtbMain.hWnd(), WM_COPY, 0, 0);
        break;
    case 106:
        SendMessageA(rtbMain.hWnd(), WM_PASTE, 0, 0);
        break;
    case 109:
        rtbMain.SetSelStart(0);
        rtbMain.SetSelLength(rtbMain.TextLength());
        break;
    case 107:
        PrintNote();
        break;
    case 110:
        MinimizeNote();
        ShowWindow(m_hwnd, SW_MINIMIZE);
        break;
    case 108:
        Unload();
        break;
    default:
        if (id >= 201 && id <= 206) ApplyBackColor(id);
        else if (id >= 2201 && id <= 2206) ApplyForeColor(id);
        break;
    }
}
