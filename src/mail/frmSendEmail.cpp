#include "mail/frmSendEmail.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "mail/mailto.h"
#include "platform/text/ansi_text.h"
#include "platform/win/dpi.h"
#include "platform/win/message_boxes.h"
#include "platform/win/program_windows.h"
#include "platform/win/late_bound.h"
#include "platform/text/user_dates.h"

static_assert(sizeof(void*) != 4 || frmSendEmail::kOpenFileNameSize == 76);
static_assert(frmSendEmail::kOpenFileNameSize == offsetof(OPENFILENAMEA, pvReserved));

namespace {

constexpr char kClassName[] = "ScrivletSendEmail";
constexpr COLORREF kCyan = RGB(128, 255, 255);
constexpr int kClientWidth = 4830, kClientHeight = 6285;  // twips

constexpr char kNotStarted[] = "The mail program could not be started.";
constexpr char kTooLong[] =
    "The note is too long to hand to the mail program.\n\n"
    "Save the note as a text file and attach that file instead.";

// Control ids; 1 and 2 are left to the dialog keys Enter and Escape.
enum : int {
    kIdTo = 101,
    kIdCC,
    kIdBCC,
    kIdSubject,
    kIdMessage,
    kIdAttachButton,
    kIdAttachment,
    kIdSend,
    kIdLabel0 = 200,
};

std::string BoxUtf8(HWND box) { return ui::ToUtf8(ui::WindowTextW(box)); }

std::string TrimSpaces(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace

frmSendEmail& frmSendEmail::Instance() {
    static frmSendEmail instance;
    return instance;
}

std::size_t frmSendEmail::UrlLimit() { return mailto::UrlLimit(ui::RunningUnderWine()); }

void frmSendEmail::Show(INoteText& note) {
    frmSendEmail& form = Instance();
    if (!form.m_hwnd) {
        if (!form.Create()) return;
        form.OnLoad(note);
        ShowWindow(form.m_hwnd, SW_SHOWNORMAL);
    }
    // To the front and active: Activate puts the focus into the To box.
    ui::BringToFront(form.m_hwnd);
}

bool frmSendEmail::Create() {
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const RECT frame = ui::FrameForClient(kClientWidth, kClientHeight, style, 0, ui::SystemDpi());
    late::InitCommonControlsOnce();
    // No owner: the composer stays open when the note closes.
    if (!CreateFrame(kClassName, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), 0, "SendEmail", style, frame))
        return false;
    ui::FitFrameToWindowDpi(m_hwnd, kClientWidth, kClientHeight, true);
    return true;
}

LRESULT frmSendEmail::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            m_form.Leave(m_hwnd);
        } else if (!HIWORD(wp)) {
            OnActivate(reinterpret_cast<HWND>(lp));
            return 0;
        }
        break;
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp));
        return 0;
    case DM_GETDEFID:
        return OnGetDefId();
    case WM_NEXTDLGCTL:  // the multi-line body asks for it on Tab
        OnNextDlgCtl(wp, lp);
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return OnCtlColor(msg, reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    }
    return DefWindowProcA(m_hwnd, msg, wp, lp);
}

void frmSendEmail::MakeFonts() {
    m_defaultFont.reset(ui::CreatePointFont("MS Sans Serif", 825, false, m_dpi));
    m_boldFont.reset(ui::CreatePointFont("MS Sans Serif", 975, true, m_dpi));
}

void frmSendEmail::OnDpiChanged(int dpi, const RECT& suggested) {
    m_dpi = dpi;
    MakeFonts();
    m_form.Relayout(m_dpi, {m_defaultFont.get(), m_boldFont.get()});
    MoveTo(suggested);
}

