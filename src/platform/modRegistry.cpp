#include "platform/modRegistry.h"

#include "platform/win/handles.h"

namespace modRegistry {

std::string ReadRegString(HKEY root, std::string_view keyPath, std::string_view valueName, REGSAM view) {
    const std::string path(keyPath), name(valueName);
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS) return {};
    const unique_hkey key(opened);
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    std::string buffer(size, ' ');
    DWORD scratchType = 0, read = size;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &scratchType,
                         reinterpret_cast<BYTE*>(buffer.data()), &read) != ERROR_SUCCESS)
        return {};
    // A value rewritten between the probe and the read is taken as unreadable.
    if (read != size || scratchType != REG_SZ) return {};
    // The text before the first NUL, or the whole buffer when it holds none.
    return buffer.substr(0, buffer.find('\0'));
}

void WriteRegString(HKEY root, std::string_view keyPath, std::string_view valueName, std::string_view text) {
    const std::string path(keyPath), name(valueName);
    HKEY created = nullptr;
    if (RegCreateKeyA(root, path.c_str(), &created) != ERROR_SUCCESS) return;
    const unique_hkey key(created);
    RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                   static_cast<DWORD>(text.size()));
}

}  // namespace modRegistry
