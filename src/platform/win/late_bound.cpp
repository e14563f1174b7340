// The declarations of the newest functions bound here stand behind the newer
// header versions; the rest of the program keeps the oldest it runs on.
#undef WINVER
#undef _WIN32_WINNT
#define WINVER 0x0A00
#define _WIN32_WINNT 0x0A00

#include "platform/win/late_bound.h"

#include <oleacc.h>

#include <string>
#include <vector>

#include "platform/win/handles.h"

namespace late {

namespace {

// The function `name` of `dll` with the type of the SDK's own declaration
// (decltype(&::Name)), or null where the system has none.
template <typename Fn>
Fn Bind(const char* dll, const char* name) {
    const HMODULE module = Library(dll);
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

bool entered = false;  // the apartment, by this thread, the only one that shows windows

}  // namespace

void EnterApartment() {
    if (!entered) entered = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

ApartmentScope::~ApartmentScope() {
    if (entered) CoUninitialize();
    entered = false;
}

void LoadOnlyFromSystemFolder() {
    // Windows 7 without its 2011 loader update lacks the call; Library then names the folder itself.
    const auto set = reinterpret_cast<decltype(&::SetDefaultDllDirectories)>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE Library(const char* dll) {
    // One owner for each library this loaded; a library loaded already is only borrowed.
    static std::vector<unique_hmodule> loaded;
    if (const HMODULE module = GetModuleHandleA(dll)) return module;
    // Never by the search path: a file of the same name in the current folder
    // or beside a downloaded file would be loaded instead.
    unique_hmodule module(LoadLibraryExA(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!module && GetLastError() == ERROR_INVALID_PARAMETER) {
        wchar_t folder[MAX_PATH] = {};
        const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
        const std::string_view name(dll);  // the system's library names are ASCII
        if (n > 0 && n < MAX_PATH)
            module.reset(LoadLibraryW((std::wstring(folder, n) + L'\\' + std::wstring(name.begin(), name.end())).c_str()));
    }
    if (!module) return nullptr;
    loaded.push_back(std::move(module));
    return loaded.back().get();
}

HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
    EnterApartment();
    static const auto fn = Bind<decltype(&::ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    // Without the shell, report what the shell reports when it cannot run the file.
    return fn ? fn(hwnd, operation, file, parameters, directory, show)
              : reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_NOASSOC));
}

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA dialog) {
    EnterApartment();
    static const auto fn = Bind<decltype(&::GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    return fn ? fn(dialog) : FALSE;
}

PIDLIST_ABSOLUTE SHBrowseForFolderA(LPBROWSEINFOA info) {
    EnterApartment();
    static const auto fn = Bind<decltype(&::SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA");
    return fn ? fn(info) : nullptr;
}

BOOL SHGetPathFromIDListW(PCIDLIST_ABSOLUTE list, LPWSTR path) {
    static const auto fn = Bind<decltype(&::SHGetPathFromIDListW)>("shell32.dll", "SHGetPathFromIDListW");
    return fn ? fn(list, path) : FALSE;
}

BOOL GetDefaultPrinterW(LPWSTR buffer, LPDWORD size) {
    static const auto fn = Bind<decltype(&::GetDefaultPrinterW)>("winspool.drv", "GetDefaultPrinterW");
    if (fn) return fn(buffer, size);
    SetLastError(ERROR_FILE_NOT_FOUND);  // as the spooler says when there is no default printer
    return FALSE;
}

HRESULT SHGetFolderPathW(HWND hwnd, int folder, HANDLE token, DWORD flags, LPWSTR path) {
    static const auto fn = Bind<decltype(&::SHGetFolderPathW)>("shell32.dll", "SHGetFolderPathW");
    return fn ? fn(hwnd, folder, token, flags, path) : E_NOTIMPL;
}

void InitCommonControlsOnce() {
    static const auto fn = Bind<decltype(&::InitCommonControlsEx)>("comctl32.dll", "InitCommonControlsEx");
    static bool done = false;
    if (done || !fn) return;
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    done = fn(&controls) != FALSE;
}

LRESULT LresultFromObject(REFIID riid, WPARAM flags, LPUNKNOWN object) {
    EnterApartment();
    static const auto fn = Bind<decltype(&::LresultFromObject)>("oleacc.dll", "LresultFromObject");
    return fn ? fn(riid, flags, object) : static_cast<LRESULT>(E_NOTIMPL);
}

HRESULT AccessibleObjectFromWindow(HWND hwnd, DWORD objectId, REFIID riid, void** object) {
    EnterApartment();
    static const auto fn = Bind<decltype(&::AccessibleObjectFromWindow)>("oleacc.dll", "AccessibleObjectFromWindow");
    *object = nullptr;
    return fn ? fn(hwnd, objectId, riid, object) : E_NOTIMPL;
}

HRESULT CreateStdAccessibleObject(HWND hwnd, LONG objectId, REFIID riid, void** object) {
    EnterApartment();
    static const auto fn = Bind<decltype(&::CreateStdAccessibleObject)>("oleacc.dll", "CreateStdAccessibleObject");
    *object = nullptr;
    return fn ? fn(hwnd, objectId, riid, object) : E_NOTIMPL;
}

BSTR SysAllocString(const OLECHAR* text) {
    static const auto fn = Bind<decltype(&::SysAllocString)>("oleaut32.dll", "SysAllocString");
    return fn ? fn(text) : nullptr;
}

UINT GetDpiForWindow(HWND hwnd) {
    static const auto fn = Bind<decltype(&::GetDpiForWindow)>("user32.dll", "GetDpiForWindow");
    return fn ? fn(hwnd) : 0;
}

BOOL AdjustWindowRectExForDpi(RECT* rect, DWORD style, BOOL menu, DWORD exStyle, UINT dpi) {
    static const auto fn = Bind<decltype(&::AdjustWindowRectExForDpi)>("user32.dll", "AdjustWindowRectExForDpi");
    return fn ? fn(rect, style, menu, exStyle, dpi) : FALSE;
}

BOOL ShutdownBlockReasonCreate(HWND hwnd, LPCWSTR reason) {
    static const auto fn = Bind<decltype(&::ShutdownBlockReasonCreate)>("user32.dll", "ShutdownBlockReasonCreate");
    return fn ? fn(hwnd, reason) : FALSE;
}

BOOL ShutdownBlockReasonDestroy(HWND hwnd) {
    static const auto fn = Bind<decltype(&::ShutdownBlockReasonDestroy)>("user32.dll", "ShutdownBlockReasonDestroy");
    return fn ? fn(hwnd) : FALSE;
}

HRESULT RegisterApplicationRestart(PCWSTR commandLine, DWORD flags) {
    static const auto fn = Bind<decltype(&::RegisterApplicationRestart)>("kernel32.dll", "RegisterApplicationRestart");
    return fn ? fn(commandLine, flags) : E_NOTIMPL;
}

}  // namespace late
