#pragma once
// Text at the system boundary. Two code pages meet there: the one of the narrow
// ("A") calls, which the manifest makes UTF-8 (Windows 10 1903 and later; older
// systems keep their ANSI code page), so that every name and box text holds any
// letter; and the machine's own ANSI code page, in which text files stay.
#include <windows.h>

#include <string>
#include <string_view>

namespace ui {

// For and from the narrow calls: names, paths, window and box texts.
std::string ToNarrow(std::wstring_view text);
std::wstring FromNarrow(std::string_view text);

// The machine's own ANSI code page: what GetACP gives a program that does not
// ask for UTF-8 (65001 only where the user chose Windows' UTF-8 option).
UINT MachineCodePage();
// Text in the machine's code page; `lossy` tells whether some character had no
// form there and was replaced.
std::string ToMachineAnsi(std::wstring_view text, bool* lossy = nullptr);
std::wstring FromMachineAnsi(std::string_view text);

// The wide text's UTF-16 units for the core, viewed, not copied: the view lives
// no longer than `text`.
std::u16string_view Units(std::wstring_view text);

// UTF-8 by the core's conversion (a lone surrogate becomes U+FFFD), and back;
// AppendUtf8 puts it after what `out` holds.
std::string ToUtf8(std::wstring_view text);
void AppendUtf8(std::wstring_view text, std::string& out);
std::wstring FromUtf8(std::string_view text);

}  // namespace ui
