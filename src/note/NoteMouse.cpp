// Mouse handling over the painted chrome: move, size, close, menu, minimize.
#include "note/COutlookNote.h"

void COutlookNote::OnMouseDown(int button, double x, double y) {
    if (button != 1) return;
    const std::int16_t px = modMain::ToNearestInt16(x), py = modMain::ToNearestInt16(y);
    POINT cursor{};
    GetCursorPos(&cursor);
    // The system's move and size loops start from the cursor's screen position.
    const LPARAM at = MAKELPARAM(cursor.x, cursor.y);
    if (modMain::IsPointInRect(px, py, TitleRect)) {
        ReleaseCapture();
        SendMessageA(m_hwnd, WM_NCLBUTTONDOWN, HTCAPTION, at);
    } else if (modMain::IsPointInRect(px, py, SizeGripRect)) {
        ReleaseCapture();
        SendMessageA(m_hwnd, WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, at);
        InvalidateRect(m_hwnd, nullptr, TRUE);
    } else if (modMain::IsPointInRect(px, py, CloseRect)) {
        Unload();
    } else if (modMain::IsPointInRect(px, py, MenuIconRect)) {
        OpenMenuUnderIcon();
    } else if (modMain::IsPointInRect(px, py, MinRect)) {
        ShowWindow(m_hwnd, SW_MINIMIZE);
    }
}

void COutlookNote::OpenMenuUnderIcon() {
    RECT window{};
    GetWindowRect(m_hwnd, &window);
    HandleMenuCommand(NoteMenu->Pop(m_hwnd, TPM_RETURNCMD, window.left + Scale(2), window.top + Scale(20)));
}

void COutlookNote::OnMouseUp(int button, double x, double y) {
    if (button != 2) return;
    if (modMain::IsPointInRect(modMain::ToNearestInt16(x), modMain::ToNearestInt16(y), TitleRect))
        HandleMenuCommand(NoteMenu->Pop(m_hwnd, TPM_RETURNCMD, -1, -1));
}
