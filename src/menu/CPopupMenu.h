#pragma once
// One Windows popup menu and the item-level operations on it. Items are
// addressed by command id, or by zero-based position where `ByPosition` says so.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

class CPopupMenu {
public:
    CPopupMenu();
    ~CPopupMenu();
    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;

    void Clear();
    std::unique_ptr<CPopupMenu> AddSubMenu(std::string_view Caption, int ID = -1, bool ByPosition = false);
    void CheckRadioGroup(int idItem, int idFirst, int idLast, UINT uFlags = 0);
    void Destroy();
    void HighlightItem(int ID, bool ByPosition = false);
    void AddBreak(int ID = -1, bool ByPosition = false);
    void hMenu(HMENU vData);
    HMENU hMenu() const { return m_hPopup; }
    void NotOwned();
    // Deletes each listed command id from the menu `m_hMenu` (not this object's
    // own); an element that is no integer or whose deletion fails is skipped.
    template <typename... Items>
    void RemoveItemRange([[maybe_unused]] HMENU m_hMenu, const Items&... ItemList) {
        (DeleteCommand(m_hMenu, ToCommandId(ItemList)), ...);
    }
    void SetItemData(ULONG_PTR Data, int ID, bool ByPosition = false);
    void SetItemDefault(int ID = -1, bool ByPosition = false);
    void EnableItem(int ID, bool Enabled, bool ByPosition = false);
    void CheckItem(int ID, bool Checked);
    void AddItem(int ID = 0, std::string_view Caption = "", bool ByPosition = true, int Position = -1,
                 bool RadioCheck = false);
    void SetItemCaption(int ID, std::string_view Caption, bool ByPosition = false);
    int Pop(HWND hwnd, UINT flags = 0, int x = -1, int y = -1);
    void RemoveItem(int ID, bool Destroy = true, bool ByPosition = false);
    void SimpleItemToSubMenu(HMENU hSubMenu, int ID, bool ByPosition = false);
    std::unique_ptr<CPopupMenu> GetSubMenu(int ID, bool fByPosition = false);

    bool IsOwned() const { return !m_fNotOwned; }

    // Conversions of RemoveItemRange's elements to a command id.
    static std::optional<std::int32_t> ToCommandId(std::string_view text);
    static std::optional<std::int32_t> ToCommandId(const char* text) { return ToCommandId(std::string_view(text)); }
    static std::optional<std::int32_t> ToCommandId(const std::string& text) { return ToCommandId(std::string_view(text)); }
    static std::optional<std::int32_t> ToCommandId(double value);
    template <typename Int, std::enable_if_t<std::is_integral_v<Int>, int> = 0>
    static std::optional<std::int32_t> ToCommandId(Int value) {
        if (!std::in_range<std::int32_t>(value)) return std::nullopt;
        return static_cast<std::int32_t>(value);
    }

private:
    void SetState(int ID, UINT state, bool ByPosition);
    static void DeleteCommand(HMENU menu, std::optional<std::int32_t> id);

    HMENU m_hPopup = nullptr;
    bool m_fNotOwned = false;
};
