#include <gtest/gtest.h>

#include "menu/menu_text.h"
#include "note/modMain.h"
#include "note/note_colors.h"
#include "note/note_layout.h"
#include "note/program_location.h"

namespace {

TEST(NoteLayout, InitialClientSize) {
    const NoteLayout l = ComputeNoteLayout(301, 196);
    EXPECT_EQ(l.TitleRect, (Rect{20, 1, 262, 17}));
    EXPECT_EQ(l.MenuIconRect, (Rect{1, 1, 18, 17}));
    EXPECT_EQ(l.MinRect, (Rect{261, 1, 286, 17}));
    EXPECT_EQ(l.CloseRect, (Rect{282, 1, 300, 17}));
    EXPECT_EQ(l.DateRect, (Rect{0, 178, 301, 196}));
    EXPECT_EQ(l.SizeGripRect, (Rect{287, 182, 301, 196}));
    EXPECT_EQ(l.textLeft, 10);
    EXPECT_EQ(l.textTop, 22);
    EXPECT_EQ(l.textWidth, 286);
    EXPECT_EQ(l.textHeight, 151);
}

TEST(NoteLayout, ScalesEveryLengthForTheWindowsDpi) {
    const NoteLayout l = ComputeNoteLayout(452, 294, 144);
    EXPECT_EQ(l.TitleRect, (Rect{30, 2, 452 - 59, 2 + 24}));
    EXPECT_EQ(l.MenuIconRect, (Rect{2, 2, 27, 26}));
    EXPECT_EQ(l.MinRect, (Rect{452 - 23 - 38, 2, 452 - 23, 26}));
    EXPECT_EQ(l.CloseRect, (Rect{452 - 2 - 27, 2, 452 - 2, 26}));
    EXPECT_EQ(l.DateRect, (Rect{0, 294 - 27, 452, 294}));
    EXPECT_EQ(l.SizeGripRect, (Rect{452 - 21, 294 - 27 + 6, 452, 294}));
    EXPECT_EQ(l.textLeft, 15);
    EXPECT_EQ(l.textTop, 26 + 8);
    EXPECT_EQ(ScaleForDpi(16, 96), 16);
    EXPECT_EQ(ScaleForDpi(1, 144), 2);  // 1.5 rounds up
    EXPECT_EQ(ScaleForDpi(-15, 144), -23);
    EXPECT_EQ(ScaleForDpi(16, 120), 20);
}

TEST(NoteLayout, RelationsHoldForEverySize) {
    for (int w = 0; w <= 400; w += 7) {
        for (int h = 0; h <= 300; h += 11) {
            const NoteLayout l = ComputeNoteLayout(w, h);
            EXPECT_EQ(l.MinRect.right - l.MinRect.left, 25);
            EXPECT_EQ(l.CloseRect.right - l.CloseRect.left, 18);
            EXPECT_EQ(l.SizeGripRect.right, l.DateRect.right);
            EXPECT_EQ(l.SizeGripRect.top, l.DateRect.top + 4);
            EXPECT_EQ(l.textLeft + l.textWidth, w - 5);
            EXPECT_EQ(l.textTop + l.textHeight, h - 23);
        }
    }
}

TEST(NoteLayout, NarrowWindowLeavesTitleStripWithoutPoints) {
    for (int w = 0; w < 59; ++w) {
        const Rect title = ComputeNoteLayout(w, 100).TitleRect;
        for (int x = -5; x < 80; ++x) EXPECT_FALSE(modMain::IsPointInRect(static_cast<std::int16_t>(x), 5, title)) << w;
    }
    EXPECT_TRUE(modMain::IsPointInRect(20, 5, ComputeNoteLayout(59, 100).TitleRect));  // 59 still holds one column
}

TEST(IsPointInRect, AllFourBoundsInclusive) {
    const Rect r{20, 1, 262, 17};
    EXPECT_TRUE(modMain::IsPointInRect(20, 1, r));
    EXPECT_TRUE(modMain::IsPointInRect(262, 17, r));
    EXPECT_FALSE(modMain::IsPointInRect(19, 5, r));
    EXPECT_FALSE(modMain::IsPointInRect(263, 5, r));
    EXPECT_FALSE(modMain::IsPointInRect(100, 0, r));
    EXPECT_FALSE(modMain::IsPointInRect(100, 18, r));
    EXPECT_FALSE(modMain::IsPointInRect(5, 5, Rect{10, 0, 0, 10}));  // inverted: empty
    EXPECT_FALSE(modMain::IsPointInRect(5, 5, Rect{0, 10, 10, 0}));
    EXPECT_TRUE(modMain::IsPointInRect(3, 3, Rect{3, 3, 3, 3}));
}

TEST(IsPointInRect, OverlapsOfTheInitialLayout) {
    const NoteLayout l = ComputeNoteLayout(301, 196);
    EXPECT_TRUE(modMain::IsPointInRect(262, 5, l.TitleRect));  // title wins over minimize by order
    EXPECT_TRUE(modMain::IsPointInRect(262, 5, l.MinRect));
    EXPECT_TRUE(modMain::IsPointInRect(284, 5, l.MinRect));  // close wins over minimize by order
    EXPECT_TRUE(modMain::IsPointInRect(284, 5, l.CloseRect));
    EXPECT_FALSE(modMain::IsPointInRect(19, 5, l.MenuIconRect));
    EXPECT_FALSE(modMain::IsPointInRect(19, 5, l.TitleRect));
    EXPECT_FALSE(modMain::IsPointInRect(0, 0, l.MenuIconRect));
}

TEST(ToNearestInt16, HalvesToEvenAndClamps) {
    EXPECT_EQ(modMain::ToNearestInt16(0.5), 0);
    EXPECT_EQ(modMain::ToNearestInt16(1.5), 2);
    EXPECT_EQ(modMain::ToNearestInt16(2.5), 2);
    EXPECT_EQ(modMain::ToNearestInt16(-0.5), 0);
    EXPECT_EQ(modMain::ToNearestInt16(-1.5), -2);
    EXPECT_EQ(modMain::ToNearestInt16(261.49), 261);
    EXPECT_EQ(modMain::ToNearestInt16(261.51), 262);
    EXPECT_EQ(modMain::ToNearestInt16(1e9), 32767);
    EXPECT_EQ(modMain::ToNearestInt16(-1e9), -32768);
}

TEST(AnsiStrAddress, ZeroTerminatedCopy) {
    const auto copy = modCBMenus::AnsiStrAddress("S&ave As...");
    EXPECT_STREQ(copy.get(), "S&ave As...");
    EXPECT_STREQ(modCBMenus::AnsiStrAddress("").get(), "");
}

TEST(NoteColors, TableAndFallback) {
    const std::uint32_t expected[6] = {0x00FFD3A9, 0x00CCFFAB, 0x00E2B0F8, 0x0000FFFF, 0x00FFFFFF, 0x00000000};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(note::ColorOfMenuId(201 + i), expected[i]);
        EXPECT_EQ(note::ColorOfMenuId(2201 + i), expected[i]);
    }
    for (int id : {0, 200, 207, 2200, 2207, -5, 1201}) EXPECT_EQ(note::ColorOfMenuId(id), 0u) << id;
}

