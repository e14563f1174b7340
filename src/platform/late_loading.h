#pragma once
// System functions looked up when first called: large libraries load only when
// a note first needs them, and functions of newer systems are missing, not
// fatal, on older ones.
#include <windows.h>

namespace late {

// Keeps every later library load of the process to the system folder; called first thing.
void LoadOnlyFromSystemFolder();

// The library `dll` from the system folder, loaded on the first call and kept for the process's life;
// null when it cannot be loaded.
HMODULE Library(const char* dll);

// The function `name` of `dll`, or null where the system has none.
template <typename Fn>
Fn Function(const char* dll, const char* name) {
    const HMODULE module = Library(dll);
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace late
