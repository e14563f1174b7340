// The note's background and text colours, remembered in the registry by menu id.
#include "note/COutlookNote.h"
#include "note/note_colors.h"
#include "platform/modRegistry.h"

namespace {
constexpr char kColorKey[] = "Software\\Scrivlet\\Color";

std::int32_t StoredIdOr(const std::string& text, std::int32_t fallback) {
    if (text.empty()) return fallback;
    return note::ParseColorId(text).value_or(fallback);  // text that is no 32-bit number counts as missing
}
}  // namespace

void COutlookNote::LoadColors() {
    const std::string fore = modRegistry::ReadRegString(HKEY_CURRENT_USER, kColorKey, "ForeColor");
    const std::string back = modRegistry::ReadRegString(HKEY_CURRENT_USER, kColorKey, "BackColor");
    BackColorID = StoredIdOr(back, kDefaultBackColorId);
    ForeColorID = StoredIdOr(fore, kDefaultForeColorId);
    ApplyBackColor(BackColorID);
    ApplyForeColor(ForeColorID);
}

void COutlookNote::SaveColors() {
    modRegistry::WriteRegString(HKEY_CURRENT_USER, kColorKey, "ForeColor", std::to_string(ForeColorID));
    modRegistry::WriteRegString(HKEY_CURRENT_USER, kColorKey, "BackColor", std::to_string(BackColorID));
}

void COutlookNote::ApplyBackColor(int id) {
    BackColorID = id;
    const COLORREF color = note::ColorOfMenuId(id);
    rtbMain.SetBackColor(color);
    SetWindowBackColor(color);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    NoteMenu->GetSubMenu(200, false)->CheckRadioGroup(id, kFirstBackColorId, kLastBackColorId, 0);
}

void COutlookNote::ApplyForeColor(int id) {
    ForeColorID = id;
    const COLORREF color = note::ColorOfMenuId(id);
    rtbMain.SetSelStart(0);
    rtbMain.SetSelLength(rtbMain.TextLength());
    rtbMain.SetSelColor(color);
    // Text that replaces the whole note later (clear, open) comes in this colour too.
    rtbMain.SetTextColor(color);
    rtbMain.SetSelStart(rtbMain.TextLength());
    InvalidateRect(m_hwnd, nullptr, TRUE);
    NoteMenu->GetSubMenu(2200, false)->CheckRadioGroup(id, kFirstForeColorId, kLastForeColorId, 0);
}
