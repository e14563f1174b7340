// The note window as a user meets it: its frame, its start, its menu, its
// painted face, the mouse over the chrome, the commands, the way it closes, and
// the ways in without a mouse: keys and a screen reader.
#include <gtest/gtest.h>

#include <oleacc.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "menu/menu_commands.h"
#include "platform/win/handles.h"
#include "support/dialog_script.h"
#include "support/menu_catcher.h"
#include "support/note_fixture.h"
#include "support/readers.h"
#include "textfile/frmSavetxt.h"

using namespace std::chrono_literals;
using testsupport::DeferredAction;
using testsupport::MenuCatcher;
using testsupport::MenuOpenedBy;

namespace {

constexpr char kExitText[] = "Are you sure? *********  Exit Notes *******:, Are you sure?";
constexpr char kExitTitle[] = "Exit Notes: *****************";
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr char kColorKey[] = "Software\\Scrivlet\\Color";

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

std::string ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    return name;
}

std::string Stored(const char* value) { return testsupport::RegText(HKEY_CURRENT_USER, kColorKey, value); }

// The recovery copy of this process's notes in the test run's local folder; empty when there is none.
std::string RecoveryCopyPath() {
    char local[MAX_PATH] = {};
    GetEnvironmentVariableA("LOCALAPPDATA", local, MAX_PATH);
    const std::string folder = std::string(local) + "\\Scrivlet\\Recovery\\";
    WIN32_FIND_DATAA data{};
    const std::string pattern = folder + "note-" + std::to_string(GetCurrentProcessId()) + "-????????????????.txt";
    const unique_hfind find(FindFirstFileA(pattern.c_str(), &data));
    return find ? folder + data.cFileName : std::string();
}
std::string RecoveryCopy() {
    const std::string path = RecoveryCopyPath();
    return path.empty() ? std::string() : testsupport::ReadBytes(path);
}

class NoteTest : public testsupport::NoteFixture {
protected:
    void SetUp() override {
        modMain::MenuChoiceID = 0;
        // Every note of this process has the same copy: the one an earlier test's note left is not this one's.
        if (const std::string left = RecoveryCopyPath(); !left.empty()) DeleteFileA(left.c_str());
        NoteFixture::SetUp();
        SetForegroundWindow(note.hWnd());
        testsupport::Pump(50ms);
    }
    HWND hwnd() const { return note.hWnd(); }
    void Press(int x, int y) { SendMessageA(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(x, y)); }
    RECT WindowRect() const {
        RECT r{};
        GetWindowRect(hwnd(), &r);
        return r;
    }
};

// Records the messages the note receives, for actions that end in the
// system's own modal loops.
class MessageLog {
public:
    struct Entry {
        HWND hwnd;
        UINT msg;
        WPARAM wp;
    };
    MessageLog() : previous_(current_) {
        current_ = this;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
    }
    ~MessageLog() {
        UnhookWindowsHookEx(hook_);
        current_ = previous_;
    }
    bool Saw(HWND hwnd, UINT msg, WPARAM wp) const {
        for (const Entry& e : entries_)
            if (e.hwnd == hwnd && e.msg == msg && e.wp == wp) return true;
        return false;
    }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
        if (code == HC_ACTION && current_) {
            const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
            current_->entries_.push_back({m->hwnd, m->message, m->wParam});
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline MessageLog* current_ = nullptr;
    MessageLog* previous_;
    HHOOK hook_;
    std::vector<Entry> entries_;
};

TEST_F(NoteTest, FrameHasNoCaptionButASizingBorderAndNoTaskbarButton) {
    const LONG style = GetWindowLongA(hwnd(), GWL_STYLE);
    const LONG exStyle = GetWindowLongA(hwnd(), GWL_EXSTYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_EQ(style & WS_SYSMENU, 0);
    EXPECT_NE(style & WS_THICKFRAME, 0);
    EXPECT_NE(exStyle & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(exStyle & WS_EX_APPWINDOW, 0);
    RECT client{};
    GetClientRect(hwnd(), &client);
    EXPECT_EQ(client.right, 301);
    EXPECT_EQ(client.bottom, 196);
    POINT origin{0, 0};
    ClientToScreen(hwnd(), &origin);
    EXPECT_EQ(origin.x, 335);
    EXPECT_EQ(origin.y, 204);
}

TEST_F(NoteTest, LoadsTitleTextAreaIconsAndMenu) {
    EXPECT_EQ(note.TitleText, ComputerName() + "'s Notes:");
    EXPECT_EQ(note.GetComputer(), ComputerName());
    EXPECT_EQ(note.rtbMain.Text(), L"Click on the note pad above for Options!");
    const RECT area = testsupport::PlaceOf(note.rtbMain.hWnd());
    EXPECT_EQ(area.left, 10);
    EXPECT_EQ(area.top, 22);
    EXPECT_EQ(area.right - area.left, 286);
    EXPECT_EQ(area.bottom - area.top, 151);
    EXPECT_NE(note.NoteIcon.get(), nullptr);
    EXPECT_NE(note.SizeGripIcon.get(), nullptr);
    EXPECT_NE(note.CloseIcon.get(), nullptr);
    EXPECT_NE(note.MinIcon.get(), nullptr);
    EXPECT_TRUE(note.IsOpen());
}

struct MenuRow {
    UINT id;
    const char* caption;
};

void ExpectMenu(HMENU menu, const std::vector<MenuRow>& rows) {
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(rows.size()));
    for (UINT i = 0; i < rows.size(); ++i) {
        char text[64] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &info));
        EXPECT_EQ(info.wID, rows[i].id) << i;
        if (*rows[i].caption) {
            EXPECT_STREQ(text, rows[i].caption) << i;
        } else {
            EXPECT_NE(info.fType & MFT_SEPARATOR, 0u) << i;
        }
    }
}