TEST(NoteColors, StoredTextToId) {
    EXPECT_EQ(note::ParseColorId("203"), 203);
    EXPECT_EQ(note::ParseColorId("-5"), -5);
    EXPECT_EQ(note::ParseColorId("2147483647"), 2147483647);
    for (const char* bad : {"", "abc", "99999999999", " 204", "204 ", "1e3", "20x", "+5", "--5"})
        EXPECT_FALSE(note::ParseColorId(bad).has_value()) << bad;
}

TEST(ProgramLocation, Rules) {
    EXPECT_TRUE(note::NamesProgram("D:\\Tools\\SCRIVLET.EXE"));
    EXPECT_TRUE(note::NamesProgram("C:\\Program Files\\Scrivlet\\Scrivlet.exe"));
    EXPECT_FALSE(note::NamesProgram("D:\\Tools\\notes.exe"));
    EXPECT_FALSE(note::NamesProgram(""));
    const struct { const char* in; const char* out; } quoted[] = {
        {"\"C:\\A B\\Scrivlet.exe\"", "C:\\A B\\Scrivlet.exe"}, {"  \"C:\\x.exe\" ", "C:\\x.exe"},
        {"\"\"", ""}, {"C:\\x.exe", "C:\\x.exe"}, {"\"", "\""}, {"\"C:\\x.exe", "\"C:\\x.exe"},
        {"C:\\\"x\".exe", "C:\\\"x\".exe"}, {"", ""},
    };
    for (const auto& q : quoted) EXPECT_EQ(note::WithoutSurroundingQuotes(q.in), q.out) << q.in;
    EXPECT_EQ(note::SetupEntryKey(1), "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ST6UNST #1");
    EXPECT_EQ(note::SetupEntryKey(75), "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ST6UNST #75");
    EXPECT_TRUE(note::IsDefaultInstallation("C:\\WINDOWS\\st6unst.exe -n \"C:\\Program Files\\Scrivlet\\ST6UNST.LOG\""));
    EXPECT_FALSE(note::IsDefaultInstallation("c:\\program files\\scrivlet\\ST6UNST.LOG"));
}

}  // namespace
