// The note's remembered settings: its colours and its own program location,
// with Wine's real registry and a real second copy of the program.
#include <gtest/gtest.h>

#include <richedit.h>

#include <string>

#include "note/COutlookNote.h"
#include "menu/menu_commands.h"
#include "support/dialog_script.h"
#include "support/readers.h"
#include "support/test_support.h"

using namespace std::chrono_literals;

namespace {

constexpr char kColorKey[] = "Software\\Scrivlet\\Color";
constexpr char kLocationKey[] = "Software\\Scrivlet\\Location";
constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ST6UNST #";

std::string Stored(const char* value) { return testsupport::RegText(HKEY_CURRENT_USER, kColorKey, value); }

// As the program stores them: REG_SZ without an ending zero.
void StoreColors(const char* fore, const char* back) {
    if (fore) testsupport::WriteRegValue(HKEY_CURRENT_USER, kColorKey, "ForeColor", REG_SZ, fore);
    if (back) testsupport::WriteRegValue(HKEY_CURRENT_USER, kColorKey, "BackColor", REG_SZ, back);
}

// The note's painted background, beside its text area.
COLORREF Background(const COutlookNote& note) { return testsupport::CaptureClient(note.hWnd()).at(5, 100); }

bool Checked(const COutlookNote& note, int submenu, int id) {
    const HMENU colors = GetSubMenu(note.NoteMenu->hMenu(), submenu == 200 ? 12 : 13);
    return (GetMenuState(colors, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// The text colour of every character of the note (one value when all agree).
COLORREF TextColor(const COutlookNote& note) {
    CHARRANGE all{0, note.rtbMain.TextLength()};
    SendMessageW(note.rtbMain.hWnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(note.rtbMain.hWnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return (format.dwMask & CFM_COLOR) ? format.crTextColor : 0xFFFFFFFFu;
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::ResetSettings(); }
};

TEST_F(SettingsTest, FirstRunIsWhiteOnBlackWithBothMarks) {
    COutlookNote note;
    ASSERT_TRUE(note.Create());
    EXPECT_EQ(note.BackColorID, 206);
    EXPECT_EQ(note.ForeColorID, 2205);
    EXPECT_TRUE(Checked(note, 200, 206));
    EXPECT_TRUE(Checked(note, 2200, 2205));
    EXPECT_FALSE(Checked(note, 200, 205));
    EXPECT_EQ(TextColor(note), RGB(255, 255, 255));
    EXPECT_EQ(Background(note), 0u);
}

TEST_F(SettingsTest, PickedColoursApplyAtOnceAndAreStoredOnlyOnClose) {
    {
        COutlookNote note;
        ASSERT_TRUE(note.Create());
        note.rtbMain.SetText(L"first line\r\nsecond line");
        note.rtbMain.SetSelStart(2);
        note.rtbMain.SetSelLength(3);
        note.HandleMenuCommand(2204);
        EXPECT_EQ(TextColor(note), RGB(255, 255, 0));
        note.rtbMain.SetSelStart(note.rtbMain.TextLength());
        EXPECT_EQ(note.ForeColorID, 2204);
        EXPECT_TRUE(Checked(note, 2200, 2204));
        EXPECT_FALSE(Checked(note, 2200, 2205));

        note.HandleMenuCommand(201);
        EXPECT_TRUE(Checked(note, 200, 201));
        EXPECT_EQ(Background(note), 0x00FFD3A9u);
        EXPECT_EQ(Stored("ForeColor"), "");  // picking writes nothing

        note.HandleMenuCommand(cmd::Delete);  // cleared, then typed: the new text still has the note's colour
        SendMessageW(note.rtbMain.hWnd(), WM_CHAR, L'x', 0);
        EXPECT_EQ(TextColor(note), RGB(255, 255, 0));
        note.rtbMain.SetText(L"replaced\r\nas a whole");  // as an opened file replaces the note
        EXPECT_EQ(TextColor(note), RGB(255, 255, 0));
        SendMessageW(note.rtbMain.hWnd(), WM_CHAR, L'y', 0);
        EXPECT_EQ(TextColor(note), RGB(255, 255, 0));

        DialogScript script({DialogScript::Press(IDYES)});
        EXPECT_TRUE(note.Unload());
    }
    EXPECT_EQ(Stored("ForeColor"), "2204");
    EXPECT_EQ(Stored("BackColor"), "201");
    COutlookNote next;
    ASSERT_TRUE(next.Create());
    EXPECT_EQ(next.ForeColorID, 2204);
    EXPECT_EQ(TextColor(next), RGB(255, 255, 0));
    EXPECT_EQ(Background(next), 0x00FFD3A9u);
}

TEST_F(SettingsTest, ApplyForeColorLeavesTheCaretAtTheEndWithNothingSelected) {
    COutlookNote note;
    ASSERT_TRUE(note.Create());
    note.rtbMain.SetText(L"abc\r\ndef");
    note.rtbMain.SetSelStart(1);
    note.rtbMain.SetSelLength(2);
    note.ApplyForeColor(2203);
    EXPECT_EQ(note.rtbMain.SelStart(), 7);
    EXPECT_EQ(note.rtbMain.SelLength(), 0);
}

struct StoredCase {
    const char* fore;
    const char* back;
    int foreId, backId;
    COLORREF background;
};

TEST_F(SettingsTest, StoredTextsAndTheirColours) {
    const StoredCase cases[] = {
        {nullptr, "203", 2205, 203, 0x00E2B0F8},  // only a background stored: pink, default white text
        {"", "", 2205, 206, 0},                   // empty counts as missing, not as 0
        {"abc", "99999999999", 2205, 206, 0},     // not a 32-bit decimal number: the default
        {" 2204", "1e3", 2205, 206, 0},
        {"2206", "-5", 2206, -5, 0},              // a number outside the table: black, kept as it is
        {"2202", "202", 2202, 202, 0x00CCFFAB},
    };
    for (const StoredCase& c : cases) {
        testsupport::ResetSettings();
        StoreColors(c.fore, c.back);
        COutlookNote note;
        ASSERT_TRUE(note.Create());
        EXPECT_EQ(note.ForeColorID, c.foreId) << (c.fore ? c.fore : "(none)");
        EXPECT_EQ(note.BackColorID, c.backId) << (c.back ? c.back : "(none)");
        EXPECT_EQ(Background(note), c.background);
        DialogScript script({DialogScript::Press(IDYES)});
        note.Unload();
        EXPECT_EQ(Stored("BackColor"), std::to_string(c.backId));
    }
}

TEST_F(SettingsTest, TheLastNoteToCloseDecidesTheStoredColours) {
    for (bool pinkClosesLast : {true, false}) {
        testsupport::ResetSettings();
        COutlookNote pink, green;
        ASSERT_TRUE(pink.Create());
        ASSERT_TRUE(green.Create());
        pink.HandleMenuCommand(203);
        green.HandleMenuCommand(202);
        DialogScript script({DialogScript::Press(IDYES), DialogScript::Press(IDYES)});
        (pinkClosesLast ? green : pink).Unload();
        (pinkClosesLast ? pink : green).Unload();
        EXPECT_EQ(Stored("BackColor"), pinkClosesLast ? "203" : "202");
    }
}

TEST_F(SettingsTest, ColourValueOfAnotherTypeReadsAsMissing) {
    const DWORD number = 203;
    ASSERT_TRUE(testsupport::WriteRegValue(HKEY_CURRENT_USER, kColorKey, "BackColor", REG_DWORD,
                                           {reinterpret_cast<const char*>(&number), sizeof number}));
    COutlookNote note;
    ASSERT_TRUE(note.Create());
    EXPECT_EQ(note.BackColorID, 206);
}

// --- program location --------------------------------------------------------

void ClearLocation() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kLocationKey);
    for (int n = 1; n <= 5; ++n)
        for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
            RegDeleteKeyExA(HKEY_LOCAL_MACHINE, (kUninstall + std::to_string(n)).c_str(), view, 0);
}

// Where old setups, 32-bit programs, wrote their entries: on a 64-bit system
// the 32-bit view of the machine's software keys.
void StoreSetupEntry(int n, const char* uninstallString) {
    ASSERT_TRUE(testsupport::WriteRegText(HKEY_LOCAL_MACHINE, kUninstall + std::to_string(n), "UninstallString",
                                          uninstallString, KEY_WOW64_32KEY));
}

class LocationTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetSettings();
        ClearLocation();
    }
    void TearDown() override { ClearLocation(); }
    std::string StoredLocation() const { return testsupport::RegText(HKEY_CURRENT_USER, kLocationKey, "Location"); }
};

TEST_F(LocationTest, StoredPathIsTakenWithoutAQuestion) {
    testsupport::ResetSettings("Q:\\nowhere\\whatever.bin");
    DialogScript script({});
    COutlookNote note;
    ASSERT_TRUE(note.Create());
    EXPECT_EQ(note.LocationOfScrivlet, "Q:\\nowhere\\whatever.bin");
    EXPECT_TRUE(script.seen().empty());
}

TEST_F(LocationTest, SetupEntryOfTheDefaultInstallationIsFoundAndStored) {
    StoreSetupEntry(3, "C:\\WINDOWS\\ST6UNST.EXE -n \"C:\\Program Files\\Scrivlet\\ST6UNST.LOG\"");
    StoreSetupEntry(4, "C:\\Program Files\\Other\\x.log");
    DialogScript script({});
    COutlookNote note;
    ASSERT_TRUE(note.Create());
    EXPECT_TRUE(script.seen().empty());
    EXPECT_EQ(note.LocationOfScrivlet, "C:\\Program Files\\Scrivlet\\Scrivlet.exe");
    EXPECT_EQ(StoredLocation(), "C:\\Program Files\\Scrivlet\\Scrivlet.exe");
}

TEST_F(LocationTest, AskedPathIsStoredAsTypedWithoutItsQuotes) {
    StoreSetupEntry(1, "c:\\program files\\scrivlet\\st6unst.log");  // other letter case: no match
    // "Copy as path" puts quotes around the path.
    DialogScript script({DialogScript::Type("D:\\Tools\\notes.exe"), DialogScript::Press(IDYES),
                         DialogScript::Type("\"D:\\Tools\\SCRIVLET.EXE\"")});
    COutlookNote note;
    ASSERT_TRUE(note.Create());
    ASSERT_EQ(script.seen().size(), 3u);
    EXPECT_EQ(script.seen()[0].caption, "Please give me the Scrivlet Location.");
    EXPECT_EQ(script.seen()[1].caption, "Try Again?");
    EXPECT_EQ(script.seen()[1].text,
              "There was a problem with the location you entered.\r\nDo you want to try again?");
    EXPECT_EQ(note.LocationOfScrivlet, "D:\\Tools\\SCRIVLET.EXE");
    EXPECT_EQ(StoredLocation(), "D:\\Tools\\SCRIVLET.EXE");
}

TEST_F(LocationTest, CancelThenNoLeavesTheLocationEmpty) {
    DialogScript script({DialogScript::Press(IDCANCEL), DialogScript::Press(IDOK), DialogScript::Press(IDNO)});
    COutlookNote note;
    ASSERT_TRUE(note.Create());
    ASSERT_EQ(script.seen().size(), 3u);
    EXPECT_EQ(script.seen()[1].caption, "Location needed");
    EXPECT_EQ(script.seen()[1].text, "PLEASE ENTER THE LOCATION!");
    EXPECT_TRUE(script.seen()[2].hadButton);
    EXPECT_EQ(note.LocationOfScrivlet, "");
    EXPECT_EQ(StoredLocation(), "");
    DialogScript none({});
    note.HandleMenuCommand(cmd::NewNote);  // New Note does nothing until the next start
    EXPECT_TRUE(none.seen().empty());
}

TEST_F(LocationTest, ValuesOfTheWrongTypeCountAsMissing) {
    const DWORD number = 1;
    ASSERT_TRUE(testsupport::WriteRegValue(HKEY_CURRENT_USER, kLocationKey, "Location", REG_DWORD,
                                           {reinterpret_cast<const char*>(&number), sizeof number}));
    const char expand[] = "C:\\Program Files\\Scrivlet\\ST6UNST.LOG";
    ASSERT_TRUE(testsupport::WriteRegValue(HKEY_LOCAL_MACHINE, kUninstall + std::string("2"), "UninstallString",
                                           REG_EXPAND_SZ, {expand, sizeof expand}));
    DialogScript script({DialogScript::Press(IDCANCEL), DialogScript::Press(IDOK), DialogScript::Press(IDNO)});
    COutlookNote note;
    ASSERT_TRUE(note.Create());
    ASSERT_FALSE(script.seen().empty());
    EXPECT_EQ(script.seen()[0].caption, "Please give me the Scrivlet Location.");
    EXPECT_EQ(note.LocationOfScrivlet, "");
}

TEST_F(LocationTest, RejectedPathIsKeptButNotStored) {
    DialogScript script({DialogScript::Type("D:\\Tools\\notes.exe"), DialogScript::Press(IDNO)});
    COutlookNote note;
    ASSERT_TRUE(note.Create());
    EXPECT_EQ(note.LocationOfScrivlet, "D:\\Tools\\notes.exe");
    EXPECT_EQ(StoredLocation(), "");
}

// --- New Note ------------------------------------------------------------------

struct NoteWindows {
    DWORD ownPid;
    std::vector<DWORD> others;
};

BOOL CALLBACK CollectNotes(HWND hwnd, LPARAM lp) {
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    auto* found = reinterpret_cast<NoteWindows*>(lp);
    if (lstrcmpA(cls, "ScrivletNote") == 0 && pid != found->ownPid && IsWindowVisible(hwnd))
        found->others.push_back(pid);
    return TRUE;
}

std::vector<DWORD> OtherNotes() {
    NoteWindows found{GetCurrentProcessId(), {}};
    EnumWindows(CollectNotes, reinterpret_cast<LPARAM>(&found));
    return found.others;
}

TEST_F(LocationTest, NewNoteStartsASecondWorkingCopy) {
    const std::string program = testsupport::ExeFolder() + "\\scrivlet.exe";
    for (const std::string& stored : {program, "\"" + program + "\""}) {
        SCOPED_TRACE(stored);
        testsupport::ResetSettings(stored);
        COutlookNote note;
        ASSERT_TRUE(note.Create());
        EXPECT_EQ(note.LocationOfScrivlet, program);
        ASSERT_TRUE(OtherNotes().empty());
        note.HandleMenuCommand(cmd::NewNote);
        ASSERT_TRUE(testsupport::PumpUntil([] { return OtherNotes().size() == 1; }, 30s));
        const DWORD pid = OtherNotes().front();
        const unique_handle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
        ASSERT_TRUE(process);
        TerminateProcess(process.get(), 0);
        WaitForSingleObject(process.get(), 10000);
        ASSERT_TRUE(testsupport::PumpUntil([] { return OtherNotes().empty(); }, 10s));
    }
}

struct BoxSearch {
    DWORD pid;
    HWND box;
};

BOOL CALLBACK FindExitBox(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<BoxSearch*>(lp);
    char cls[16] = {}, title[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, title, sizeof title);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid && lstrcmpA(cls, "#32770") == 0 && lstrcmpA(title, "Exit Notes: *****************") == 0) {
        search->box = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindNoteWindow(HWND hwnd, LPARAM lp) {
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "ScrivletNote") != 0) return TRUE;
    *reinterpret_cast<HWND*>(lp) = hwnd;
    return FALSE;
}