bool frmSendEmail::OnCreate() {
    m_dpi = ui::WindowDpi(m_hwnd);
    MakeFonts();
    constexpr DWORD kBox = WS_TABSTOP | ES_AUTOHSCROLL, kEdge = WS_EX_CLIENTEDGE;
    constexpr int kNormal = 0, kBold = 1;
    const Shade ink = SystemShade(COLOR_WINDOWTEXT), menu = SystemShade(COLOR_MENU), cyan = FixedShade(kCyan);
    // One line each: where a wider face stands in for the font, a label's end is clipped, not wrapped out of sight.
    constexpr DWORD kLabel = SS_LEFTNOWORDWRAP;
    // In tab order.
    const CForm::Row rows[] = {
        {&txtCC, L"EDIT", L"", kBox, kEdge, kIdCC, 1320, 600, 3015, 375, kNormal, ink, cyan, true},
        {&txtBCC, L"EDIT", L"", kBox, kEdge, kIdBCC, 1320, 1080, 3015, 375, kNormal, ink, cyan, true},
        {&txtSubject, L"EDIT", L"", kBox, kEdge, kIdSubject, 1320, 1560, 3015, 375, kBold, ink, menu, true},
        {&txtMainAddresses, L"EDIT", L"", kBox, kEdge, kIdTo, 1320, 120, 3015, 375, kBold, ink, menu, true},
        {&txtAttachmentFileLocation, L"EDIT", L"", kBox, kEdge, kIdAttachment, 1320, 5280, 3015, 375, kNormal, ink,
         cyan, true},
        {&cmdSendIt, L"BUTTON", L"Sending E-mail...", WS_TABSTOP | BS_PUSHBUTTON, 0, kIdSend, 1440, 5760, 3015, 375,
         kNormal},
        {&Label1[0], L"STATIC", L"To:", kLabel, 0, kIdLabel0, 120, 120, 975, 255, kNormal},
        {&Label1[1], L"STATIC", L"Carbon Copy:", kLabel, 0, kIdLabel0 + 1, 120, 600, 975, 255, kNormal},
        {&Label1[2], L"STATIC", L"Blind Copy:", kLabel, 0, kIdLabel0 + 2, 120, 1080, 975, 255, kNormal},
        {&Label1[3], L"STATIC", L"Subject :", kLabel, 0, kIdLabel0 + 3, 120, 1560, 975, 255, kNormal},
        {&Label1[4], L"STATIC", L"Body Message:", kLabel, 0, kIdLabel0 + 4, 120, 2160, 1095, 255, kNormal},
        // White on black: the inverse of the system's window colours.
        {&txtmessage, L"EDIT", L"", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, kEdge,
         kIdMessage, 1320, 2160, 3015, 2895, kNormal, SystemShade(COLOR_WINDOW), ink, true},
        {&cmdFileAttached, L"BUTTON", L"Attach File:", WS_TABSTOP | BS_PUSHBUTTON, 0, kIdAttachButton, 120, 5280, 1095,
         375, kNormal},
    };
    if (!m_form.Create(m_hwnd, m_dpi, rows, {m_defaultFont.get(), m_boldFont.get()})) return false;
    for (HWND edit : {txtCC, txtBCC, txtSubject, txtMainAddresses, txtAttachmentFileLocation, txtmessage})
        SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);  // no limit below the system's own: nothing is cut
    ui::AddModelessWindow(m_hwnd);  // Tab and Shift+Tab move between the boxes
    return true;
}

void frmSendEmail::OnCommand(int id, int notification) {
    if (notification != BN_CLICKED) return;
    switch (id) {
    case kIdAttachButton:
        OnAttachClick();
        break;
    case kIdSend:
        OnSendClick();
        break;
    }  // Enter and Escape (IDOK, IDCANCEL from the dialog keys) do nothing
}

void frmSendEmail::OnLoad(INoteText& note) {
    FileAttachment.clear();
    ActualFileName.clear();
    const std::string subject = "notes-" + ui::ShortDateText(ui::Now());
    SetWindowTextW(txtSubject, ui::FromNarrow(subject).c_str());
    if (note.IsOpen()) {
        SetWindowTextW(txtmessage, note.Text().c_str());
        note.MoveCaretToEnd();
    }
}

void frmSendEmail::OnActivate(HWND previous) {
    // The To box takes the focus when the window is first shown and when the user
    // comes from another window of the program. Back from another program or from
    // this window's own boxes and dialog, the cursor stays where it was.
    DWORD process = 0;
    if (previous) GetWindowThreadProcessId(previous, &process);
    const bool fromOtherProgramWindow =
        process == GetCurrentProcessId() && GetAncestor(previous, GA_ROOTOWNER) != m_hwnd;
    const HWND focus = m_form.LastFocus();
    const bool restore = m_activated && !fromOtherProgramWindow && focus;
    m_activated = true;
    SetFocus(restore ? focus : txtMainAddresses);
}

