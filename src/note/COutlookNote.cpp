#include "note/COutlookNote.h"

#include <windowsx.h>

#include <utility>

#include "menu/menu_commands.h"
#include "note/NoteRecovery.h"
#include "note/note_layout.h"
#include "platform/win/units.h"
#include "platform/win/dpi.h"
#include "platform/win/message_boxes.h"
#include "platform/win/program_windows.h"

namespace {

constexpr char kClassName[] = "ScrivletNote";
constexpr int kTextAreaId = 1;
constexpr std::int16_t kEscape = 27;
constexpr int kClientWidth = 4515, kClientHeight = 2940;  // twips

}  // namespace

COutlookNote::COutlookNote() = default;

COutlookNote::~COutlookNote() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

bool COutlookNote::Create() {
    // No caption and no system buttons, but a sizing border; a tool window
    // keeps the note out of the taskbar.
    const DWORD style = WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_TOOLWINDOW;
    const int systemDpi = ui::SystemDpi();
    const POINT place{TwipsToPixels(5025, systemDpi), TwipsToPixels(3060, systemDpi)};
    const RECT frame = ui::FrameForClient(kClientWidth, kClientHeight, style, exStyle, systemDpi, &place);
    if (!CreateFrame(kClassName, CS_DBLCLKS, nullptr, exStyle, "", style, frame)) return false;
    ui::FitFrameToWindowDpi(m_hwnd, kClientWidth, kClientHeight, false);
    OnLoad();
    ShowWindow(m_hwnd, SW_SHOWNORMAL);
    OnSize();
    UpdateWindow(m_hwnd);
    m_recovery->Started();
    return true;
}

LRESULT COutlookNote::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_SIZE:
        OnSize();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT:
        PaintChrome(reinterpret_cast<HDC>(wp));
        return 0;
    case WM_ERASEBKGND:
        OnEraseBackground(reinterpret_cast<HDC>(wp));
        return 1;
    case WM_LBUTTONDOWN:
        OnMouseDown(1, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return 0;
    case WM_RBUTTONDOWN:
        OnMouseDown(2, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return 0;
    case WM_MBUTTONDOWN:
        OnMouseDown(4, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return 0;
    case WM_LBUTTONUP:
        OnMouseUp(1, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return 0;
    case WM_RBUTTONUP:
        OnMouseUp(2, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return 0;
    case WM_MBUTTONUP:
        OnMouseUp(4, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return 0;
    case WM_CHAR:
        OnKeyPress(static_cast<std::int16_t>(wp));
        return 0;
    case WM_CONTEXTMENU:
        if (OnContextMenu(lp)) return 0;
        break;
    case WM_GETOBJECT:
        return OnGetObject(wp, lp);
    case kPartActionMessage:
        OnPartAction(static_cast<PartAction>(wp));
        return 0;
    case WM_COMMAND:
        if (HIWORD(wp) == EN_CHANGE && reinterpret_cast<HWND>(lp) == rtbMain.hWnd()) m_recovery->Changed();
        return 0;
    case WM_TIMER:
        m_recovery->OnTimer(wp);
        return 0;
    case CNoteRecovery::kWriteResultMessage:
        m_recovery->OnWriteResult(wp != FALSE);
        return 0;
    case WM_SETFOCUS:
        SetFocus(rtbMain.hWnd());
        return 0;
    case WM_CLOSE:
        Unload();  // asks the exit question; may cancel
        return 0;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
        OnEndSession(wp != FALSE);
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
    }
    return DefWindowProcA(m_hwnd, msg, wp, lp);
}

int COutlookNote::Scale(int pixels) const { return ScaleForDpi(pixels, m_dpi); }

void COutlookNote::MakeFont() { m_font.reset(ui::CreatePointFont("Verdana", 825, false, m_dpi)); }

bool COutlookNote::OnCreate() {
    m_dpi = ui::WindowDpi(m_hwnd);
    MakeFont();
    SetWindowBackColor(0);
    if (!rtbMain.Create(m_hwnd, kTextAreaId, m_font.get())) return false;
    m_recovery = std::make_unique<CNoteRecovery>(*this, kStartText);
    // The note sees keys before its text area does, so Escape works while typing;
    // the procedure it replaces, the class's or an earlier hook's, gets every message after it.
    m_textAreaProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        rtbMain.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&COutlookNote::TextAreaKeys)));
    return m_textAreaProc != nullptr;
}

void COutlookNote::OnLoad() {
    TitleText = GetComputer() + "'s Notes:";
    SetWindowTextA(m_hwnd, TitleText.c_str());  // names the note in task lists; no caption shows it
    rtbMain.SetText(kStartText);
    LoadIcons();
    BuildMenu();
    LoadColors();
    LocateProgram();
}

void COutlookNote::LoadIcons() {
    const std::string folder = ui::ProgramFolder();
    auto load = [&](const char* name, int size) {
        const std::string path = folder + name;
        return unique_hicon(static_cast<HICON>(
            LoadImageA(ui::ProgramInstance(), path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE | LR_COLOR)));
    };
    NoteIcon = load("\\note.ico", Scale(16));
    SizeGripIcon = load("\\sizegrip.ico", Scale(12));
    CloseIcon = load("\\close.ico", Scale(16));
    MinIcon = load("\\min.ico", Scale(16));
}

void COutlookNote::BuildMenu() {
    NoteMenu = std::make_unique<CPopupMenu>();
    std::unique_ptr<CPopupMenu> submenu;
    for (const MenuRow& row : kNoteMenu) {
        if (row.submenu) submenu = NoteMenu->AddSubMenu(row.caption, row.id, false);
        else (row.parent ? *submenu : *NoteMenu).AddItem(row.id, row.caption, true, -1, false);
    }
}

std::string COutlookNote::GetComputer() const {
    std::string buffer(255, ' ');
    DWORD size = 255;
    if (!GetComputerNameA(buffer.data(), &size)) return {};  // no name rather than undefined text
    const size_t nul = buffer.find('\0');
    return nul == std::string::npos ? std::string() : buffer.substr(0, nul);
}

LRESULT CALLBACK COutlookNote::TextAreaKeys(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    // The note that owns the text area is its parent window.
    auto* self = reinterpret_cast<COutlookNote*>(GetWindowLongPtrA(GetParent(hwnd), GWLP_USERDATA));
    // Taken before the key can close the note.
    const WNDPROC control =
        self ? self->m_textAreaProc : reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC));
    if (self && msg == WM_CHAR) {
        const HWND note = self->m_hwnd;
        self->OnKeyPress(static_cast<std::int16_t>(wp));
        if (!IsWindow(note)) return 0;  // the note closed under this key
    }
    // Taken here, not passed on: the control may or may not hand it to the note as well.
    if (self && msg == WM_CONTEXTMENU && self->OnContextMenu(lp)) return 0;
    return CallWindowProcW(control, hwnd, msg, wp, lp);
}