TEST_F(NoteTest, MenuHoldsEveryCommandAndTwoColourSubmenus) {
    const HMENU menu = note.NoteMenu->hMenu();
    ExpectMenu(menu, {{100, "&New Note"}, {0, ""}, {101, "S&ave As..."}, {111, "Open file..."},
                      {102, "&Delete"}, {103, "&Email To..."}, {0, ""}, {104, "Cu&t"}, {105, "&Copy"},
                      {106, "&Paste"}, {109, "Select All"}, {0, ""}, {200, "BackC&olor"},
                      {2200, "ForeC&olor"}, {0, ""}, {107, "Pr&int..."}, {110, "Minimize"}, {108, "C&lose"}});
    const std::vector<const char*> colours = {"&Blue", "&Green", "&Pink", "&Yellow", "&White", "&Black"};
    for (UINT base : {200u, 2200u}) {
        std::vector<MenuRow> rows;
        for (UINT i = 0; i < 6; ++i) rows.push_back({base + 1 + i, colours[i]});
        ExpectMenu(GetSubMenu(menu, base == 200 ? 12 : 13), rows);
    }
}

TEST_F(NoteTest, EscapeWhileTypingAsksAndNoKeepsTextAndCaret) {
    note.rtbMain.SetText(L"typed text");
    note.rtbMain.SetSelStart(4);
    for (int answer : {IDNO, IDCANCEL}) {
        DialogScript script({DialogScript::Press(answer)});
        SendMessageA(note.rtbMain.hWnd(), WM_CHAR, VK_ESCAPE, 0);
        ASSERT_EQ(script.seen().size(), 1u);
        EXPECT_EQ(script.seen()[0].caption, kExitTitle);
        EXPECT_EQ(script.seen()[0].text, kExitText);
        EXPECT_TRUE(script.seen()[0].hadButton);
        EXPECT_EQ(script.seen()[0].defaultButtonId, IDNO);  // Enter answers No
        ASSERT_TRUE(IsWindow(hwnd()));
        EXPECT_EQ(note.rtbMain.Text(), L"typed text");
        EXPECT_EQ(note.rtbMain.SelStart(), 4);
        EXPECT_NE(note.NoteMenu, nullptr);
    }
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyA(HKEY_CURRENT_USER, kColorKey, &key), ERROR_SUCCESS);
}

TEST_F(NoteTest, YesClosesStoresColoursAndFreesEverything) {
    const HMENU menu = note.NoteMenu->hMenu();
    const HWND window = hwnd();
    DialogScript script({DialogScript::Press(IDYES)});
    PostMessageA(window, WM_CLOSE, 0, 0);  // a close request from outside the program
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(window); }));
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].caption, kExitTitle);
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_EQ(note.NoteMenu, nullptr);
    EXPECT_EQ(note.NoteIcon.get(), nullptr);
    EXPECT_EQ(note.MinIcon.get(), nullptr);
    EXPECT_FALSE(note.IsOpen());
    EXPECT_EQ(Stored("ForeColor"), "2205");
    EXPECT_EQ(Stored("BackColor"), "206");
}

TEST_F(NoteTest, PaintsStripSeparatorIconsAndGrip) {
    const testsupport::Pixels face = testsupport::CaptureClient(hwnd());
    ASSERT_EQ(face.width, 301);
    const COLORREF strip = GetSysColor(COLOR_ACTIVECAPTION);
    EXPECT_EQ(face.at(20, 1), strip);
    EXPECT_EQ(face.at(200, 3), strip);
    EXPECT_EQ(face.at(261, 16), strip);
    EXPECT_NE(face.at(262, 5), strip);  // right and bottom edges are not filled
    EXPECT_NE(face.at(200, 17), strip);
    for (int x = 5; x <= 296; ++x) EXPECT_EQ(face.at(x, 178), kYellow) << x;
    EXPECT_NE(face.at(4, 178), kYellow);
    EXPECT_NE(face.at(297, 178), kYellow);
    EXPECT_EQ(face.at(6, 9), kYellow);  // the note pad's sheet in the menu icon
    EXPECT_EQ(face.at(300 - 10, 10), RGB(255, 0, 0));  // the close icon's red
    int gripPixels = 0;
    for (int y = 182; y < 194; ++y)
        for (int x = 287; x < 299; ++x) gripPixels += face.at(x, y) != 0;
    EXPECT_GT(gripPixels, 0);
}

