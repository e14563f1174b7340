#pragma once
// The program's message boxes and its one-line input box.
#include <windows.h>

#include <string>
#include <string_view>

namespace ui {

inline constexpr char kProgramTitle[] = "Scrivlet";

// A modal message box owned by `owner`, by default the thread's active window;
// an empty title shows the program title. Returns IDOK, IDCANCEL, IDYES, IDNO, ...
int MsgBox(std::string_view text, UINT flags = MB_OK, std::string_view title = {}, HWND owner = nullptr);

// A modal box asking for one line of text; the empty text on Cancel.
std::string InputBox(std::string_view prompt, std::string_view title);

}  // namespace ui
