#include "note/COutlookNote.h"

#include <windowsx.h>

#include "note/note_layout.h"
#include "platform/TwipsLayout.h"
#include "platform/ui_services.h"

namespace {

constexpr char kClassName[] = "ScrivletNote";
constexpr int kTextAreaId = 1;
constexpr UINT_PTR kKeySubclassId = 1;
constexpr std::int16_t kEscape = 27;

COutlookNote* g_current = nullptr;


}  // namespace

COutlookNote::COutlookNote() = default;

COutlookNote::~COutlookNote() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

COutlookNote* COutlookNote::Current() { return g_current; }

bool COutlookNote::Create() {
    if (!ui::RegisterProgramClass(kClassName, &COutlookNote::WndProc, nullptr, CS_DBLCLKS)) return false;
    // No caption and no system buttons, but a sizing border; a tool window
    // keeps the note out of the taskbar.
    const DWORD style = WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_TOOLWINDOW;
    m_dpi = ui::SystemDpi();
    RECT frame{TwipsToPixels(5025, m_dpi), TwipsToPixels(3060, m_dpi), 0, 0};
    frame.right = frame.left + TwipsToPixels(4515, m_dpi);
    frame.bottom = frame.top + TwipsToPixels(2940, m_dpi);
    ui::AdjustFrameForDpi(&frame, style, exStyle, m_dpi);
    if (!CreateWindowExA(exStyle, kClassName, "", style, frame.left, frame.top, frame.right - frame.left,
                         frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), this))
        return false;
    OnLoad();
    ShowWindow(m_hwnd, SW_SHOWNORMAL);
    OnSize();
    UpdateWindow(m_hwnd);
    return true;
}

LRESULT CALLBACK COutlookNote::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<COutlookNote*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        g_current = self;
        ui::TopLevelWindowCreated();
    }
    auto* self = reinterpret_cast<COutlookNote*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return self ? self->HandleMessage(msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
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
    case WM_SETFOCUS:
        SetFocus(rtbMain.hWnd());
        return 0;
    case WM_CLOSE:
        Unload();  // asks the exit question; may cancel
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
    case WM_NCDESTROY: {
        const LRESULT result = DefWindowProcA(m_hwnd, msg, wp, lp);
        OnNcDestroy();
        return result;
    }
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
    // The note sees keys before its text area does, so Escape works while typing.
    SetWindowSubclass(rtbMain.hWnd(), &COutlookNote::TextAreaKeys, kKeySubclassId, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

void COutlookNote::OnLoad() {
    TitleText = GetComputer() + "'s Notes:";
    SetWindowTextA(m_hwnd, TitleText.c_str());  // names the note in task lists; no caption shows it
    rtbMain.SetText(L"Click on the note pad above for Options!");
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
    CPopupMenu& m = *NoteMenu;
    m.AddItem(100, "&New Note", true, -1, false);
    m.AddItem(0, "", true, -1, false);
    m.AddItem(101, "S&ave As...", true, -1, false);
    m.AddItem(111, "Open file...", true, -1, false);
    m.AddItem(102, "&Delete", true, -1, false);
    m.AddItem(103, "&Email To...", true, -1, false);
    m.AddItem(0, "", true, -1, false);
    m.AddItem(104, "Cu&t", true, -1, false);
    m.AddItem(105, "&Copy", true, -1, false);
    m.AddItem(106, "&Paste", true, -1, false);
    m.AddItem(109, "Select All", true, -1, false);
    m.AddItem(0, "", true, -1, false);
    static constexpr const char* kColorCaptions[] = {"&Blue", "&Green", "&Pink", "&Yellow", "&White", "&Black"};
    for (const int submenuId : {200, 2200}) {
        const std::unique_ptr<CPopupMenu> colors =
            m.AddSubMenu(submenuId == 200 ? "BackC&olor" : "ForeC&olor", submenuId, false);
        for (int i = 0; i < 6; ++i) colors->AddItem(submenuId + 1 + i, kColorCaptions[i], true, -1, false);
    }
    m.AddItem(0, "", true, -1, false);
    m.AddItem(107, "Pr&int...", true, -1, false);
    m.AddItem(110, "Minimize", true, -1, false);
    m.AddItem(108, "C&lose", true, -1, false);
}

std::string COutlookNote::GetComputer() const {
    std::string buffer(255, ' ');
    DWORD size = 255;
    if (!GetComputerNameA(buffer.data(), &size)) return {};  // no name rather than undefined text
    const size_t nul = buffer.find('\0');
    return nul == std::string::npos ? std::string() : buffer.substr(0, nul);
}

LRESULT CALLBACK COutlookNote::TextAreaKeys(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    if (msg == WM_CHAR) {
        auto* self = reinterpret_cast<COutlookNote*>(ref);
        const HWND note = self->m_hwnd;
        self->OnKeyPress(static_cast<std::int16_t>(wp));
        if (!IsWindow(note)) return 0;  // the note closed under this key
    }
    // Taken here, not passed on: the control may or may not hand it to the note as well.
    if (msg == WM_CONTEXTMENU && reinterpret_cast<COutlookNote*>(ref)->OnContextMenu(lp)) return 0;
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &COutlookNote::TextAreaKeys, kKeySubclassId);
    return DefSubclassProc(hwnd, msg, wp, lp);
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
    const int answer = ui::MsgBox("Are you sure? *********  Exit Notes *******:, Are you sure?",
                                  MB_YESNOCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2,
                                  "Exit Notes: *****************");
    if (answer != IDYES) return false;
    SaveColors();
    NoteIcon.reset();
    SizeGripIcon.reset();
    CloseIcon.reset();
    MinIcon.reset();
    NoteMenu->Destroy();
    NoteMenu.reset();
    DestroyWindow(m_hwnd);
    return true;
}

void COutlookNote::OnNcDestroy() {
    m_accessible.reset();
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
    m_hwnd = nullptr;
    if (g_current == this) g_current = nullptr;
    ui::TopLevelWindowDestroyed();
}

void COutlookNote::OnDpiChanged(int dpi, const RECT& suggested) {
    m_dpi = dpi;
    MakeFont();
    SendMessageW(rtbMain.hWnd(), WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
    LoadIcons();  // drawn crisp at the new size
    SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    OnSize();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void COutlookNote::SetWindowBackColor(COLORREF color) {
    m_backColor = color;
    m_backBrush.reset(CreateSolidBrush(color));
}

void COutlookNote::OnEraseBackground(HDC dc) {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    FillRect(dc, &client, m_backBrush.get());
}
