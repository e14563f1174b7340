#include "platform/late_loading.h"

#include <string>
#include <vector>

#include "platform/handles.h"

namespace late {

void LoadOnlyFromSystemFolder() {
    // Windows 7 without its 2011 loader update lacks the call; Library then names the folder itself.
    using Fn = BOOL(WINAPI*)(DWORD);
    const auto set = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
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
        char folder[MAX_PATH] = {};
        const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
        if (n > 0 && n < MAX_PATH) module.reset(LoadLibraryA((std::string(folder, n) + "\\" + dll).c_str()));
    }
    if (!module) return nullptr;
    loaded.push_back(std::move(module));
    return loaded.back().get();
}

}  // namespace late
