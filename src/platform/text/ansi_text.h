#pragma once
// Text at the system boundary: narrow text in the system's ANSI code page, and UTF-8.
#include <windows.h>

#include <string>
#include <string_view>

namespace ui {

// `lossy` tells whether some character had no ANSI form and was replaced.
std::string ToAnsi(std::wstring_view text, bool* lossy = nullptr);
std::wstring FromAnsi(std::string_view text);
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

}  // namespace ui
