#pragma once
// The program's only access to the registry: REG_SZ values, each call opening
// and closing its own key, every failure silent.
#include <windows.h>

#include <string>
#include <string_view>

namespace modRegistry {

// The value's text, or the empty text when it is missing, not REG_SZ or unreadable.
// `view` may name the registry view of a 64-bit system to read (KEY_WOW64_32KEY).
std::string ReadRegString(HKEY root, std::string_view keyPath, std::string_view valueName, REGSAM view = 0);
// Creates the key when missing and stores the text without a terminating NUL.
void WriteRegString(HKEY root, std::string_view keyPath, std::string_view valueName, std::string_view text);

}  // namespace modRegistry
