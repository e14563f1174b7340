// Scrivlet: one note window per process.
#include <windows.h>
#include <objbase.h>

#include "note/COutlookNote.h"
#include "platform/win/late_bound.h"
#include "platform/win/program_windows.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    late::LoadOnlyFromSystemFolder();
    // The shell's folder dialog needs an apartment on this, the only UI thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ui::QuitWhenLastWindowCloses();

    COutlookNote note;
    int exitCode = 1;
    if (note.Create()) {
        MSG msg;
        // Wide messages: characters typed into the note or the boxes reach them whole,
        // whatever the ANSI code page holds.
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (ui::TranslateModelessMessage(&msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        exitCode = 0;
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return exitCode;
}
