#include "menu/CPopupMenu.h"

#include <gtest/gtest.h>

#include <string>

#include "menu/modCBMenus.h"
#include "support/menu_catcher.h"

namespace {

struct Item {
    UINT type = 0, state = 0, id = 0;
    HMENU sub = nullptr;
    ULONG_PTR data = 0;
    std::string text;
};

Item ItemAt(HMENU menu, UINT position) {
    char text[128] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    EXPECT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &info)) << position;
    return {info.fType, info.fState, info.wID, info.hSubMenu, info.dwItemData, text};
}

int Count(HMENU menu) { return GetMenuItemCount(menu); }

TEST(CPopupMenu, RecordSizeLeavesOutTheBitmapHandle) {
#if !defined(_WIN64)
    static_assert(modCBMenus::kMenuItemInfoSize == 44);
#endif
    EXPECT_EQ(modCBMenus::kMenuItemInfoSize, sizeof(MENUITEMINFOA) - sizeof(HBITMAP));
}

TEST(CPopupMenu, AddItemAppendsStringsRadiosAndSeparators) {
    CPopupMenu menu;
    ASSERT_TRUE(IsMenu(menu.hMenu()));
    menu.AddItem(100, "&New Note", true, -1, false);
    menu.AddItem(7, "", true, -1, true);  // an empty caption wins over id and radio check
    menu.AddItem(101, "Radio", true, -1, true);
    menu.AddItem();
    menu.AddItem(102, "Front", true, 0, false);
    menu.AddItem(103, "Before 101", false, 101, false);
    ASSERT_EQ(Count(menu.hMenu()), 6);
    const Item front = ItemAt(menu.hMenu(), 0);
    EXPECT_EQ(front.id, 102u);
    EXPECT_EQ(front.text, "Front");
    const Item first = ItemAt(menu.hMenu(), 1);
    EXPECT_EQ(first.id, 100u);
    EXPECT_EQ(first.type, static_cast<UINT>(MFT_STRING));
    EXPECT_EQ(first.text, "&New Note");
    const Item separator = ItemAt(menu.hMenu(), 2);
    EXPECT_EQ(separator.type & MFT_SEPARATOR, static_cast<UINT>(MFT_SEPARATOR));
    EXPECT_EQ(separator.id, 0u);
    EXPECT_EQ(ItemAt(menu.hMenu(), 3).id, 103u);
    const Item radio = ItemAt(menu.hMenu(), 4);
    EXPECT_EQ(radio.type & MFT_RADIOCHECK, static_cast<UINT>(MFT_RADIOCHECK));
    EXPECT_EQ(radio.data, 0u);
    EXPECT_EQ(ItemAt(menu.hMenu(), 5).type & MFT_SEPARATOR, static_cast<UINT>(MFT_SEPARATOR));
}

TEST(CPopupMenu, HandleAdoptionFollowsOwnership) {
    CPopupMenu object;
    const HMENU own = object.hMenu();
    object.hMenu(nullptr);
    EXPECT_EQ(object.hMenu(), own);
    object.hMenu(reinterpret_cast<HMENU>(GetDesktopWindow()));
    EXPECT_EQ(object.hMenu(), own);
    EXPECT_TRUE(object.IsOwned());

    const HMENU first = CreatePopupMenu();
    const HMENU second = CreatePopupMenu();
    object.hMenu(first);
    EXPECT_FALSE(IsMenu(own));  // its own empty menu was destroyed
    EXPECT_FALSE(object.IsOwned());
    object.hMenu(second);
    EXPECT_TRUE(IsMenu(first));  // not owned, so not destroyed
    EXPECT_EQ(object.hMenu(), second);
    DestroyMenu(first);
    DestroyMenu(second);
}

TEST(CPopupMenu, DestroyAndEndOfLife) {
    HMENU handle = nullptr;
    {
        CPopupMenu owned;
        handle = owned.hMenu();
    }
    EXPECT_FALSE(IsMenu(handle));

    CPopupMenu disowned;
    handle = disowned.hMenu();
    disowned.NotOwned();
    disowned.Destroy();  // destroys even when not owned
    EXPECT_FALSE(IsMenu(handle));
    EXPECT_EQ(disowned.hMenu(), nullptr);
    disowned.Destroy();  // nothing left to do
    EXPECT_EQ(disowned.hMenu(), nullptr);

    const HMENU kept = CreatePopupMenu();
    {
        CPopupMenu borrower;
        borrower.hMenu(kept);
    }
    EXPECT_TRUE(IsMenu(kept));
    DestroyMenu(kept);

    CPopupMenu cleared;
    cleared.NotOwned();
    const HMENU before = cleared.hMenu();
    cleared.Clear();
    EXPECT_FALSE(IsMenu(before));
    EXPECT_TRUE(IsMenu(cleared.hMenu()));
    EXPECT_TRUE(cleared.IsOwned());
}

