// The e-mail composer against real windows, the real open-file dialog and a
// real mail handler: a small program registered for "mailto:" that records the
// URL the shell gives it.
#include <windows.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "mail/frmSendEmail.h"
#include "menu/menu_commands.h"
#include "platform/win/handles.h"
#include "platform/win/program_windows.h"
#include "support/dialog_driver.h"
#include "support/dialog_script.h"
#include "support/note_fixture.h"
#include "support/readers.h"

using namespace std::chrono_literals;

namespace {

using testsupport::WindowTextW;

constexpr char kHandlerDir[] = "C:\\scrivlet-mail";
constexpr char kHandlerExe[] = "C:\\scrivlet-mail\\capture.exe";
constexpr char kCapturedUrl[] = "C:\\scrivlet-mail\\capture.url";
constexpr char kHandlerCommand[] = "\"C:\\scrivlet-mail\\capture.exe\" \"%1\"";
constexpr char kCommandKey[] = "mailto\\shell\\open\\command";

constexpr char kNotStarted[] = "The mail program could not be started.";
constexpr char kTooLong[] =
    "The note is too long to hand to the mail program.\n\nSave the note as a text file and attach that file instead.";

bool SetHandlerCommand(const std::string& command) {
    return testsupport::WriteRegText(HKEY_CLASSES_ROOT, kCommandKey, nullptr, command);
}

// The capture program takes the place of the mail program for the whole run;
// the handler found before is put back at the end.
class MailHandler : public testing::Environment {
public:
    void SetUp() override {
        previous_ = testsupport::ReadRegValue(HKEY_CLASSES_ROOT, kCommandKey, nullptr);
        CreateDirectoryA(kHandlerDir, nullptr);
        const std::string built = testsupport::ExeFolder() + "\\mail_capture.exe";
        ASSERT_TRUE(CopyFileA(built.c_str(), kHandlerExe, FALSE)) << "mail_capture.exe is built beside the tests";
        ASSERT_TRUE(SetHandlerCommand(kHandlerCommand));
    }
    void TearDown() override {
        if (previous_)
            testsupport::WriteRegValue(HKEY_CLASSES_ROOT, kCommandKey, nullptr, previous_->type, previous_->bytes);
        else RegDeleteKeyA(HKEY_CLASSES_ROOT, kCommandKey);
        DeleteFileA(kCapturedUrl);
        DeleteFileA(kHandlerExe);
        RemoveDirectoryA(kHandlerDir);
    }

private:
    std::optional<testsupport::RegValue> previous_;
};
testing::Environment* const kMailHandler = testing::AddGlobalTestEnvironment(new MailHandler);

class SendEmailTest : public testsupport::NoteFixture {
protected:
    void SetUp() override {
        NoteFixture::SetUp();
        DeleteFileA(kCapturedUrl);
    }

    void TearDown() override {
        frmSendEmail::OpenFileDialog = &GetOpenFileNameA;
        if (HWND form = Form().hWnd()) DestroyWindow(form);
    }

    static frmSendEmail& Form() { return frmSendEmail::Instance(); }

    // "&Email To..." on the note's menu.
    void OpenComposer() {
        note.HandleMenuCommand(cmd::EmailTo);
        ASSERT_TRUE(IsWindow(Form().hWnd()));
        testsupport::Pump(30ms);
    }

    void FillBoxes(const std::wstring& to, const std::wstring& cc, const std::wstring& bcc,
                   const std::wstring& subject, const std::wstring& body, const std::wstring& attachment) {
        SetWindowTextW(Form().txtMainAddresses, to.c_str());
        SetWindowTextW(Form().txtCC, cc.c_str());
        SetWindowTextW(Form().txtBCC, bcc.c_str());
        SetWindowTextW(Form().txtSubject, subject.c_str());
        SetWindowTextW(Form().txtmessage, body.c_str());
        SetWindowTextW(Form().txtAttachmentFileLocation, attachment.c_str());
    }

    std::vector<std::wstring> BoxTexts() {
        const frmSendEmail& f = Form();
        return {WindowTextW(f.txtMainAddresses), WindowTextW(f.txtCC), WindowTextW(f.txtBCC),
                WindowTextW(f.txtSubject), WindowTextW(f.txtmessage), WindowTextW(f.txtAttachmentFileLocation)};
    }