TEST_F(NoteTest, NarrowNoteFillsNoStrip) {
    RECT frame{0, 0, 50, 196};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(hwnd(), GWL_EXSTYLE)));
    SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    const testsupport::Pixels face = testsupport::CaptureClient(hwnd());
    ASSERT_EQ(face.width, 50);
    const COLORREF strip = GetSysColor(COLOR_ACTIVECAPTION);
    for (int y = 1; y < 17; ++y)
        for (int x = 0; x < 50; ++x) ASSERT_NE(face.at(x, y), strip) << x << "," << y;
    EXPECT_EQ(note.TitleRect.right, 11);  // still computed
}

TEST_F(NoteTest, TinyNoteKeepsTheTextAreaWhereItWas) {
    RECT before{};
    GetWindowRect(note.rtbMain.hWnd(), &before);
    SetWindowPos(hwnd(), nullptr, 0, 0, 12, 30, SWP_NOMOVE | SWP_NOZORDER);
    RECT after{};
    GetWindowRect(note.rtbMain.hWnd(), &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    ShowWindow(hwnd(), SW_MINIMIZE);
    ShowWindow(hwnd(), SW_RESTORE);
    EXPECT_EQ(note.DateRect.bottom, static_cast<int>(note.DateRect.top + 18));
}

TEST_F(NoteTest, ClosePressAsksTheExitQuestion) {
    DialogScript script({DialogScript::Press(IDNO)});
    Press(284, 5);  // in both the minimize and the close rectangle: close wins
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].caption, kExitTitle);
    EXPECT_TRUE(IsWindow(hwnd()));
    EXPECT_FALSE(IsIconic(hwnd()));
}

TEST_F(NoteTest, MinimizePressMinimizesAtOnce) {
    DialogScript script({});
    Press(270, 5);
    EXPECT_TRUE(IsIconic(hwnd()));
    EXPECT_TRUE(script.seen().empty());
}

TEST_F(NoteTest, PressesOutsideTheRegionsDoNothing) {
    const RECT before = WindowRect();
    DialogScript script({});
    MessageLog log;
    for (POINT p : {POINT{19, 5}, POINT{0, 0}, POINT{150, 100}, POINT{150, 185}}) Press(p.x, p.y);
    SendMessageA(hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, At(100, 8));  // right press: only the release acts
    SendMessageA(hwnd(), WM_MBUTTONDOWN, MK_MBUTTON, At(100, 8));
    EXPECT_TRUE(script.seen().empty());
    EXPECT_FALSE(IsIconic(hwnd()));
    EXPECT_FALSE(log.Saw(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION));
    EXPECT_FALSE(log.Saw(hwnd(), WM_ENTERMENULOOP, TRUE));
    const RECT after = WindowRect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
}

TEST_F(NoteTest, TitlePressStartsAMoveAndGripPressASizeWithRepaint) {
    MessageLog log;
    {
        DeferredAction end(300ms, [&] { PostMessageA(hwnd(), WM_KEYDOWN, VK_RETURN, 0); });
        Press(262, 5);  // in both the strip and the minimize rectangle: the strip wins
    }
    EXPECT_TRUE(log.Saw(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION));
    EXPECT_FALSE(IsIconic(hwnd()));
    ValidateRect(hwnd(), nullptr);
    {
        DeferredAction end(300ms, [&] { PostMessageA(hwnd(), WM_KEYDOWN, VK_RETURN, 0); });
        Press(300, 195);
    }
    EXPECT_TRUE(log.Saw(hwnd(), WM_NCLBUTTONDOWN, HTBOTTOMRIGHT));
    RECT dirty{};
    RECT client{};
    GetClientRect(hwnd(), &client);
    ASSERT_TRUE(GetUpdateRect(hwnd(), &dirty, FALSE));
    EXPECT_TRUE(EqualRect(&dirty, &client));
}

