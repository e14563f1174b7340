#pragma once
// The program's only access to the registry: REG_SZ values, each call opening
// and closing its own key, every failure silent.
#include <windows.h>

#include <string>
#include <string_view>

namespace modRegistry {

// The value's text, or the empty text when it is missing, not REG_SZ or unreadable.
std::string ReadRegString(HKEY root, std::string_view keyPath, std::string_view valueName);
// Creates the key when missing and stores the text without a terminating NUL.
void WriteRegString(HKEY root, std::string_view keyPath, std::string_view valueName, std::string_view text);

}  // namespace modRegistry
