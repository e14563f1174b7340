#include "textfile/modBrowser.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstring>

#include "platform/win/late_bound.h"

namespace modBrowser {

std::string BrowseForFolder(HWND hwndOwner, std::string_view strTitle) {
    const std::string title(strTitle);  // lives until the dialog has returned
    BROWSEINFOA info{};
    info.hwndOwner = hwndOwner;
    info.pidlRoot = nullptr;
    info.pszDisplayName = nullptr;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = nullptr;
    info.lParam = 0;
    info.iImage = 0;
    PIDLIST_ABSOLUTE items = late::SHBrowseForFolderA(&info);
    if (!items) return {};
    char path[MAX_PATH];
    std::memset(path, 0, sizeof path);
    late::SHGetPathFromIDListA(items, path);  // leaves the buffer all NUL for an item with no path
    CoTaskMemFree(items);
    return std::string(path, strnlen(path, sizeof path));
}

}  // namespace modBrowser