TEST_F(LocationTest, TheProgramEndsWhenItsNoteClosesWithYes) {
    const std::string program = testsupport::ExeFolder() + "\\scrivlet.exe";
    testsupport::ResetSettings(program);
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &started));
    const unique_handle process(started.hProcess), thread(started.hThread);
    ASSERT_TRUE(testsupport::PumpUntil([] { return OtherNotes().size() == 1; }, 30s));
    HWND other = nullptr;
    EnumThreadWindows(started.dwThreadId, FindNoteWindow, reinterpret_cast<LPARAM>(&other));
    ASSERT_NE(other, nullptr);
    PostMessageA(other, WM_CLOSE, 0, 0);  // a close request from outside: the exit question comes
    BoxSearch search{started.dwProcessId, nullptr};
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        EnumWindows(FindExitBox, reinterpret_cast<LPARAM>(&search));
        return search.box != nullptr;
    }, 30s));
    PostMessageA(search.box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    ASSERT_EQ(WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(Stored("BackColor"), "206");
}

TEST_F(LocationTest, NewNoteWithAPathThatNamesNoProgramLooksAgain) {
    testsupport::ResetSettings("C:\\Tools\\notes.exe");
    COutlookNote note;
    ASSERT_TRUE(note.Create());
    DialogScript script({});
    note.HandleMenuCommand(cmd::NewNote);  // reloads the same stored value, starts nothing
    EXPECT_EQ(note.LocationOfScrivlet, "C:\\Tools\\notes.exe");
    EXPECT_TRUE(script.seen().empty());
    testsupport::Pump(300ms);
    EXPECT_TRUE(OtherNotes().empty());
}

TEST_F(LocationTest, NewNoteWithAMissingProgramSaysSo) {
    const std::string missing = testsupport::ExeFolder() + "\\gone\\Scrivlet.exe";
    testsupport::ResetSettings(missing);
    COutlookNote note;
    ASSERT_TRUE(note.Create());
    DialogScript script({DialogScript::Press(IDOK)});
    note.HandleMenuCommand(cmd::NewNote);
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].caption, "Scrivlet");
    EXPECT_NE(script.seen()[0].text.find(missing), std::string::npos);
    EXPECT_TRUE(IsWindow(note.hWnd()));
}

}  // namespace
