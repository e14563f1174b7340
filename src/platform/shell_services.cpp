#include "platform/shell_services.h"

#include "platform/late_loading.h"

namespace shell {

HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
    using Fn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    static const Fn fn = late::Function<Fn>("shell32.dll", "ShellExecuteA");
    // Without the shell, report what the shell reports when it cannot run the file.
    return fn ? fn(hwnd, operation, file, parameters, directory, show)
              : reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_NOASSOC));
}

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA dialog) {
    using Fn = BOOL(WINAPI*)(LPOPENFILENAMEA);
    static const Fn fn = late::Function<Fn>("comdlg32.dll", "GetOpenFileNameA");
    return fn ? fn(dialog) : FALSE;
}

PIDLIST_ABSOLUTE SHBrowseForFolderA(LPBROWSEINFOA info) {
    using Fn = PIDLIST_ABSOLUTE(WINAPI*)(LPBROWSEINFOA);
    static const Fn fn = late::Function<Fn>("shell32.dll", "SHBrowseForFolderA");
    return fn ? fn(info) : nullptr;
}

BOOL SHGetPathFromIDListA(PCIDLIST_ABSOLUTE list, LPSTR path) {
    using Fn = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, LPSTR);
    static const Fn fn = late::Function<Fn>("shell32.dll", "SHGetPathFromIDListA");
    return fn ? fn(list, path) : FALSE;
}

BOOL GetDefaultPrinterA(LPSTR buffer, LPDWORD size) {
    using Fn = BOOL(WINAPI*)(LPSTR, LPDWORD);
    static const Fn fn = late::Function<Fn>("winspool.drv", "GetDefaultPrinterA");
    if (fn) return fn(buffer, size);
    SetLastError(ERROR_FILE_NOT_FOUND);  // as the spooler says when there is no default printer
    return FALSE;
}

void InitCommonControlsOnce() {
    using Fn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const Fn fn = late::Function<Fn>("comctl32.dll", "InitCommonControlsEx");
    static bool done = false;
    if (done || !fn) return;
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    done = fn(&controls) != FALSE;
}

LRESULT LresultFromObject(REFIID riid, WPARAM flags, LPUNKNOWN object) {
    using Fn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    static const Fn fn = late::Function<Fn>("oleacc.dll", "LresultFromObject");
    return fn ? fn(riid, flags, object) : static_cast<LRESULT>(E_NOTIMPL);
}

HRESULT AccessibleObjectFromWindow(HWND hwnd, DWORD objectId, REFIID riid, void** object) {
    using Fn = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    static const Fn fn = late::Function<Fn>("oleacc.dll", "AccessibleObjectFromWindow");
    *object = nullptr;
    return fn ? fn(hwnd, objectId, riid, object) : E_NOTIMPL;
}

HRESULT CreateStdAccessibleObject(HWND hwnd, LONG objectId, REFIID riid, void** object) {
    using Fn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    static const Fn fn = late::Function<Fn>("oleacc.dll", "CreateStdAccessibleObject");
    *object = nullptr;
    return fn ? fn(hwnd, objectId, riid, object) : E_NOTIMPL;
}

BSTR SysAllocString(const OLECHAR* text) {
    using Fn = BSTR(WINAPI*)(const OLECHAR*);
    static const Fn fn = late::Function<Fn>("oleaut32.dll", "SysAllocString");
    return fn ? fn(text) : nullptr;
}

}  // namespace shell
