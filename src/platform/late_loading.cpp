#include "platform/late_loading.h"

#include <vector>

#include "platform/handles.h"

namespace late {

HMODULE Library(const char* dll) {
    // One owner for each library this loaded; a library loaded already is only borrowed.
    static std::vector<unique_hmodule> loaded;
    if (const HMODULE module = GetModuleHandleA(dll)) return module;
    unique_hmodule module(LoadLibraryA(dll));
    if (!module) return nullptr;
    loaded.push_back(std::move(module));
    return loaded.back().get();
}

}  // namespace late
