#pragma once
// The menu records and constants the popup menu object passes to the system.
#include <windows.h>

#include <cstddef>

namespace modCBMenus {

// MENUITEMINFOA without its trailing hbmpItem: 44 bytes on 32-bit Windows,
// and the same cut on 64-bit, where the fields are wider.
inline constexpr UINT kMenuItemInfoSize = offsetof(MENUITEMINFOA, hbmpItem);

inline constexpr UINT kMiimState = MIIM_STATE;
inline constexpr UINT kMiimId = MIIM_ID;
inline constexpr UINT kMiimSubMenu = MIIM_SUBMENU;
inline constexpr UINT kMiimType = MIIM_TYPE;
inline constexpr UINT kMiimData = MIIM_DATA;

inline constexpr UINT kMftString = MFT_STRING;
inline constexpr UINT kMftColumnBreakWithBar = MFT_MENUBARBREAK | MFT_MENUBREAK;
inline constexpr UINT kMftRadioCheck = MFT_RADIOCHECK;
inline constexpr UINT kMftSeparator = MFT_SEPARATOR;

inline constexpr UINT kMfsEnabled = MFS_ENABLED;
inline constexpr UINT kMfsGrayed = MFS_GRAYED;
inline constexpr UINT kMfsChecked = MFS_CHECKED;
inline constexpr UINT kMfsHilite = MFS_HILITE;
inline constexpr UINT kMfsDefault = MFS_DEFAULT;

inline constexpr UINT kMfByCommand = MF_BYCOMMAND;
inline constexpr UINT kMfByPosition = MF_BYPOSITION;

}  // namespace modCBMenus
