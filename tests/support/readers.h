#pragma once
// Reading back what the program left in the system, and seeding it as another
// writer would: window texts, file bytes and registry values, all through the
// plain API rather than the program's own wrappers.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace testsupport {

std::string WindowText(HWND hwnd);
std::wstring WindowTextW(HWND hwnd);
// A child window's rectangle in its parent's client pixels.
RECT PlaceOf(HWND child);

// The file's bytes; `found` false when it cannot be read.
std::string ReadBytes(const std::string& path, bool* found = nullptr);
// Replaces the file with exactly these bytes; throws when it cannot.
void WriteBytes(const std::string& path, std::string_view bytes);
bool Exists(const std::string& path);

// A registry value as stored; `view` picks KEY_WOW64_32KEY or KEY_WOW64_64KEY.
struct RegValue {
    DWORD type = REG_NONE;
    std::string bytes;
};
std::optional<RegValue> ReadRegValue(HKEY root, const std::string& key, const char* name, REGSAM view = 0);
// The text of a REG_SZ value up to its first zero; "" when it is missing or of another type.
std::string RegText(HKEY root, const std::string& key, const char* name);
// Creates the key and stores these bytes as they are: no ending zero is added.
bool WriteRegValue(HKEY root, const std::string& key, const char* name, DWORD type, std::string_view bytes,
                   REGSAM view = 0);
// A REG_SZ value with its ending zero, as most writers store text.
bool WriteRegText(HKEY root, const std::string& key, const char* name, std::string_view text, REGSAM view = 0);

}  // namespace testsupport
