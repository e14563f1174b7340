// A long day of use in a few thousand cycles: the note's GDI and USER objects
// and its private memory must stay flat after the first cycles.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "mail/frmSendEmail.h"
#include "menu/menu_commands.h"
#include "textfile/frmSavetxt.h"
#include "support/dialog_script.h"
#include "support/note_fixture.h"

namespace {

constexpr int kCycles = 1000;
constexpr int kWarmUp = 50;

struct Usage {
    DWORD gdi = 0, user = 0;
    SIZE_T privateBytes = 0;
};

Usage Measure() {
    testsupport::Pump(std::chrono::milliseconds(20));
    return {testsupport::CountGdiObjects(), testsupport::CountUserObjects(), testsupport::PrivateBytes()};
}

// Runs `cycle` kCycles times and checks that nothing grows after the warm-up.
void Soak(const char* what, const std::function<void(int)>& cycle) {
    for (int i = 0; i < kWarmUp; ++i) cycle(i);
    const Usage before = Measure();
    for (int i = 0; i < kCycles; ++i) cycle(i);
    const Usage after = Measure();
    std::printf("[soak] %-28s GDI %lu -> %lu, USER %lu -> %lu, private %zu KB -> %zu KB\n", what,
                static_cast<unsigned long>(before.gdi), static_cast<unsigned long>(after.gdi),
                static_cast<unsigned long>(before.user), static_cast<unsigned long>(after.user),
                static_cast<size_t>(before.privateBytes / 1024), static_cast<size_t>(after.privateBytes / 1024));
    EXPECT_LE(after.gdi, before.gdi + 8) << what;
    EXPECT_LE(after.user, before.user + 8) << what;
    EXPECT_LE(after.privateBytes, before.privateBytes + 3 * 1024 * 1024) << what;
}

TEST(SoakCounters, SeeALeak) {
    const Usage before = Measure();
    std::vector<HBRUSH> brushes;
    std::vector<HMENU> menus;
    for (int i = 0; i < 50; ++i) {
        brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
        menus.push_back(CreatePopupMenu());
    }
    const Usage leaking = Measure();
    for (HBRUSH b : brushes) DeleteObject(b);
    for (HMENU m : menus) DestroyMenu(m);
    EXPECT_GE(leaking.gdi, before.gdi + 50);
    EXPECT_GE(leaking.user, before.user + 50);
    EXPECT_GT(before.privateBytes, 0u);
}

class SoakTest : public testsupport::NoteFixture {
protected:
    void SetUp() override {
        NoteFixture::SetUp();
        note.rtbMain.SetText(L"A note that lives through a long day.\r\nSecond line.");
    }
};

TEST_F(SoakTest, MenuOpenedAndDismissed) {
    Soak("menu", [&](int) {
        // A queued Escape closes the menu as soon as its loop starts.
        PostMessageW(note.hWnd(), WM_KEYDOWN, VK_ESCAPE, 0);
        note.HandleMenuCommand(note.NoteMenu->Pop(note.hWnd(), TPM_RETURNCMD, 400, 300));
    });
}

TEST_F(SoakTest, ColoursPicked) {
    Soak("colours", [&](int i) {
        note.HandleMenuCommand(201 + i % 6);
        note.HandleMenuCommand(2201 + (i + 3) % 6);
        UpdateWindow(note.hWnd());
    });
}

TEST_F(SoakTest, PaintedAfterResizes) {
    Soak("resize and paint", [&](int i) {
        SetWindowPos(note.hWnd(), nullptr, 0, 0, 200 + i % 200, 150 + i % 120, SWP_NOMOVE | SWP_NOZORDER);
        RedrawWindow(note.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    });
}

TEST_F(SoakTest, EmailWindowOpenedAndClosed) {
    Soak("e-mail window", [&](int) {
        note.HandleMenuCommand(cmd::EmailTo);
        const HWND mail = frmSendEmail::Instance().hWnd();
        ASSERT_TRUE(IsWindow(mail));
        SendMessageW(mail, WM_CLOSE, 0, 0);
        ASSERT_FALSE(IsWindow(mail));
    });
}

TEST_F(SoakTest, TextFileWindowOpenedAndClosed) {
    Soak("text-file window", [&](int) {
        note.HandleMenuCommand(cmd::SaveAs);
        const HWND form = frmSavetxt::Instance().hWnd();
        ASSERT_TRUE(IsWindow(form));
        SendMessageW(form, WM_CLOSE, 0, 0);
        ASSERT_FALSE(IsWindow(form));
    });
}

// Presses the text-file window's action button with `name` in its name box.
void PressSaveWith(const char* name) {
    frmSavetxt& form = frmSavetxt::Instance();
    SetWindowTextA(form.Combo1, name);
    SendMessageW(form.hWnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(form.cmdSave), BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.cmdSave));
}

TEST_F(SoakTest, NoteSavedAndOpened) {
    const std::string file = testsupport::ExeFolder() + "\\soak-note.txt";
    Soak("save and open", [&](int) {
        DeleteFileA(file.c_str());
        note.HandleMenuCommand(cmd::SaveAs);
        PressSaveWith("soak-note.txt");  // a new file: written without a question, the window closes
        ASSERT_FALSE(IsWindow(frmSavetxt::Instance().hWnd()));
        note.HandleMenuCommand(cmd::OpenFile);
        PressSaveWith("soak-note.txt");
        ASSERT_FALSE(IsWindow(frmSavetxt::Instance().hWnd()));
    });
    DeleteFileA(file.c_str());
}

}  // namespace