TEST(CPopupMenu, SubMenusLiveWithTheirParent) {
    CPopupMenu menu;
    HMENU sub = nullptr;
    {
        const auto colors = menu.AddSubMenu("BackC&olor", 200, false);
        EXPECT_FALSE(colors->IsOwned());
        for (int id = 201; id <= 206; ++id) colors->AddItem(id, "C" + std::to_string(id), true, -1, false);
        sub = colors->hMenu();
    }
    ASSERT_TRUE(IsMenu(sub));
    EXPECT_EQ(Count(sub), 6);
    EXPECT_EQ(ItemAt(menu.hMenu(), 0).sub, sub);
    EXPECT_EQ(ItemAt(menu.hMenu(), 0).text, "BackC&olor");
    {
        const auto found = menu.GetSubMenu(200, false);
        EXPECT_EQ(found->hMenu(), sub);
        EXPECT_FALSE(found->IsOwned());
    }
    EXPECT_TRUE(IsMenu(sub));
    {
        const auto byPosition = menu.GetSubMenu(0, true);
        EXPECT_EQ(byPosition->hMenu(), sub);
    }
    menu.AddItem(300, "Plain", true, -1, false);
    const auto none = menu.GetSubMenu(300, false);
    EXPECT_TRUE(none->IsOwned());
    EXPECT_TRUE(IsMenu(none->hMenu()));
    EXPECT_NE(none->hMenu(), sub);
    EXPECT_EQ(Count(none->hMenu()), 0);
}

TEST(CPopupMenu, RemoveItemDeletesOrDetaches) {
    CPopupMenu menu;
    const HMENU destroyed = menu.AddSubMenu("A", 10, false)->hMenu();
    const HMENU detached = menu.AddSubMenu("B", 20, false)->hMenu();
    menu.AddItem(30, "C", true, -1, false);
    menu.RemoveItem(10);
    EXPECT_FALSE(IsMenu(destroyed));
    menu.RemoveItem(20, false);
    EXPECT_TRUE(IsMenu(detached));
    DestroyMenu(detached);
    menu.RemoveItem(0, true, true);
    EXPECT_EQ(Count(menu.hMenu()), 0);
}

TEST(CPopupMenu, RemoveItemRangeWorksOnTheGivenMenu) {
    CPopupMenu own, other;
    for (int id = 1; id <= 5; ++id) {
        own.AddItem(id, "x", true, -1, false);
        other.AddItem(id, "y", true, -1, false);
    }
    own.RemoveItemRange(other.hMenu(), 1, std::string("3"), "abc", 99, 4.4, "");
    EXPECT_EQ(Count(own.hMenu()), 5);
    ASSERT_EQ(Count(other.hMenu()), 2);
    EXPECT_EQ(ItemAt(other.hMenu(), 0).id, 2u);
    EXPECT_EQ(ItemAt(other.hMenu(), 1).id, 5u);
    own.RemoveItemRange(own.hMenu());
    EXPECT_EQ(Count(own.hMenu()), 5);
}

TEST(CPopupMenu, StateOperationsReplaceTheWholeState) {
    CPopupMenu menu;
    menu.AddItem(1, "one", true, -1, false);
    menu.EnableItem(1, false);
    EXPECT_EQ(ItemAt(menu.hMenu(), 0).state & MFS_GRAYED, static_cast<UINT>(MFS_GRAYED));
    menu.CheckItem(1, true);
    EXPECT_EQ(ItemAt(menu.hMenu(), 0).state, static_cast<UINT>(MFS_CHECKED));  // grayed gone
    menu.EnableItem(1, true);
    EXPECT_EQ(ItemAt(menu.hMenu(), 0).state, 0u);  // check mark gone
    menu.SetItemDefault(0, true);
    EXPECT_EQ(ItemAt(menu.hMenu(), 0).state & MFS_DEFAULT, static_cast<UINT>(MFS_DEFAULT));
    menu.HighlightItem(1);
    EXPECT_EQ(ItemAt(menu.hMenu(), 0).state & MFS_DEFAULT, 0u);
    menu.SetItemData(0xBEEF, 1);
    EXPECT_EQ(ItemAt(menu.hMenu(), 0).data, 0xBEEFu);
}