TEST_F(NoteTest, MenuOpensUnderTheIconAndAtTheCursor) {
    modMain::MenuChoiceID = 42;
    const RECT window = WindowRect();
    SetCursorPos(600, 500);
    const RECT underIcon = MenuOpenedBy([&] { Press(10, 10); });
    EXPECT_EQ(underIcon.left, window.left + 2);
    EXPECT_EQ(underIcon.top, window.top + 20);
    EXPECT_EQ(modMain::MenuChoiceID, 42);  // dismissed: id 0 changes nothing

    SetCursorPos(window.left + 100, window.top + 10);
    const RECT atCursor =
        MenuOpenedBy([&] { SendMessageA(hwnd(), WM_RBUTTONUP, 0, At(100, 8)); });
    EXPECT_EQ(atCursor.left, window.left + 100);
    EXPECT_EQ(atCursor.top, window.top + 10);

    for (POINT p : {POINT{5, 5}, POINT{100, 185}, POINT{295, 190}}) {
        const RECT none = MenuOpenedBy([&] { SendMessageA(hwnd(), WM_RBUTTONUP, 0, At(p.x, p.y)); });
        EXPECT_EQ(none.right, 0) << p.x << "," << p.y;
    }
}

TEST_F(NoteTest, NarrowNoteOpensItsMenuOnlyFromTheIcon) {
    SetWindowPos(hwnd(), nullptr, 0, 0, 58, 196, SWP_NOMOVE | SWP_NOZORDER);
    const RECT icon = MenuOpenedBy([&] { Press(5, 5); });
    EXPECT_NE(icon.right, 0);
    const RECT title = MenuOpenedBy([&] { SendMessageA(hwnd(), WM_RBUTTONUP, 0, At(20, 5)); });
    EXPECT_EQ(title.right, 0);
}

TEST_F(NoteTest, CommandsAreRecordedEvenWhenUnknown) {
    note.HandleMenuCommand(cmd::None);
    EXPECT_EQ(modMain::MenuChoiceID, 0);
    note.HandleMenuCommand(cmd::BackColorMenu);
    EXPECT_EQ(modMain::MenuChoiceID, 200);
    note.HandleMenuCommand(cmd::ForeColorMenu);
    EXPECT_EQ(modMain::MenuChoiceID, 2200);
    note.HandleMenuCommand(cmd::None);
    EXPECT_EQ(modMain::MenuChoiceID, 2200);
    EXPECT_EQ(note.rtbMain.Text(), L"Click on the note pad above for Options!");
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

TEST_F(NoteTest, ClipboardCommandsAndSelectAll) {
    note.rtbMain.SetText(L"hello world");
    note.rtbMain.SetSelStart(0);
    note.rtbMain.SetSelLength(5);
    note.HandleMenuCommand(cmd::Copy);
    EXPECT_EQ(modMain::MenuChoiceID, 105);
    EXPECT_EQ(ClipboardText(), L"hello");
    note.HandleMenuCommand(cmd::Cut);
    EXPECT_EQ(note.rtbMain.Text(), L" world");
    note.rtbMain.SetSelStart(note.rtbMain.TextLength());
    note.HandleMenuCommand(cmd::Paste);
    EXPECT_EQ(note.rtbMain.Text(), L" worldhello");

    note.rtbMain.SetText(L"two\r\nlines");
    note.HandleMenuCommand(cmd::SelectAll);
    EXPECT_EQ(note.rtbMain.SelStart(), 0);
    EXPECT_EQ(note.rtbMain.SelLength(), note.rtbMain.TextLength());
    EXPECT_EQ(note.rtbMain.TextLength(), 9);  // a line break is one position

    note.HandleMenuCommand(cmd::Delete);
    EXPECT_EQ(note.rtbMain.Text(), L"");
    note.HandleMenuCommand(cmd::SelectAll);
    EXPECT_EQ(note.rtbMain.SelStart(), 0);
    EXPECT_EQ(note.rtbMain.SelLength(), 0);
    note.HandleMenuCommand(cmd::Cut);  // nothing to cut: nothing happens
    EXPECT_EQ(note.rtbMain.Text(), L"");
}

TEST_F(NoteTest, DeleteClearsWithoutTouchingColoursOrRegistry) {
    // Mended: the text was gone for good, and one that starts like rich text was read as such.
    const std::wstring old = L"{\\rtf1 stays plain}\r\nsecond line";
    note.ReplaceText(old);
    EXPECT_EQ(note.rtbMain.Text(), old);
    // Kept for recovery after the user's pause, and gone with the text.
    ASSERT_TRUE(
        testsupport::PumpUntil([] { return RecoveryCopy() == "\xEF\xBB\xBF{\\rtf1 stays plain}\r\nsecond line"; }));
    note.HandleMenuCommand(2203);
    DialogScript boxes({}, DialogScript::Press(IDOK));
    note.HandleMenuCommand(cmd::Delete);
    EXPECT_TRUE(boxes.seen().empty());  // asks nothing
    EXPECT_EQ(note.rtbMain.Text(), L"");
    EXPECT_EQ(RecoveryCopy(), "");
    SendMessageW(note.rtbMain.hWnd(), EM_UNDO, 0, 0);  // one undo brings it back
    EXPECT_EQ(note.rtbMain.Text(), old);
    EXPECT_EQ(note.ForeColorID, 2203);
    EXPECT_EQ(note.BackColorID, 206);
    EXPECT_EQ(Stored("ForeColor"), "");
}

TEST_F(NoteTest, LoggingOffAsksTheExitQuestionAndOnlyYesLetsTheSessionEnd) {
    note.ReplaceText(L"unsaved");
    for (int answer : {IDNO, IDCANCEL}) {
        DialogScript script({DialogScript::Press(answer)});
        EXPECT_EQ(SendMessageA(hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE);
        // Kept before the question, without waiting for the user's pause: Windows may end the note meanwhile.
        EXPECT_EQ(RecoveryCopy(), "\xEF\xBB\xBFunsaved");
        ASSERT_EQ(script.seen().size(), 1u);
        EXPECT_EQ(script.seen()[0].caption, kExitTitle);
        EXPECT_EQ(script.seen()[0].text, kExitText);
        SendMessageA(hwnd(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // another program kept the session
        ASSERT_TRUE(IsWindow(hwnd()));
        EXPECT_EQ(note.rtbMain.Text(), L"unsaved");
        EXPECT_EQ(Stored("BackColor"), "");
    }
    const HWND window = hwnd();
    {
        // Mended: a log-off that another program called off used to close the note.
        DialogScript script({DialogScript::Press(IDYES), DialogScript::Press(IDNO)});
        EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
        SendMessageA(window, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
        ASSERT_TRUE(IsWindow(window));
        EXPECT_EQ(note.rtbMain.Text(), L"unsaved");
        SendMessageA(window, WM_CLOSE, 0, 0);  // the earlier Yes is forgotten: asked again
        EXPECT_EQ(script.seen().size(), 2u);
        ASSERT_TRUE(IsWindow(window));
    }
    DialogScript script({DialogScript::Press(IDYES)});
    EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    // Stored at once: the session may end the process without another message.
    EXPECT_EQ(Stored("BackColor"), "206");
    EXPECT_TRUE(IsWindow(window));
    SendMessageA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(RecoveryCopy(), "") << "closed with Yes, the note leaves no copy";
    EXPECT_EQ(note.NoteMenu, nullptr);
    EXPECT_EQ(script.seen().size(), 1u);
}

// Mended: the question was owned by whatever window was active, so the note
// stayed usable under it; a second close request asked again, and two Yes
// freed everything twice and crashed the program.
TEST_F(NoteTest, CloseRequestsFromOutsideAskOnceOverTheNote) {
    note.HandleMenuCommand(cmd::SaveAs);  // the text-file window is active
    const HWND window = hwnd();
    DialogScript script({DialogScript::Press(IDYES), DialogScript::Press(IDYES)});
    PostMessageA(window, WM_CLOSE, 0, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);  // arrives while the question is up
    PostMessageA(window, WM_CHAR, 27, 0);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(window); }));
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].owner, window);
    EXPECT_TRUE(note.Unload());  // closed already: nothing asked, nothing freed twice
    EXPECT_EQ(script.seen().size(), 1u);
    DestroyWindow(frmSavetxt::Instance().hWnd());
}