void frmSendEmail::OnAttachClick() {
    // Both buffers start as 254 spaces and their terminating zero, with room
    // behind for a path of MAX_PATH characters in UTF-8, three bytes each.
    constexpr DWORD kBytes = 3 * MAX_PATH;
    std::vector<char> file(kBytes, '\0'), fileTitle(kBytes, '\0');
    std::fill_n(file.begin(), 254, ' ');
    std::fill_n(fileTitle.begin(), 254, ' ');
    OPENFILENAMEA ofn{};
    ofn.lStructSize = kOpenFileNameSize;
    ofn.hwndOwner = m_hwnd;
    ofn.hInstance = ui::ProgramInstance();
    ofn.lpstrFilter = "All Files (*.*)\0*.*\0";
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kBytes;
    ofn.lpstrFileTitle = fileTitle.data();
    ofn.nMaxFileTitle = kBytes;
    ofn.lpstrInitialDir = "C:\\";
    ofn.lpstrTitle = "Select a File to Attach!";
    ofn.Flags = OFN_HIDEREADONLY;
    if (!OpenFileDialog(&ofn)) return;  // cancelled or failed: everything stays as it was

    file.back() = '\0';
    FileAttachment = TrimSpaces(file.data());
    SetWindowTextW(txtAttachmentFileLocation, ui::FromNarrow(FileAttachment).c_str());
    FindActualFileName();
    Message(("File to Attach is: " + ActualFileName).c_str(), MB_OK);
}

void frmSendEmail::FindActualFileName() {
    // Through wide text: a trail byte of a double-byte character may equal a backslash.
    ActualFileName = ui::ToNarrow(mailto::FindActualFileName(ui::FromNarrow(FileAttachment)));
}

void frmSendEmail::OnSendClick() {
    const mailto::MailFields fields{BoxUtf8(txtMainAddresses), BoxUtf8(txtCC),      BoxUtf8(txtBCC),
                                    BoxUtf8(txtSubject),       BoxUtf8(txtmessage), BoxUtf8(txtAttachmentFileLocation)};
    const std::string url = mailto::BuildUrl(fields);  // pure ASCII: the narrow form loses nothing
    if (url.size() > UrlLimit()) {
        // Beyond the shell's limit the call crashes (Wine) or the mail program cuts the text (Windows).
        Message(kTooLong, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const HINSTANCE result = late::ShellExecuteA(m_hwnd, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32) Message(kNotStarted, MB_OK | MB_ICONEXCLAMATION);
}

int frmSendEmail::Message(const char* text, UINT flags) const {
    return MessageBoxA(m_hwnd, text, ui::kProgramTitle, flags);
}

LRESULT frmSendEmail::OnCtlColor(UINT msg, HDC dc, HWND control) {
    if (const HBRUSH brush = m_form.Paint(control, dc)) return reinterpret_cast<LRESULT>(brush);
    return DefWindowProcA(m_hwnd, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

LRESULT frmSendEmail::OnGetDefId() {
    // Enter on a focused button presses it, as on a form without a default button.
    const HWND focus = GetFocus();
    if (focus == cmdSendIt || focus == cmdFileAttached) return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
    return 0;
}

void frmSendEmail::OnNextDlgCtl(WPARAM wp, LPARAM lp) {
    const HWND next = LOWORD(lp) ? reinterpret_cast<HWND>(wp) : GetNextDlgTabItem(m_hwnd, GetFocus(), wp != 0);
    if (!next) return;
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
    SetFocus(next);
}

void frmSendEmail::OnDestroy() { ui::RemoveModelessWindow(m_hwnd); }

void frmSendEmail::OnNcDestroy() {
    m_activated = false;
    m_form.Clear();  // the children that drew with its brushes are gone
    m_defaultFont.reset();
    m_boldFont.reset();
}
