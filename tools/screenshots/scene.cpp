// Sets up one scene of the real program for a picture: the note in a colour
// scheme, or one of its windows open, then writes the screen rectangle to
// capture to a file and waits until the picture has been taken.
//   scene.exe <note|email|savetxt> <rectangle file> <done file>
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>

#include "mail/frmSendEmail.h"
#include "menu/menu_commands.h"
#include "note/COutlookNote.h"

namespace {

void Pump(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

HWND ForegroundOf(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndActive : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    COutlookNote note;
    if (!note.Create()) return 1;
    note.rtbMain.SetText(L"Milk, eggs, bread\r\nCall the garage about the brakes\r\nDentist on Thursday, 3 pm");
    note.ApplyForeColor(note.ForeColorID);
    HWND subject = note.hWnd();
    if (std::strcmp(argv[1], "email") == 0) {
        note.HandleMenuCommand(cmd::EmailTo);
        subject = frmSendEmail::Instance().hWnd();
        SetWindowTextA(frmSendEmail::Instance().txtMainAddresses, "someone@example.com");
    } else if (std::strcmp(argv[1], "savetxt") == 0) {
        note.HandleMenuCommand(cmd::SaveAs);
        subject = ForegroundOf(GetCurrentThreadId());
    }
    Pump(700);
    RECT r{};
    GetWindowRect(subject, &r);
    if (FILE* out = std::fopen(argv[2], "w")) {
        std::fprintf(out, "%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        std::fclose(out);
    }
    for (int i = 0; i < 300 && GetFileAttributesA(argv[3]) == INVALID_FILE_ATTRIBUTES; ++i) Pump(100);
    CoUninitialize();
    return 0;
}
