// Scrivlet: one note window per process.
#include <windows.h>

#include "note/COutlookNote.h"
#include "platform/win/late_bound.h"
#include "platform/win/program_windows.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    late::LoadOnlyFromSystemFolder();
    const late::ApartmentScope apartment;  // entered by the first call that needs it
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
    return exitCode;
}
