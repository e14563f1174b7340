#pragma once
// The shell, common-dialog, common-control, spooler and accessibility functions
// the program calls, loaded on their first use: their DLLs are large, and a note
// that never opens a dialog, sends a mail, prints or meets a screen reader should
// not carry them from its start.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

namespace shell {

HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show);
BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA dialog);
PIDLIST_ABSOLUTE SHBrowseForFolderA(LPBROWSEINFOA info);
BOOL SHGetPathFromIDListA(PCIDLIST_ABSOLUTE list, LPSTR path);
BOOL GetDefaultPrinterA(LPSTR buffer, LPDWORD size);
// The common controls' window classes, registered once for the process by the
// first window that holds such controls (version 6 through the manifest).
void InitCommonControlsOnce();

LRESULT LresultFromObject(REFIID riid, WPARAM flags, LPUNKNOWN object);
HRESULT AccessibleObjectFromWindow(HWND hwnd, DWORD objectId, REFIID riid, void** object);
HRESULT CreateStdAccessibleObject(HWND hwnd, LONG objectId, REFIID riid, void** object);
BSTR SysAllocString(const OLECHAR* text);

}  // namespace shell
