#pragma once
// The menu records and constants the popup menu object passes to the system.
#include <windows.h>

#include <cstddef>

namespace modCBMenus {

// MENUITEMINFOA without its trailing hbmpItem: 44 bytes on 32-bit Windows,
// and the same cut on 64-bit, where the fields are wider.
inline constexpr UINT kMenuItemInfoSize = offsetof(MENUITEMINFOA, hbmpItem);

inline constexpr UINT kMiimState = 0x1;
inline constexpr UINT kMiimId = 0x2;
inline constexpr UINT kMiimSubMenu = 0x4;
inline constexpr UINT kMiimType = 0x10;
inline constexpr UINT kMiimData = 0x20;

inline constexpr UINT kMftString = 0x0;
inline constexpr UINT kMftColumnBreakWithBar = 0x20 | 0x40;  // MFT_MENUBARBREAK + MFT_MENUBREAK
inline constexpr UINT kMftRadioCheck = 0x200;
inline constexpr UINT kMftSeparator = 0x800;

inline constexpr UINT kMfsEnabled = 0x0;
inline constexpr UINT kMfsGrayed = 0x3;
inline constexpr UINT kMfsChecked = 0x8;
inline constexpr UINT kMfsHilite = 0x80;
inline constexpr UINT kMfsDefault = 0x1000;

inline constexpr UINT kMfByCommand = 0x0;
inline constexpr UINT kMfByPosition = 0x400;

}  // namespace modCBMenus