// An earlier subclass of the text area, made as the control is created.
WNDPROC g_richEditProc = nullptr;
int g_charsSeen = 0;

LRESULT CALLBACK CountChars(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CHAR) ++g_charsSeen;
    return CallWindowProcW(g_richEditProc, hwnd, msg, wp, lp);
}

LRESULT CALLBACK SubclassTextAreas(int code, WPARAM wp, LPARAM lp) {
    const auto hwnd = reinterpret_cast<HWND>(wp);
    wchar_t name[32] = {};
    if (code == HCBT_CREATEWND && GetClassNameW(hwnd, name, 32) && lstrcmpiW(name, MSFTEDIT_CLASS) == 0)
        g_richEditProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountChars)));
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Mended: the note's key hook called the control's class procedure and so
// skipped a subclass made before it.
TEST(TextAreaKeys, PassEveryMessageToTheProcedureTheyReplaced) {
    testsupport::ResetSettings();
    COutlookNote note;
    const HHOOK hook = SetWindowsHookExW(WH_CBT, &SubclassTextAreas, nullptr, GetCurrentThreadId());
    const bool created = note.Create();
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(created);
    ASSERT_NE(g_richEditProc, nullptr);
    note.rtbMain.SetText(L"");
    SendMessageW(note.rtbMain.hWnd(), WM_CHAR, 'x', 0);
    EXPECT_EQ(g_charsSeen, 1);
    EXPECT_EQ(note.rtbMain.Text(), L"x");
}

