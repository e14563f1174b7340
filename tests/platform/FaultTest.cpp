// Faults a user seldom meets, brought about on purpose.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>

#include "menu/menu_commands.h"
#include "support/dialog_script.h"
#include "support/note_fixture.h"
#include "support/readers.h"
#include "textfile/frmSavetxt.h"
#include "textfile/modBrowser.h"

namespace {

std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.insert(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

TEST(Faults, ANoteWritesNothingIntoItsProgramFolder) {
    const std::set<std::string> before = FilesIn(testsupport::ExeFolder());
    {
        testsupport::ResetSettings();
        COutlookNote note;
        ASSERT_TRUE(note.Create());
        note.HandleMenuCommand(203);
        note.HandleMenuCommand(2206);
        note.HandleMenuCommand(cmd::Delete);
        DialogScript script({DialogScript::Press(IDYES)});
        ASSERT_TRUE(note.Unload());
    }
    EXPECT_EQ(FilesIn(testsupport::ExeFolder()), before);
}

LRESULT CALLBACK RefuseNames(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == CB_ADDSTRING) return CB_ERRSPACE;
    return DefSubclassProc(hwnd, msg, wp, lp);
}

std::string g_pickedFolder;

using FaultsOfANote = testsupport::NoteFixture;

TEST_F(FaultsOfANote, AListThatTakesNoNameSaysSoAndStaysUsable) {
    g_pickedFolder = testsupport::ExeFolder() + "\\listing-fault";
    CreateDirectoryA(g_pickedFolder.c_str(), nullptr);
    const std::string file = g_pickedFolder + "\\kept.txt";
    testsupport::WriteBytes(file, "");
    note.HandleMenuCommand(cmd::SaveAs);
    frmSavetxt& form = frmSavetxt::Instance();
    ASSERT_TRUE(IsWindow(form.hWnd()));
    SetWindowSubclass(form.Combo1, RefuseNames, 1, 0);
    frmSavetxt::PickFolder = [](HWND, std::string_view) { return g_pickedFolder; };
    DialogScript script({DialogScript::Press(IDOK), DialogScript::Press(IDOK)});
    SendMessageA(form.hWnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(form.cmdBrowse), BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.cmdBrowse));
    frmSavetxt::PickFolder = &modBrowser::BrowseForFolder;
    ASSERT_EQ(script.seen().size(), 2u);
    EXPECT_EQ(script.seen()[1].text, "No Previous Saved Text Files ");
    EXPECT_EQ(script.seen()[1].caption, "Type in a Name for your File!");
    EXPECT_TRUE(IsWindow(form.hWnd()));  // still usable: a name can be typed
    EXPECT_EQ(testsupport::WindowText(form.Label2), "The Current File Path is: " + g_pickedFolder + "\\");
    RemoveWindowSubclass(form.Combo1, RefuseNames, 1);
    SendMessageA(form.hWnd(), WM_CLOSE, 0, 0);
    DeleteFileA(file.c_str());
    RemoveDirectoryA(g_pickedFolder.c_str());
}

}  // namespace
