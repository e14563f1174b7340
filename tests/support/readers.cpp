#include "support/readers.h"

#include <stdexcept>

#include "platform/win/handles.h"

namespace testsupport {

std::string WindowText(HWND hwnd) {
    std::string s(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(hwnd, s.data(), static_cast<int>(s.size()))));
    return s;
}

std::wstring WindowTextW(HWND hwnd) {
    std::wstring s(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    s.resize(static_cast<size_t>(GetWindowTextW(hwnd, s.data(), static_cast<int>(s.size()))));
    return s;
}

RECT PlaceOf(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string ReadBytes(const std::string& path, bool* found) {
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const unique_hfile file(
        CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (found) *found = static_cast<bool>(file);
    if (!file) return {};
    std::string bytes;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    return bytes;
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    const unique_hfile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD wrote = 0;
    if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) ||
        wrote != bytes.size())
        throw std::runtime_error("cannot write " + path);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::optional<RegValue> ReadRegValue(HKEY root, const std::string& key, const char* name, REGSAM view) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS) return {};
    const unique_hkey owned(opened);
    RegValue value;
    DWORD size = 0;
    if (RegQueryValueExA(opened, name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return {};
    value.bytes.resize(size);
    if (RegQueryValueExA(opened, name, nullptr, &value.type, reinterpret_cast<BYTE*>(value.bytes.data()), &size) !=
        ERROR_SUCCESS)
        return {};
    value.bytes.resize(size);
    return value;
}

std::string RegText(HKEY root, const std::string& key, const char* name) {
    const std::optional<RegValue> value = ReadRegValue(root, key, name);
    if (!value || value->type != REG_SZ) return {};
    return value->bytes.substr(0, value->bytes.find('\0'));
}

bool WriteRegValue(HKEY root, const std::string& key, const char* name, DWORD type, std::string_view bytes,
                   REGSAM view) {
    HKEY created = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &created, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const unique_hkey owned(created);
    return RegSetValueExA(created, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

bool WriteRegText(HKEY root, const std::string& key, const char* name, std::string_view text, REGSAM view) {
    return WriteRegValue(root, key, name, REG_SZ, std::string(text) + '\0', view);
}

}  // namespace testsupport