TEST_F(NoteTest, CloseCommandRunsTheExitQuestion) {
    DialogScript script({DialogScript::Press(IDCANCEL), DialogScript::Press(IDYES)});
    note.HandleMenuCommand(cmd::Close);
    EXPECT_TRUE(IsWindow(hwnd()));
    const HWND window = hwnd();
    note.HandleMenuCommand(cmd::Close);
    EXPECT_FALSE(IsWindow(window));
    ASSERT_EQ(script.seen().size(), 2u);
    EXPECT_EQ(script.seen()[1].text, kExitText);
}

// The note without a mouse: keys that open the menu or close the note, and
// the face a screen reader reads through Active Accessibility.

// Real keyboard input: a key, with a modifier held (0 for none), to the focused window.
void Chord(WORD modifier, WORD key) {
    std::vector<INPUT> events;
    auto add = [&](WORD vk, DWORD flags) {
        INPUT e{};
        e.type = INPUT_KEYBOARD;
        e.ki.wVk = vk;
        e.ki.dwFlags = flags;
        events.push_back(e);
    };
    if (modifier) add(modifier, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (modifier) add(modifier, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
}

using unique_bstr = unique_any<BSTR, &::SysFreeString>;

VARIANT Child(long id) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

unique_com<IAccessible> ClientObject(HWND hwnd) {
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(&object));
    return unique_com<IAccessible>(object);
}

unique_com<IAccessible> AsAccessible(IDispatch* object) {
    const unique_com<IDispatch> owned(object);
    IAccessible* accessible = nullptr;
    if (object) object->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&accessible));
    return unique_com<IAccessible>(accessible);
}

HWND WindowOf(IAccessible* object) {
    HWND hwnd = nullptr;
    if (object) WindowFromAccessibleObject(object, &hwnd);
    return hwnd;
}

std::wstring Name(IAccessible& a, long id) {
    BSTR raw = nullptr;
    a.get_accName(Child(id), &raw);
    const unique_bstr name(raw);
    return name ? name.get() : L"";
}

std::wstring DefaultAction(IAccessible& a, long id) {
    BSTR raw = nullptr;
    a.get_accDefaultAction(Child(id), &raw);
    const unique_bstr action(raw);
    return action ? action.get() : L"";
}

long LongProperty(IAccessible& a, long id, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) {
    VARIANT v{};
    (a.*get)(Child(id), &v);
    return v.vt == VT_I4 ? v.lVal : -1;
}

// What a hit test or a move found: a part's id, -1 for the text area's own object, -2 for
// nothing, -3 for any other object.
long Found(HRESULT hr, VARIANT v, HWND textArea) {
    if (v.vt == VT_DISPATCH) return WindowOf(AsAccessible(v.pdispVal).get()) == textArea ? -1 : -3;
    return SUCCEEDED(hr) && v.vt == VT_I4 ? v.lVal : -2;
}

TEST_F(NoteTest, ShiftF10AndTheMenuKeyOpenTheMenuUnderTheIconOnce) {
    modMain::MenuChoiceID = 42;
    const RECT window = WindowRect();
    SetCursorPos(600, 500);
    ASSERT_EQ(GetFocus(), note.rtbMain.hWnd());
    for (const WORD modifier : {WORD{VK_SHIFT}, WORD{0}}) {
        MenuCatcher catcher;
        Chord(modifier, modifier ? VK_F10 : VK_APPS);
        testsupport::PumpUntil([&] { return !catcher.menus().empty(); }, 2s);
        testsupport::Pump(300ms);  // long enough to catch a second menu
        ASSERT_EQ(catcher.menus().size(), 1u) << modifier;
        EXPECT_EQ(catcher.menus()[0].left, window.left + 2);
        EXPECT_EQ(catcher.menus()[0].top, window.top + 20);
    }
    EXPECT_EQ(modMain::MenuChoiceID, 42);
    EXPECT_EQ(note.rtbMain.Text(), L"Click on the note pad above for Options!");
}

TEST_F(NoteTest, RightClickInTheTextAreaStillOpensNoMenuAndAltF4AsksToExit) {
    RECT area{};
    GetWindowRect(note.rtbMain.hWnd(), &area);
    {
        DialogScript script({});
        MenuCatcher catcher;
        MessageLog log;
        SetCursorPos(area.left + 40, area.top + 40);
        INPUT click[2] = {};
        click[0].type = click[1].type = INPUT_MOUSE;
        click[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        click[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        SendInput(2, click, sizeof(INPUT));
        testsupport::Pump(500ms);
        // The control hands the click's context menu on to the note, which leaves it to the system.
        EXPECT_TRUE(log.Saw(hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(note.rtbMain.hWnd())));
        EXPECT_TRUE(catcher.menus().empty());
        EXPECT_TRUE(script.seen().empty());
    }
    DialogScript script({DialogScript::Press(IDNO)});
    Chord(VK_MENU, VK_F4);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !script.seen().empty(); }, 3s));
    EXPECT_EQ(script.seen()[0].caption, kExitTitle);
    EXPECT_EQ(script.seen()[0].text, kExitText);
    testsupport::Pump(200ms);
    EXPECT_EQ(script.seen().size(), 1u);
    EXPECT_TRUE(IsWindow(hwnd()));
}