    // Presses "Sending E-mail..." and returns the URL the mail program received.
    std::optional<std::string> SendAndCapture() {
        DeleteFileA(kCapturedUrl);
        SendMessageW(Form().cmdSendIt, BM_CLICK, 0, 0);
        if (!testsupport::PumpUntil([] { return testsupport::Exists(kCapturedUrl); }, 20s)) return {};
        return testsupport::ReadBytes(kCapturedUrl);
    }
};

// ---------------------------------------------------------------------------
// The window's design.

TEST_F(SendEmailTest, CaptionSizeAndPlaceOnTheScreen) {
    OpenComposer();
    const HWND form = Form().hWnd();
    EXPECT_EQ(WindowTextW(form), L"SendEmail");
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, MulDiv(4830, dpi, 1440));
    EXPECT_EQ(client.bottom, MulDiv(6285, dpi, 1440));
    RECT frame{};
    GetWindowRect(form, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_EQ(GetWindow(form, GW_OWNER), nullptr);
}

TEST_F(SendEmailTest, ControlsPlacesTextsFontsAndTabOrder) {
    OpenComposer();
    frmSendEmail& f = Form();
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    auto px = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    struct Expected {
        HWND hwnd;
        const wchar_t* cls;
        const wchar_t* text;  // null: not checked here
        int left, top, width, height;
        bool bold;
    };
    // In tab order: the z-order of the children.
    const Expected controls[] = {
        {f.txtCC, L"Edit", L"", 1320, 600, 3015, 375, false},
        {f.txtBCC, L"Edit", L"", 1320, 1080, 3015, 375, false},
        {f.txtSubject, L"Edit", nullptr, 1320, 1560, 3015, 375, true},
        {f.txtMainAddresses, L"Edit", L"", 1320, 120, 3015, 375, true},
        {f.txtAttachmentFileLocation, L"Edit", L"", 1320, 5280, 3015, 375, false},
        {f.cmdSendIt, L"Button", L"Sending E-mail...", 1440, 5760, 3015, 375, false},
        {f.Label1[0], L"Static", L"To:", 120, 120, 975, 255, false},
        {f.Label1[1], L"Static", L"Carbon Copy:", 120, 600, 975, 255, false},
        {f.Label1[2], L"Static", L"Blind Copy:", 120, 1080, 975, 255, false},
        {f.Label1[3], L"Static", L"Subject :", 120, 1560, 975, 255, false},
        {f.Label1[4], L"Static", L"Body Message:", 120, 2160, 1095, 255, false},
        {f.txtmessage, L"Edit", nullptr, 1320, 2160, 3015, 2895, false},
        {f.cmdFileAttached, L"Button", L"Attach File:", 120, 5280, 1095, 375, false},
    };
    HWND child = GetWindow(f.hWnd(), GW_CHILD);
    for (const Expected& c : controls) {
        SCOPED_TRACE(testing::Message() << "control at " << c.left << "," << c.top);
        ASSERT_NE(c.hwnd, nullptr);
        EXPECT_EQ(child, c.hwnd) << "tab order";
        child = GetWindow(child, GW_HWNDNEXT);
        wchar_t cls[32] = {};
        GetClassNameW(c.hwnd, cls, 32);
        EXPECT_EQ(lstrcmpiW(cls, c.cls), 0) << cls;
        if (c.text) {
            EXPECT_EQ(WindowTextW(c.hwnd), c.text);
        }
        const RECT r = testsupport::PlaceOf(c.hwnd);
        EXPECT_EQ(r.left, px(c.left));
        EXPECT_EQ(r.top, px(c.top));
        EXPECT_EQ(r.right - r.left, px(c.width));
        EXPECT_EQ(r.bottom - r.top, px(c.height));
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c.hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
        EXPECT_EQ(font.lfWeight, c.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(font.lfHeight, -MulDiv(c.bold ? 975 : 825, dpi, 7200));
    }
    EXPECT_EQ(child, nullptr) << "no other controls";
    EXPECT_TRUE(GetWindowLongW(f.txtmessage, GWL_STYLE) & ES_MULTILINE);
    EXPECT_TRUE(GetWindowLongW(f.txtmessage, GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongW(f.txtMainAddresses, GWL_STYLE) & ES_MULTILINE);
    EXPECT_TRUE(IsWindowUnicode(f.txtmessage));
}

TEST_F(SendEmailTest, BoxColours) {
    OpenComposer();
    frmSendEmail& f = Form();
    const COLORREF cyan = RGB(128, 255, 255);
    const struct {
        HWND box;
        COLORREF back, text;
    } boxes[] = {
        {f.txtMainAddresses, GetSysColor(COLOR_MENU), GetSysColor(COLOR_WINDOWTEXT)},
        {f.txtSubject, GetSysColor(COLOR_MENU), GetSysColor(COLOR_WINDOWTEXT)},
        {f.txtCC, cyan, GetSysColor(COLOR_WINDOWTEXT)},
        {f.txtBCC, cyan, GetSysColor(COLOR_WINDOWTEXT)},
        {f.txtAttachmentFileLocation, cyan, GetSysColor(COLOR_WINDOWTEXT)},
        {f.txtmessage, GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW)},
    };
    const unique_hdc dc(CreateCompatibleDC(nullptr));
    for (const auto& b : boxes) {
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
            f.hWnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(b.box)));
        LOGBRUSH lb{};
        ASSERT_TRUE(GetObjectW(brush, sizeof lb, &lb));
        EXPECT_EQ(lb.lbColor, b.back);
        EXPECT_EQ(GetBkColor(dc.get()), b.back);
        EXPECT_EQ(GetTextColor(dc.get()), b.text);
    }
    // And on the screen: the inside of the box, away from its text.
    RedrawWindow(f.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (const auto& b : boxes) {
        RECT r{};
        GetClientRect(b.box, &r);
        HDC boxDc = GetDC(b.box);
        const COLORREF pixel = GetPixel(boxDc, r.right / 2, r.bottom - 2);
        ReleaseDC(b.box, boxDc);
        EXPECT_EQ(pixel, b.back);
    }
}

// ---------------------------------------------------------------------------
// Load, the single instance and Activate.

TEST_F(SendEmailTest, LoadTakesTheDatedSubjectAndTheWholeNote) {
    const std::wstring noteText = L"First line\r\nSecond & last? #1 100%\r\n\u03a3\u00fc \u65e5\u672c \U0001F600";
    note.rtbMain.SetText(noteText);
    note.rtbMain.SetSelStart(2);
    note.rtbMain.SetSelLength(4);
    OpenComposer();
    wchar_t date[80] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 80);
    EXPECT_EQ(WindowTextW(Form().txtSubject), std::wstring(L"notes-") + date);
    EXPECT_EQ(WindowTextW(Form().txtmessage), noteText);
    EXPECT_EQ(note.rtbMain.SelStart(), note.rtbMain.TextLength());
    EXPECT_EQ(note.rtbMain.SelLength(), 0);
    for (HWND box : {Form().txtMainAddresses, Form().txtCC, Form().txtBCC, Form().txtAttachmentFileLocation})
        EXPECT_EQ(WindowTextW(box), L"");
    EXPECT_EQ(Form().FileAttachment, "");
    EXPECT_EQ(Form().ActualFileName, "");
}

