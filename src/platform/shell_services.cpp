#include "platform/shell_services.h"

#include "platform/handles.h"

namespace shell {

namespace {

// The function `name` of `dll`, which stays loaded for the rest of the process once asked for.
template <typename Fn>
Fn Lookup(const char* dll, const char* name) {
    HMODULE module = GetModuleHandleA(dll);
    if (!module) {
        static unique_hmodule shell32, comdlg32;  // one owner per library for the process's life
        unique_hmodule& slot = lstrcmpiA(dll, "shell32.dll") == 0 ? shell32 : comdlg32;
        if (!slot) slot.reset(LoadLibraryA(dll));
        module = slot.get();
    }
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
    using Fn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    static const Fn fn = Lookup<Fn>("shell32.dll", "ShellExecuteA");
    // Without the shell, report what the shell reports when it cannot run the file.
    return fn ? fn(hwnd, operation, file, parameters, directory, show)
              : reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_NOASSOC));
}

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA dialog) {
    using Fn = BOOL(WINAPI*)(LPOPENFILENAMEA);
    static const Fn fn = Lookup<Fn>("comdlg32.dll", "GetOpenFileNameA");
    return fn ? fn(dialog) : FALSE;
}

PIDLIST_ABSOLUTE SHBrowseForFolderA(LPBROWSEINFOA info) {
    using Fn = PIDLIST_ABSOLUTE(WINAPI*)(LPBROWSEINFOA);
    static const Fn fn = Lookup<Fn>("shell32.dll", "SHBrowseForFolderA");
    return fn ? fn(info) : nullptr;
}

BOOL SHGetPathFromIDListA(PCIDLIST_ABSOLUTE list, LPSTR path) {
    using Fn = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, LPSTR);
    static const Fn fn = Lookup<Fn>("shell32.dll", "SHGetPathFromIDListA");
    return fn ? fn(list, path) : FALSE;
}

}  // namespace shell
