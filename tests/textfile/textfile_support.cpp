#include "textfile/textfile_support.h"

#include <algorithm>
#include <stdexcept>

#include "platform/win/handles.h"
#include "support/test_support.h"

namespace tf {

TestFolder::TestFolder(std::string_view name, std::string_view root)
    : path_(std::string(root) + "\\" + std::string(name)) {
    CreateDirectoryA(std::string(root).c_str(), nullptr);
    RemoveTree(path_);
    if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("cannot create " + path_);
}

TestFolder::~TestFolder() { RemoveTree(path_); }

void RemoveTree(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    for (const std::string& name : Entries(path)) RemoveTree(path + "\\" + name);
    RemoveDirectoryA(path.c_str());
}

// Wide: a name of 200 Japanese characters takes 600 bytes of UTF-8, where the narrow records hold 260.
std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data{};
    const unique_hfind find(FindFirstFileW(testsupport::Widen(folder + "\\*").c_str(), &data));
    if (!find) return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.push_back(testsupport::Narrow(name));
    } while (FindNextFileW(find.get(), &data));
    std::sort(names.begin(), names.end());
    return names;
}

std::string DisplayName(const std::string& path) {
    SHFILEINFOW info{};
    SHGetFileInfoW(testsupport::Widen(path).c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME);
    return testsupport::Narrow(info.szDisplayName);
}

std::string DisplayName(LPCITEMIDLIST item) {
    SHFILEINFOW info{};
    SHGetFileInfoW(reinterpret_cast<LPCWSTR>(item), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME);
    return testsupport::Narrow(info.szDisplayName);
}

}  // namespace tf