TEST_F(SendEmailTest, OneInstanceComesToFrontAndLoadsAgainOnlyAfterClosing) {
    note.rtbMain.SetText(L"old note");
    OpenComposer();
    const HWND first = Form().hWnd();
    SetWindowTextW(Form().txtmessage, L"edited body");
    note.rtbMain.SetText(L"new note");
    SetActiveWindow(note.hWnd());
    note.HandleMenuCommand(cmd::EmailTo);
    EXPECT_EQ(Form().hWnd(), first);
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(WindowTextW(Form().txtmessage), L"edited body");

    SendMessageW(first, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(Form().hWnd(), nullptr);
    note.HandleMenuCommand(cmd::EmailTo);
    ASSERT_TRUE(IsWindow(Form().hWnd()));
    EXPECT_EQ(WindowTextW(Form().txtmessage), L"new note");
}

TEST_F(SendEmailTest, StaysOpenWhenTheNoteCloses) {
    OpenComposer();
    DestroyWindow(note.hWnd());
    EXPECT_FALSE(note.IsOpen());
    testsupport::Pump(30ms);
    EXPECT_TRUE(IsWindowVisible(Form().hWnd()));
}

TEST_F(SendEmailTest, ActivateMovesTheFocusToTheToBox) {
    OpenComposer();
    EXPECT_EQ(GetFocus(), Form().txtMainAddresses);
    for (HWND elsewhere : {Form().txtCC, Form().txtmessage, Form().cmdSendIt}) {
        SetFocus(elsewhere);
        SetActiveWindow(note.hWnd());
        EXPECT_NE(GetFocus(), Form().txtMainAddresses);
        SetActiveWindow(Form().hWnd());
        EXPECT_EQ(GetFocus(), Form().txtMainAddresses);
    }
}

// Mended: the focus used to jump to the To box on every activation, so the next
// paste after coming back from another program or from a box landed there.
TEST_F(SendEmailTest, BackFromAnotherProgramOrItsOwnBoxTheFocusStays) {
    OpenComposer();
    SetFocus(Form().txtmessage);
    // Another program's window was active: the system names none of this thread.
    SendMessageW(Form().hWnd(), WM_ACTIVATE, WA_INACTIVE, 0);
    SendMessageW(Form().hWnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetFocus(), Form().txtmessage);
    // Its own message box.
    DialogScript responder({}, DialogScript::Press(IDOK));
    MessageBoxA(Form().hWnd(), "box", "Scrivlet", MB_OK);
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(GetActiveWindow(), Form().hWnd());
    EXPECT_EQ(GetFocus(), Form().txtmessage);
}

TEST_F(SendEmailTest, TabKeyVisitsTheControlsInTabOrder) {
    OpenComposer();
    frmSendEmail& f = Form();
    SetFocus(f.txtCC);
    const HWND order[] = {f.txtBCC,    f.txtSubject, f.txtMainAddresses, f.txtAttachmentFileLocation,
                          f.cmdSendIt, f.txtmessage, f.cmdFileAttached,  f.txtCC};
    for (HWND expected : order) {
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        PostMessageW(GetFocus(), WM_KEYUP, VK_TAB, 0xC0000001);
        testsupport::Pump(20ms);
        EXPECT_EQ(GetFocus(), expected);
    }
    EXPECT_EQ(WindowTextW(f.txtmessage).find(L'\t'), std::wstring::npos) << "Tab left the body unchanged";
}

// ---------------------------------------------------------------------------
// The attach button.

struct DialogCall {
    OPENFILENAMEA record{};
    std::string filter, file, fileTitle, initialDir, title;
    int calls = 0;
};
DialogCall g_dialogCall;
std::string g_dialogAnswer;  // empty: cancel

BOOL WINAPI FakeOpenFileDialog(LPOPENFILENAMEA ofn) {
    ++g_dialogCall.calls;
    g_dialogCall.record = *ofn;
    g_dialogCall.filter.assign(ofn->lpstrFilter, 21);
    g_dialogCall.file = ofn->lpstrFile;
    g_dialogCall.fileTitle = ofn->lpstrFileTitle;
    g_dialogCall.initialDir = ofn->lpstrInitialDir;
    g_dialogCall.title = ofn->lpstrTitle;
    if (g_dialogAnswer.empty()) return FALSE;
    if (g_dialogAnswer.size() + 1 > ofn->nMaxFile) return FALSE;  // FNERR_BUFFERTOOSMALL: the path does not fit
    // The dialog ends the path with a zero and leaves the rest of the buffer as it was.
    memcpy(ofn->lpstrFile, g_dialogAnswer.c_str(), g_dialogAnswer.size() + 1);
    return TRUE;
}

TEST_F(SendEmailTest, AttachShowsTheDialogWithItsRecord) {
    OpenComposer();
    frmSendEmail::OpenFileDialog = &FakeOpenFileDialog;
    g_dialogCall = {};
    g_dialogAnswer.clear();
    DialogScript responder({}, DialogScript::Press(IDOK));
    SendMessageW(Form().cmdFileAttached, BM_CLICK, 0, 0);
    ASSERT_EQ(g_dialogCall.calls, 1);
    const OPENFILENAMEA& r = g_dialogCall.record;
    EXPECT_EQ(r.lStructSize, sizeof(void*) == 4 ? 76u : offsetof(OPENFILENAMEA, pvReserved));
    EXPECT_EQ(r.hwndOwner, Form().hWnd());
    EXPECT_EQ(r.hInstance, GetModuleHandleW(nullptr));
    EXPECT_EQ(g_dialogCall.filter, std::string("All Files (*.*)\0*.*\0\0", 21));
    EXPECT_EQ(r.lpstrCustomFilter, nullptr);
    EXPECT_EQ(r.nFilterIndex, 0u);
    // Mended: 255 bytes held 85 characters of a Japanese path; now a path of MAX_PATH characters fits in UTF-8.
    EXPECT_EQ(g_dialogCall.file, std::string(254, ' '));
    EXPECT_GE(r.nMaxFile, 3u * MAX_PATH);
    EXPECT_EQ(g_dialogCall.fileTitle, std::string(254, ' '));
    EXPECT_GE(r.nMaxFileTitle, 3u * MAX_PATH);
    EXPECT_EQ(g_dialogCall.initialDir, "C:\\");
    EXPECT_EQ(g_dialogCall.title, "Select a File to Attach!");
    EXPECT_EQ(r.Flags, static_cast<DWORD>(OFN_HIDEREADONLY));
    EXPECT_EQ(r.lpstrDefExt, nullptr);
    EXPECT_EQ(r.lpfnHook, nullptr);
    EXPECT_EQ(r.lpTemplateName, nullptr);
    // Cancelled: nothing changed, nothing shown.
    EXPECT_TRUE(responder.seen().empty());
    EXPECT_EQ(WindowTextW(Form().txtAttachmentFileLocation), L"");
    EXPECT_EQ(Form().FileAttachment, "");
}

TEST_F(SendEmailTest, AttachChoiceFillsTheBoxAndNamesTheFile) {
    OpenComposer();
    frmSendEmail::OpenFileDialog = &FakeOpenFileDialog;
    // A folder of 120 Japanese characters, 360 bytes in UTF-8, holding "日記.txt".
    std::string longPath = "C:\\";
    for (int i = 0; i < 40; ++i) longPath += "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
    longPath += "\\\xE6\x97\xA5\xE8\xA8\x98.txt";
    const struct {
        const char* chosen;
        const char* path;
        const char* name;
    } cases[] = {
        {"C:\\Docs\\list.txt", "C:\\Docs\\list.txt", "list.txt"},
        {"C:\\My Documents\\a b.doc  ", "C:\\My Documents\\a b.doc", "a b.doc"},
        {"\\\\server\\share\\report", "\\\\server\\share\\report", "report"},
        // "résumé" in UTF-8: the ANSI code page of a UTF-8 system, a few accented letters elsewhere.
        {"C:\\Docs\\r\xC3\xA9sum\xC3\xA9.txt", "C:\\Docs\\r\xC3\xA9sum\xC3\xA9.txt", "r\xC3\xA9sum\xC3\xA9.txt"},
        {longPath.c_str(), longPath.c_str(), "\xE6\x97\xA5\xE8\xA8\x98.txt"},
    };
    for (const auto& c : cases) {
        g_dialogAnswer = c.chosen;
        DialogScript responder({}, DialogScript::Press(IDOK));
        SendMessageW(Form().cmdFileAttached, BM_CLICK, 0, 0);
        EXPECT_EQ(Form().FileAttachment, c.path);
        EXPECT_EQ(Form().ActualFileName, c.name);
        EXPECT_EQ(WindowTextW(Form().txtAttachmentFileLocation), testsupport::Widen(c.path));
        ASSERT_EQ(responder.seen().size(), 1u);
        EXPECT_EQ(responder.seen()[0].caption, "Scrivlet");
        EXPECT_EQ(responder.seen()[0].text, std::string("File to Attach is: ") + c.name);
        EXPECT_TRUE(responder.seen()[0].hadButton);
    }
}

TEST_F(SendEmailTest, RealDialogChoosesAFileAndCancelKeepsIt) {
    const bool madeFolder = CreateDirectoryA("C:\\Docs", nullptr);
    const bool created = !testsupport::Exists("C:\\Docs\\list.txt");
    if (created) testsupport::WriteBytes("C:\\Docs\\list.txt", "");
    OpenComposer();
    for (const bool choose : {true, false}) {
        SCOPED_TRACE(choose ? "chosen" : "cancelled");
        auto driver = DialogDriver::OpenFile(choose ? "C:\\Docs\\list.txt" : "");
        DialogScript boxes({}, DialogScript::Press(IDOK));
        SendMessageW(Form().cmdFileAttached, BM_CLICK, 0, 0);
        ASSERT_TRUE(driver.Finish().found);
        EXPECT_EQ(WindowTextW(Form().txtAttachmentFileLocation), L"C:\\Docs\\list.txt");
        EXPECT_EQ(Form().FileAttachment, "C:\\Docs\\list.txt");
        EXPECT_EQ(Form().ActualFileName, "list.txt");
        ASSERT_EQ(boxes.seen().size(), choose ? 1u : 0u) << "a cancelled dialog shows nothing";
        if (choose) {
            EXPECT_EQ(boxes.seen()[0].caption, "Scrivlet");
            EXPECT_EQ(boxes.seen()[0].text, "File to Attach is: list.txt");
        }
    }
    if (created) DeleteFileA("C:\\Docs\\list.txt");
    if (madeFolder) RemoveDirectoryA("C:\\Docs");
}

// ---------------------------------------------------------------------------
// The send button, through the shell to the registered mail program.

TEST_F(SendEmailTest, SendHandsTheEncodedUrlToTheMailProgram) {
    OpenComposer();
    const struct {
        const wchar_t *to, *cc, *bcc, *subject, *body, *attachment;
        const char* url;
    } cases[] = {
        {L"T", L"", L"", L"S", L"B", L"", "mailto:T?Subject=S&Body=B"},
        {L"", L"", L"", L"", L"", L"", "mailto:"},
        {L"", L"C", L"", L"", L"", L"", "mailto:?CC=C"},
        {L"T", L"", L"", L"", L"line one\r\nline two", L"", "mailto:T?Body=line%20one%0D%0Aline%20two"},
        {L"a@example.com,b@example.org", L"c@example.com", L"d@example.com", L"Hi", L"x", L"",
         "mailto:a@example.com,b@example.org?CC=c@example.com&BCC=d@example.com&Subject=Hi&Body=x"},
        {L"me@example.com", L"", L"", L"", L"Note&CC=someone@example.com", L"",
         "mailto:me@example.com?Body=Note%26CC%3Dsomeone@example.com"},
        {L"me@example.com", L"", L"", L"", L"x&Attach=C:\\secret.doc", L"",
         "mailto:me@example.com?Body=x%26Attach%3DC:%5Csecret.doc"},
        {L"T", L"", L"", L"why? #2", L"100% & more", L"", "mailto:T?Subject=why%3F%20%232&Body=100%25%20%26%20more"},
        {L"T", L"", L"", L"%PATH%", L"%1 %%", L"", "mailto:T?Subject=%25PATH%25&Body=%251%20%25%25"},
        {L"T", L"", L"", L"Gr\u00fc\u00dfe", L"\u03a3 \u65e5\u672c \U0001F600", L"",
         "mailto:T?Subject=Gr%C3%BC%C3%9Fe&Body=%CE%A3%20%E6%97%A5%E6%9C%AC%20%F0%9F%98%80"},
        {L"T", L"", L"", L"", L"", L"C:\\My Documents\\list 1.txt",
         "mailto:T?Attach=\"C:%5CMy%20Documents%5Clist%201.txt\""},
        {L"T", L"", L"", L"", L"B", L"C:\\Docs\\list.txt", "mailto:T?Body=B&Attach=\"C:%5CDocs%5Clist.txt\""},
        {L"T", L"", L"", L"", L"", L"C:\\Users\\\u0141ukasz\\\u65e5\u8a18.txt",
         "mailto:T?Attach=\"C:%5CUsers%5C%C5%81ukasz%5C%E6%97%A5%E8%A8%98.txt\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        FillBoxes(c.to, c.cc, c.bcc, c.subject, c.body, c.attachment);
        const std::vector<std::wstring> before = BoxTexts();
        DialogScript responder({}, DialogScript::Press(IDOK));
        const std::optional<std::string> url = SendAndCapture();
        ASSERT_TRUE(url.has_value()) << "the mail program received nothing";
        EXPECT_EQ(*url, c.url);
        EXPECT_TRUE(responder.seen().empty());
        EXPECT_EQ(BoxTexts(), before) << "the window stays as it was";
        EXPECT_TRUE(IsWindowVisible(Form().hWnd()));
    }
}

TEST_F(SendEmailTest, ErasedSubjectAndErasedAttachmentAreLeftOut) {
    OpenComposer();
    frmSendEmail::OpenFileDialog = &FakeOpenFileDialog;
    g_dialogAnswer = "C:\\Docs\\list.txt";
    {
        DialogScript responder({}, DialogScript::Press(IDOK));
        SendMessageW(Form().cmdFileAttached, BM_CLICK, 0, 0);
    }
    SetWindowTextW(Form().txtMainAddresses, L"T");
    SetWindowTextW(Form().txtSubject, L"S");
    SetWindowTextW(Form().txtmessage, L"B");
    EXPECT_EQ(SendAndCapture().value_or("(nothing)"), "mailto:T?Subject=S&Body=B&Attach=\"C:%5CDocs%5Clist.txt\"");
    SetWindowTextW(Form().txtSubject, L"");
    SetWindowTextW(Form().txtAttachmentFileLocation, L"");
    EXPECT_EQ(SendAndCapture().value_or("(nothing)"), "mailto:T?Body=B");
    EXPECT_EQ(Form().FileAttachment, "C:\\Docs\\list.txt") << "the field is not what is sent";
}

TEST_F(SendEmailTest, LongNoteJustUnderAndOverTheLimit) {
    OpenComposer();
    const std::size_t limit = frmSendEmail::UrlLimit();
    EXPECT_EQ(limit, ui::RunningUnderWine() ? 768u : 2048u);
    const std::string head = "mailto:T?Body=";
    FillBoxes(L"T", L"", L"", L"", std::wstring(limit - head.size(), L'x'), L"");
    {
        DialogScript responder({}, DialogScript::Press(IDOK));
        const std::optional<std::string> url = SendAndCapture();
        ASSERT_TRUE(url.has_value());
        EXPECT_EQ(*url, head + std::string(limit - head.size(), 'x'));
        EXPECT_TRUE(responder.seen().empty());
    }
    // One character more, an encoded character more, and a note far beyond:
    // the message instead of the shell, and nothing typed is lost.
    for (const std::wstring& body : {std::wstring(limit - head.size() + 1, L'x'),
                                    std::wstring(limit - head.size() - 2, L'x') + L"\r",
                                    std::wstring(3000, L'w') + L"\r\n" + std::wstring(3000, L'z')}) {
        SetWindowTextW(Form().txtmessage, body.c_str());
        const std::vector<std::wstring> before = BoxTexts();
        DeleteFileA(kCapturedUrl);
        DialogScript responder({}, DialogScript::Press(IDOK));
        SendMessageW(Form().cmdSendIt, BM_CLICK, 0, 0);
        ASSERT_EQ(responder.seen().size(), 1u);
        EXPECT_EQ(responder.seen()[0].caption, "Scrivlet");
        EXPECT_EQ(responder.seen()[0].text, kTooLong);
        EXPECT_EQ(BoxTexts(), before);
        testsupport::Pump(500ms);
        EXPECT_FALSE(testsupport::Exists(kCapturedUrl)) << "the shell was not called";
    }
}

TEST_F(SendEmailTest, FailedHandOverIsReported) {
    OpenComposer();
    FillBoxes(L"T", L"", L"", L"S", L"B", L"");
    const std::vector<std::wstring> before = BoxTexts();
    ASSERT_TRUE(SetHandlerCommand("\"C:\\scrivlet-mail\\missing.exe\" \"%1\""));
    DialogScript responder({}, DialogScript::Press(IDOK));
    SendMessageW(Form().cmdSendIt, BM_CLICK, 0, 0);
    ASSERT_TRUE(SetHandlerCommand(kHandlerCommand));
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].caption, "Scrivlet");
    EXPECT_EQ(responder.seen()[0].text, kNotStarted);
    EXPECT_TRUE(responder.seen()[0].hadButton);
    EXPECT_EQ(BoxTexts(), before);
    EXPECT_TRUE(IsWindowVisible(Form().hWnd()));
}

}  // namespace
