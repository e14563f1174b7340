#pragma once
// The system functions the program binds when it first calls them, each from
// its library in the system folder: the shell, common-dialog, common-control,
// spooler and accessibility libraries are large, and a note that never opens a
// dialog, prints or meets a screen reader should not carry them from its
// start; the user32 functions of newer systems are missing, not fatal, on
// older ones. Each answers as the system does when it cannot run.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

namespace late {

// Keeps every later library load of the process to the system folder; called first thing.
void LoadOnlyFromSystemFolder();

// The library `dll` from the system folder, loaded on the first call and kept
// for the process's life; null when it cannot be loaded.
HMODULE Library(const char* dll);

// The UI thread's single-threaded apartment, entered on the first call: the
// shell's dialogs, ShellExecute and the accessibility server need one, and
// entering it takes a tenth of a note's start under Wine. The functions below
// that need it enter it themselves; the apartment is left when the process's
// ApartmentScope ends.
void EnterApartment();
class ApartmentScope {
public:
    ApartmentScope() = default;
    ApartmentScope(const ApartmentScope&) = delete;
    ApartmentScope& operator=(const ApartmentScope&) = delete;
    ~ApartmentScope();
};

HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show);
BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA dialog);
PIDLIST_ABSOLUTE SHBrowseForFolderA(LPBROWSEINFOA info);
BOOL SHGetPathFromIDListW(PCIDLIST_ABSOLUTE list, LPWSTR path);
BOOL GetDefaultPrinterW(LPWSTR buffer, LPDWORD size);
HRESULT SHGetFolderPathW(HWND hwnd, int folder, HANDLE token, DWORD flags, LPWSTR path);
// The common controls' window classes, registered once for the process by the
// first window that holds such controls (version 6 through the manifest).
void InitCommonControlsOnce();

LRESULT LresultFromObject(REFIID riid, WPARAM flags, LPUNKNOWN object);
HRESULT AccessibleObjectFromWindow(HWND hwnd, DWORD objectId, REFIID riid, void** object);
HRESULT CreateStdAccessibleObject(HWND hwnd, LONG objectId, REFIID riid, void** object);
BSTR SysAllocString(const OLECHAR* text);

// 0 where the system has no per-window dots per inch.
UINT GetDpiForWindow(HWND hwnd);
BOOL AdjustWindowRectExForDpi(RECT* rect, DWORD style, BOOL menu, DWORD exStyle, UINT dpi);
BOOL ShutdownBlockReasonCreate(HWND hwnd, LPCWSTR reason);
BOOL ShutdownBlockReasonDestroy(HWND hwnd);
// Asks Windows to start the program again after an update restart or a crash;
// E_NOTIMPL where the system cannot.
HRESULT RegisterApplicationRestart(PCWSTR commandLine, DWORD flags);

}  // namespace late
