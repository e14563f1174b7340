#include "textfile/modBrowser.h"

#include <objbase.h>
#include <shlobj.h>

#include <cwchar>

#include "platform/text/ansi_text.h"
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
    // Wide, then in the narrow calls' code page: MAX_PATH bytes of UTF-8 would
    // hold only 86 characters of a Japanese path.
    wchar_t path[MAX_PATH] = {};
    late::SHGetPathFromIDListW(items, path);  // leaves the buffer all NUL for an item with no path
    CoTaskMemFree(items);
    return ui::ToNarrow(std::wstring_view(path, wcsnlen(path, MAX_PATH)));
}

}  // namespace modBrowser