TEST(CPopupMenu, CaptionsReplaceTheItemType) {
    CPopupMenu menu;
    menu.AddItem(1, "radio", true, -1, true);
    menu.AddItem();
    menu.SetItemCaption(1, "plain");
    EXPECT_EQ(ItemAt(menu.hMenu(), 0).type, static_cast<UINT>(MFT_STRING));
    EXPECT_EQ(ItemAt(menu.hMenu(), 0).text, "plain");
    menu.SetItemCaption(1, "was a separator", true);
    EXPECT_EQ(ItemAt(menu.hMenu(), 1).type & MFT_SEPARATOR, 0u);
    EXPECT_EQ(ItemAt(menu.hMenu(), 1).text, "was a separator");
}

TEST(CPopupMenu, CheckRadioGroupMarksOneOfTheRange) {
    CPopupMenu menu;
    for (int id = 201; id <= 206; ++id) menu.AddItem(id, "c", true, -1, false);
    menu.CheckRadioGroup(203, 201, 206);
    menu.CheckRadioGroup(206, 201, 206);
    for (UINT i = 0; i < 6; ++i) {
        const Item item = ItemAt(menu.hMenu(), i);
        EXPECT_EQ((item.state & MFS_CHECKED) != 0, item.id == 206) << item.id;
    }
    EXPECT_EQ(ItemAt(menu.hMenu(), 5).type & MFT_RADIOCHECK, static_cast<UINT>(MFT_RADIOCHECK));
}

TEST(CPopupMenu, BreaksStartNewColumns) {
    CPopupMenu menu;
    for (int id = 1; id <= 4; ++id) menu.AddItem(id, "x", true, -1, false);
    menu.AddBreak(3, true);  // before position 2
    ASSERT_EQ(Count(menu.hMenu()), 5);
    EXPECT_EQ(ItemAt(menu.hMenu(), 2).type & 0x60u, 0x60u);
    EXPECT_EQ(ItemAt(menu.hMenu(), 2).id, 0u);
    menu.AddBreak();  // the item count as a command id that names no item: appended
    ASSERT_EQ(Count(menu.hMenu()), 6);
    EXPECT_EQ(ItemAt(menu.hMenu(), 5).type & 0x60u, 0x60u);
}

TEST(CPopupMenu, PopOpensAtThePointOrTheCursor) {
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    SetForegroundWindow(owner);
    CPopupMenu menu;
    menu.AddItem(1, "one", true, -1, false);
    menu.AddItem(2, "two", true, -1, false);

    int returned = -1;
    const RECT atPoint = testsupport::MenuOpenedBy([&] { returned = menu.Pop(owner, TPM_RETURNCMD, 300, 200); });
    EXPECT_EQ(returned, 0);
    EXPECT_EQ(atPoint.left, 300);
    EXPECT_EQ(atPoint.top, 200);

    SetCursorPos(420, 310);
    returned = -1;
    // One negative coordinate: the cursor.
    const RECT atCursor = testsupport::MenuOpenedBy([&] { returned = menu.Pop(owner, TPM_RETURNCMD, 10, -1); });
    EXPECT_EQ(returned, 0);
    EXPECT_EQ(atCursor.left, 420);
    EXPECT_EQ(atCursor.top, 310);
    DestroyWindow(owner);
}

TEST(CPopupMenu, CommandIdConversions) {
    EXPECT_EQ(CPopupMenu::ToCommandId("102"), 102);
    EXPECT_EQ(CPopupMenu::ToCommandId(" 7 "), 7);
    EXPECT_FALSE(CPopupMenu::ToCommandId("x1").has_value());
    EXPECT_FALSE(CPopupMenu::ToCommandId("").has_value());
    EXPECT_EQ(CPopupMenu::ToCommandId(2.5), 2);
    EXPECT_EQ(CPopupMenu::ToCommandId(3.5), 4);
    EXPECT_FALSE(CPopupMenu::ToCommandId(1e12).has_value());
    EXPECT_FALSE(CPopupMenu::ToCommandId(5000000000LL).has_value());
    EXPECT_EQ(CPopupMenu::ToCommandId(-1), -1);
}

}  // namespace