TEST_F(NoteTest, AccessibleObjectNamesAndPlacesEveryPart) {
    const unique_com<IAccessible> acc = ClientObject(hwnd());
    ASSERT_TRUE(acc);
    IAccessible& a = *acc.get();
    EXPECT_EQ(Name(a, CHILDID_SELF), testsupport::Widen(note.TitleText));
    EXPECT_EQ(LongProperty(a, CHILDID_SELF, &IAccessible::get_accRole), ROLE_SYSTEM_CLIENT);
    long count = 0;
    EXPECT_EQ(a.get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 7);
    IDispatch* parent = nullptr;
    ASSERT_EQ(a.get_accParent(&parent), S_OK);
    EXPECT_EQ(WindowOf(AsAccessible(parent).get()), hwnd());

    POINT origin{0, 0};
    ClientToScreen(hwnd(), &origin);
    struct Row {
        long id;
        std::string name;
        long role;
        RECT place;  // client pixels
        const wchar_t* action;
    };
    const Row rows[] = {
        {1, "Menu", ROLE_SYSTEM_PUSHBUTTON, {1, 1, 18, 17}, L"Press"},
        {2, note.TitleText, ROLE_SYSTEM_TITLEBAR, {20, 1, 262, 17}, L""},
        {3, "Minimize", ROLE_SYSTEM_PUSHBUTTON, {261, 1, 286, 17}, L"Press"},
        {4, "Close", ROLE_SYSTEM_PUSHBUTTON, {282, 1, 300, 17}, L"Press"},
        {6, note.DateLineShown(), ROLE_SYSTEM_STATICTEXT, {0, 178, 301, 196}, L""},
        {7, "", ROLE_SYSTEM_GRIP, {287, 182, 301, 196}, L""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Name(a, row.id), testsupport::Widen(row.name)) << row.id;
        EXPECT_EQ(LongProperty(a, row.id, &IAccessible::get_accRole), row.role) << row.id;
        EXPECT_EQ(LongProperty(a, row.id, &IAccessible::get_accState), 0) << row.id;
        EXPECT_EQ(DefaultAction(a, row.id), row.action) << row.id;
        long x = 0, y = 0, w = 0, h = 0;
        EXPECT_EQ(a.accLocation(&x, &y, &w, &h, Child(row.id)), S_OK);
        EXPECT_EQ(x, origin.x + row.place.left) << row.id;
        EXPECT_EQ(y, origin.y + row.place.top) << row.id;
        EXPECT_EQ(w, row.place.right - row.place.left) << row.id;
        EXPECT_EQ(h, row.place.bottom - row.place.top) << row.id;
        IDispatch* element = nullptr;
        EXPECT_EQ(a.get_accChild(Child(row.id), &element), S_FALSE) << row.id;
    }
    // The date line as the system words the long date, read as a screen reader reads it
    // (run once more in French: the "é" of "décembre" must pass the narrow calls' UTF-8 whole).
    wchar_t date[128] = {};
    ASSERT_GT(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, date, 128), 0);
    EXPECT_EQ(Name(a, 6).rfind(std::wstring(date) + L" - ", 0), 0u) << testsupport::Narrow(Name(a, 6));

    // The text area is the control's own object; asked through the note, it answers the same.
    IDispatch* text = nullptr;
    ASSERT_EQ(a.get_accChild(Child(5), &text), S_OK);
    const unique_com<IAccessible> textArea = AsAccessible(text);
    EXPECT_EQ(WindowOf(textArea.get()), note.rtbMain.hWnd());
    EXPECT_EQ(LongProperty(a, 5, &IAccessible::get_accRole),
              LongProperty(*textArea.get(), CHILDID_SELF, &IAccessible::get_accRole));

    const HWND area = note.rtbMain.hWnd();
    VARIANT found{};
    EXPECT_EQ(Found(a.get_accFocus(&found), found, area), -1);
    struct Hit {
        POINT at;  // client pixels
        long id;
    };
    for (const Hit& hit : {Hit{{284, 5}, 4}, Hit{{262, 5}, 2}, Hit{{270, 5}, 3}, Hit{{10, 10}, 1}, Hit{{19, 5}, 0},
                           Hit{{300, 195}, 7}, Hit{{100, 185}, 6}, Hit{{150, 100}, -1}, Hit{{-3, 5}, -2}}) {
        found = VARIANT{};
        const HRESULT hr = a.accHitTest(origin.x + hit.at.x, origin.y + hit.at.y, &found);
        EXPECT_EQ(Found(hr, found, area), hit.id) << hit.at.x << "," << hit.at.y;
    }
    struct Move {
        long from, direction, to;
    };
    for (const Move& m : {Move{CHILDID_SELF, NAVDIR_FIRSTCHILD, 1}, Move{CHILDID_SELF, NAVDIR_LASTCHILD, 7},
                          Move{4, NAVDIR_NEXT, -1}, Move{6, NAVDIR_PREVIOUS, -1}, Move{2, NAVDIR_PREVIOUS, 1},
                          Move{7, NAVDIR_NEXT, -2}, Move{1, NAVDIR_PREVIOUS, -2}}) {
        found = VARIANT{};
        const HRESULT hr = a.accNavigate(m.direction, Child(m.from), &found);
        EXPECT_EQ(Found(hr, found, area), m.to) << m.from << " " << m.direction;
    }
}

