#include "menu/CPopupMenu.h"

#include <charconv>
#include <cmath>

#include "menu/modCBMenus.h"
#include "menu/menu_text.h"

using namespace modCBMenus;

namespace {

MENUITEMINFOA EmptyItemInfo(UINT fMask) {
    MENUITEMINFOA info{};
    info.cbSize = kMenuItemInfoSize;
    info.fMask = fMask;
    return info;
}

}  // namespace

CPopupMenu::CPopupMenu() : m_hPopup(CreatePopupMenu()) {}

CPopupMenu::~CPopupMenu() {
    if (m_hPopup && !m_fNotOwned) DestroyMenu(m_hPopup);
}

void CPopupMenu::Clear() {
    Destroy();
    m_hPopup = CreatePopupMenu();
    m_fNotOwned = false;
}

std::unique_ptr<CPopupMenu> CPopupMenu::AddSubMenu(std::string_view Caption, int ID, bool ByPosition) {
    auto sub = std::make_unique<CPopupMenu>();
    // The parent item will own the submenu: the system destroys it with the parent.
    sub->NotOwned();
    AddItem(ID, Caption, ByPosition, -1, false);
    SimpleItemToSubMenu(sub->hMenu(), ID, ByPosition);
    return sub;
}

void CPopupMenu::CheckRadioGroup(int idItem, int idFirst, int idLast, UINT uFlags) {
    CheckMenuRadioItem(m_hPopup, static_cast<UINT>(idFirst), static_cast<UINT>(idLast), static_cast<UINT>(idItem),
                       uFlags);
}

void CPopupMenu::Destroy() {
    if (m_hPopup) {
        DestroyMenu(m_hPopup);
        m_hPopup = nullptr;
    }
}

void CPopupMenu::SetState(int ID, UINT state, bool ByPosition) {
    MENUITEMINFOA info = EmptyItemInfo(kMiimState);
    info.fState = state;
    SetMenuItemInfoA(m_hPopup, static_cast<UINT>(ID), ByPosition ? 1 : 0, &info);
}

void CPopupMenu::HighlightItem(int ID, bool ByPosition) { SetState(ID, kMfsHilite, ByPosition); }

void CPopupMenu::AddBreak(int ID, bool ByPosition) {
    MENUITEMINFOA info = EmptyItemInfo(kMiimType);
    info.fType = kMftColumnBreakWithBar;
    const int at = ID < 0 ? GetMenuItemCount(m_hPopup) : ID - 1;
    InsertMenuItemA(m_hPopup, static_cast<UINT>(at), ByPosition ? 1 : 0, &info);
}

void CPopupMenu::hMenu(HMENU vData) {
    if (!IsMenu(vData)) return;
    if (m_hPopup && !m_fNotOwned) Destroy();
    m_hPopup = vData;
    m_fNotOwned = true;
}

void CPopupMenu::NotOwned() { m_fNotOwned = true; }

std::optional<std::int32_t> CPopupMenu::ToCommandId(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<std::int32_t> CPopupMenu::ToCommandId(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = std::nearbyint(value);  // halves to even
    if (rounded < INT32_MIN || rounded > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

void CPopupMenu::DeleteCommand(HMENU menu, std::optional<std::int32_t> id) {
    if (id) DeleteMenu(menu, static_cast<UINT>(*id), kMfByCommand);
}

void CPopupMenu::SetItemData(ULONG_PTR Data, int ID, bool ByPosition) {
    MENUITEMINFOA info = EmptyItemInfo(kMiimData);
    info.dwItemData = Data;
    SetMenuItemInfoA(m_hPopup, static_cast<UINT>(ID), ByPosition ? 1 : 0, &info);
}

void CPopupMenu::SetItemDefault(int ID, bool ByPosition) { SetState(ID, kMfsDefault, ByPosition); }

void CPopupMenu::EnableItem(int ID, bool Enabled, bool ByPosition) {
    SetState(ID, Enabled ? kMfsEnabled : kMfsGrayed, ByPosition);
}

void CPopupMenu::CheckItem(int ID, bool Checked) { SetState(ID, Checked ? kMfsChecked : kMfsEnabled, false); }

void CPopupMenu::AddItem(int ID, std::string_view Caption, bool ByPosition, int Position, bool RadioCheck) {
    MENUITEMINFOA info = EmptyItemInfo(kMiimId | kMiimType | kMiimData);
    std::unique_ptr<char[]> text;
    if (Caption.empty()) {
        info.fType = kMftSeparator;
        info.wID = 0;
    } else {
        text = modCBMenus::AnsiStrAddress(Caption);
        info.dwTypeData = text.get();
        info.cch = static_cast<UINT>(Caption.size());
        info.wID = static_cast<UINT>(ID);
        info.fType = RadioCheck ? kMftRadioCheck : kMftString;
    }
    InsertMenuItemA(m_hPopup, static_cast<UINT>(Position), ByPosition ? 1 : 0, &info);
}

void CPopupMenu::SetItemCaption(int ID, std::string_view Caption, bool ByPosition) {
    MENUITEMINFOA info = EmptyItemInfo(kMiimType);
    const std::unique_ptr<char[]> text = modCBMenus::AnsiStrAddress(Caption);
    info.fType = kMftString;
    info.dwTypeData = text.get();
    info.cch = static_cast<UINT>(Caption.size());
    SetMenuItemInfoA(m_hPopup, static_cast<UINT>(ID), ByPosition ? 1 : 0, &info);
}

int CPopupMenu::Pop(HWND hwnd, UINT flags, int x, int y) {
    POINT at{x, y};
    if (x < 0 || y < 0) GetCursorPos(&at);
    return static_cast<int>(TrackPopupMenuEx(m_hPopup, flags, at.x, at.y, hwnd, nullptr));
}

void CPopupMenu::RemoveItem(int ID, bool Destroy, bool ByPosition) {
    const UINT flags = ByPosition ? kMfByPosition : kMfByCommand;
    if (Destroy) DeleteMenu(m_hPopup, static_cast<UINT>(ID), flags);
    else RemoveMenu(m_hPopup, static_cast<UINT>(ID), flags);
}

void CPopupMenu::SimpleItemToSubMenu(HMENU hSubMenu, int ID, bool ByPosition) {
    MENUITEMINFOA info = EmptyItemInfo(kMiimSubMenu);
    info.hSubMenu = hSubMenu;
    SetMenuItemInfoA(m_hPopup, static_cast<UINT>(ID), ByPosition ? 1 : 0, &info);
}

std::unique_ptr<CPopupMenu> CPopupMenu::GetSubMenu(int ID, bool fByPosition) {
    MENUITEMINFOA info = EmptyItemInfo(kMiimSubMenu);
    info.wID = static_cast<UINT>(ID);
    GetMenuItemInfoA(m_hPopup, static_cast<UINT>(ID), fByPosition ? 1 : 0, &info);
    auto sub = std::make_unique<CPopupMenu>();
    sub->hMenu(info.hSubMenu);
    return sub;
}