bool COutlookNote::ReplaceText(std::wstring_view text) {
    const bool whole = rtbMain.SetText(text);
    m_recovery->Changed();
    return whole;
}

void COutlookNote::OnKeyPress(std::int16_t keyAscii) {
    if (keyAscii == kEscape) Unload();
}

bool COutlookNote::OnContextMenu(LPARAM lp) {
    // Shift+F10 and the menu key arrive without a point; a right click keeps what the system does with it.
    if (GET_X_LPARAM(lp) != -1 || GET_Y_LPARAM(lp) != -1) return false;
    OpenMenuUnderIcon();
    return true;
}

bool COutlookNote::Unload() {
    if (!m_hwnd) return true;  // closed already
    // A close request while the question is up is answered by that question.
    if (m_asking) return false;
    m_recovery->BeforeQuestion();
    if (!AskToExit()) return false;
    SaveColors();
    CloseAfterYes();
    return true;
}

bool COutlookNote::AskToExit() {
    m_asking = true;
    // Owned by the note, so the note waits for the answer whatever window is active.
    const bool yes = ui::MsgBox("Are you sure? *********  Exit Notes *******:, Are you sure?",
                                MB_YESNOCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2, "Exit Notes: *****************",
                                m_hwnd) == IDYES;
    m_asking = false;
    return yes;
}

void COutlookNote::CloseAfterYes() {
    if (!m_hwnd) return;
    m_recovery->ClosedWithYes();
    NoteIcon.reset();
    SizeGripIcon.reset();
    CloseIcon.reset();
    MinIcon.reset();
    NoteMenu->Destroy();
    NoteMenu.reset();
    DestroyWindow(m_hwnd);
}

bool COutlookNote::OnQueryEndSession() {
    // Logging off closes the note too: the user decides, and Windows shows why it waits.
    const ui::ShutdownBlock reason(m_hwnd, L"Scrivlet asks whether to close the note.");
    m_recovery->BeforeQuestion();  // Windows may end the note while it asks
    if (m_asking) return false;  // the question is up already; its answer closes the note
    m_sessionExitAgreed = AskToExit();
    if (m_sessionExitAgreed) SaveColors();  // the session may end the process before the note closes
    return m_sessionExitAgreed;
}

void COutlookNote::OnEndSession(bool ending) {
    // A log-off that another program called off leaves the note open, and the
    // next close request asks again.
    const bool agreed = std::exchange(m_sessionExitAgreed, false);
    if (ending && agreed) CloseAfterYes();
    else if (ending) m_recovery->SessionEnds();  // without the note's question
}

void COutlookNote::OnNcDestroy() { m_accessible.reset(); }

void COutlookNote::OnDpiChanged(int dpi, const RECT& suggested) {
    m_dpi = dpi;
    MakeFont();
    rtbMain.SetFont(m_font.get());
    LoadIcons();  // drawn crisp at the new size
    MoveTo(suggested);
    OnSize();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void COutlookNote::SetWindowBackColor(COLORREF color) {
    m_backBrush.reset(CreateSolidBrush(color));
}

void COutlookNote::OnEraseBackground(HDC dc) {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    FillRect(dc, &client, m_backBrush.get());
}