TEST_F(NoteTest, AccessibleActionsDoWhatClicksDoAfterTheCallReturns) {
    const unique_com<IAccessible> acc = ClientObject(hwnd());
    ASSERT_TRUE(acc);
    IAccessible& a = *acc.get();
    for (const long id : {0L, 2L, 6L, 7L}) EXPECT_EQ(a.accDoDefaultAction(Child(id)), DISP_E_MEMBERNOTFOUND);
    const RECT window = WindowRect();
    {
        MenuCatcher catcher;
        EXPECT_EQ(a.accDoDefaultAction(Child(1)), S_OK);
        EXPECT_EQ(testsupport::FindOpenMenu(), nullptr);  // not yet: the caller is not held by the menu
        testsupport::Pump(600ms);
        ASSERT_EQ(catcher.menus().size(), 1u);
        EXPECT_EQ(catcher.menus()[0].left, window.left + 2);
        EXPECT_EQ(catcher.menus()[0].top, window.top + 20);
    }
    EXPECT_EQ(a.accDoDefaultAction(Child(3)), S_OK);
    EXPECT_FALSE(IsIconic(hwnd()));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return IsIconic(hwnd()) != FALSE; }, 2s));
    for (const long id : {1L, 2L, 3L, 4L, 6L, 7L})
        EXPECT_EQ(LongProperty(a, id, &IAccessible::get_accState), STATE_SYSTEM_INVISIBLE) << id;
    ShowWindow(hwnd(), SW_RESTORE);

    DialogScript script({DialogScript::Press(IDNO), DialogScript::Press(IDYES)});
    EXPECT_EQ(a.accDoDefaultAction(Child(4)), S_OK);
    EXPECT_TRUE(script.seen().empty());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return script.seen().size() == 1; }, 3s));
    EXPECT_EQ(script.seen()[0].text, kExitText);
    EXPECT_TRUE(IsWindow(hwnd()));
    const HWND closing = hwnd();
    EXPECT_EQ(a.accDoDefaultAction(Child(4)), S_OK);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(closing); }, 3s));
    // The object outlives the note in the client's hands, cut off from it.
    long count = -1;
    EXPECT_EQ(a.get_accChildCount(&count), RPC_E_DISCONNECTED);
    EXPECT_EQ(a.accDoDefaultAction(Child(4)), RPC_E_DISCONNECTED);
    EXPECT_EQ(Name(a, CHILDID_SELF), L"");
}

// Moves the icon files aside for one test and puts them back afterwards.
class NoteWithoutIconsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kIcons) {
            const std::string path = testsupport::ExeFolder() + "\\" + name;
            MoveFileExA(path.c_str(), (path + ".away").c_str(), MOVEFILE_REPLACE_EXISTING);
        }
        testsupport::ResetSettings();
    }
    void TearDown() override {
        for (const char* name : kIcons) {
            const std::string path = testsupport::ExeFolder() + "\\" + name;
            MoveFileExA((path + ".away").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
        }
    }
    static constexpr const char* kIcons[] = {"note.ico", "sizegrip.ico", "close.ico", "min.ico"};
};

TEST_F(NoteWithoutIconsTest, OpensAndWorksWithBlankIcons) {
    DialogScript script({});
    COutlookNote note;
    ASSERT_TRUE(note.Create());
    EXPECT_TRUE(script.seen().empty());  // no message about the missing files
    EXPECT_EQ(note.NoteIcon.get(), nullptr);
    EXPECT_EQ(note.SizeGripIcon.get(), nullptr);
    EXPECT_EQ(note.CloseIcon.get(), nullptr);
    EXPECT_EQ(note.MinIcon.get(), nullptr);
    const testsupport::Pixels face = testsupport::CaptureClient(note.hWnd());
    EXPECT_EQ(face.at(6, 9), 0u);  // background where the menu icon would be
    EXPECT_EQ(face.at(200, 3), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(face.at(150, 178), kYellow);
}

}  // namespace
