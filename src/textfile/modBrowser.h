#pragma once
// The system's folder-browsing dialog.
#include <windows.h>

#include <string>
#include <string_view>

namespace modBrowser {

// Shows the dialog modally over hwndOwner with strTitle above the folder tree
// and gives back the file-system path of the chosen folder ("C:\" for a drive
// root, no trailing backslash otherwise), or "" when the user cancelled or
// chose an item that is not a file-system folder. Needs a COM apartment on
// the calling thread.
std::string BrowseForFolder(HWND hwndOwner, std::string_view strTitle);

}  // namespace modBrowser
