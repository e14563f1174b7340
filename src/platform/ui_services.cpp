#include "platform/ui_services.h"

#include <vector>

#include "platform/TwipsLayout.h"
#include "platform/code_pages.h"

namespace ui {

int MsgBox(std::string_view text, UINT flags, std::string_view title) {
    const std::string t(text);
    const std::string caption = title.empty() ? std::string(kProgramTitle) : std::string(title);
    return MessageBoxA(GetActiveWindow(), t.c_str(), caption.c_str(), flags);
}

namespace {

constexpr int kPromptId = 100;
constexpr int kEditId = 101;

// An in-memory dialog template: header, then items, each DWORD-aligned.
class DialogTemplate {
public:
    DialogTemplate(std::wstring_view title, short cx, short cy) {
        Put32(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
        Put32(0);
        Put16(0);  // item count, patched as items come
        Put16(0); Put16(0); Put16(static_cast<WORD>(cx)); Put16(static_cast<WORD>(cy));
        Put16(0); Put16(0);  // no menu, default class
        PutText(title);
        Put16(8);
        PutText(L"MS Shell Dlg");
    }
    void Add(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom, std::wstring_view text) {
        Align();
        Put32(style | WS_CHILD | WS_VISIBLE);
        Put32(0);
        Put16(static_cast<WORD>(x)); Put16(static_cast<WORD>(y));
        Put16(static_cast<WORD>(cx)); Put16(static_cast<WORD>(cy));
        Put16(id);
        Put16(0xFFFF); Put16(atom);
        PutText(text);
        Put16(0);
        ++count_;
        bytes_[4] = count_;  // the header's item count
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    void Put16(WORD v) { bytes_.push_back(v); }
    void Put32(DWORD v) { Put16(LOWORD(v)); Put16(HIWORD(v)); }
    void PutText(std::wstring_view s) {
        for (wchar_t c : s) Put16(static_cast<WORD>(c));
        Put16(0);
    }
    void Align() { if (bytes_.size() % 2) Put16(0); }
    std::vector<WORD> bytes_;  // WORD storage keeps the template WORD-aligned
    WORD count_ = 0;
};

struct InputBoxState {
    std::string prompt, title, result;
};

INT_PTR CALLBACK InputBoxProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        state = reinterpret_cast<InputBoxState*>(lp);
        SetWindowLongPtrA(dlg, DWLP_USER, lp);
        SetWindowTextA(dlg, state->title.c_str());
        SetDlgItemTextA(dlg, kPromptId, state->prompt.c_str());
        SetFocus(GetDlgItem(dlg, kEditId));
        return FALSE;  // the focus is set
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
            std::string text(static_cast<size_t>(GetWindowTextLengthA(GetDlgItem(dlg, kEditId))) + 1, '\0');
            text.resize(static_cast<size_t>(GetDlgItemTextA(dlg, kEditId, text.data(), static_cast<int>(text.size()))));
            state->result = text;
            EndDialog(dlg, IDOK);
            return TRUE;
        }
        if (LOWORD(wp) == IDCANCEL) {
            EndDialog(dlg, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

std::string InputBox(std::string_view prompt, std::string_view title) {
    InputBoxState state{std::string(prompt), title.empty() ? std::string(kProgramTitle) : std::string(title), {}};
    DialogTemplate tpl(L"", 240, 92);
    tpl.Add(SS_LEFT, 7, 7, 170, 56, kPromptId, 0x0082, L"");
    tpl.Add(BS_DEFPUSHBUTTON | WS_TABSTOP, 184, 7, 50, 14, IDOK, 0x0080, L"OK");
    tpl.Add(BS_PUSHBUTTON | WS_TABSTOP, 184, 25, 50, 14, IDCANCEL, 0x0080, L"Cancel");
    tpl.Add(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 70, 226, 13, kEditId, 0x0081, L"");
    DialogBoxIndirectParamA(ProgramInstance(), tpl.get(), GetActiveWindow(), InputBoxProc,
                            reinterpret_cast<LPARAM>(&state));
    return state.result;
}

HINSTANCE ProgramInstance() { return GetModuleHandleA(nullptr); }

bool RegisterProgramClass(const char* name, WNDPROC wndProc, HBRUSH background, UINT style) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(ProgramInstance(), name, &wc)) return true;
    wc.style = style;
    wc.lpfnWndProc = wndProc;
    wc.hInstance = ProgramInstance();
    wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) != 0;
}

std::string WindowTextA(HWND hwnd) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring WindowTextW(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string ProgramPath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramFolder() {
    std::string path = ProgramPath();
    const size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos) return {};
    path.resize(slash);
    if (path.size() == 2 && path[1] == ':') path += '\\';  // keep "C:\" a root
    return path;
}

namespace {
// Functions of newer systems, looked up at run time so the program still starts on older ones.
template <typename Fn>
Fn User32Function(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}
}  // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);  // borrowed: released right here
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

namespace {
int MonitorDpiOf(HWND hwnd) {
    static const auto getDpiForWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow && hwnd ? getDpiForWindow(hwnd) : 0;
    return dpi ? static_cast<int>(dpi) : SystemDpi();
}
}  // namespace

int (*WindowDpi)(HWND hwnd) = &MonitorDpiOf;

HFONT CreatePointFont(const char* face, int centipoints, bool bold, int dpi) {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(centipoints, dpi, 7200);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

void AdjustFrameForDpi(RECT* rect, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjustForDpi =
        User32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(rect, style, FALSE, exStyle);
}

ShutdownBlock::ShutdownBlock(HWND hwnd, const wchar_t* reason) : hwnd_(hwnd), set_(false) {
    static const auto create = User32Function<BOOL(WINAPI*)(HWND, LPCWSTR)>("ShutdownBlockReasonCreate");
    set_ = create && create(hwnd_, reason);
}

ShutdownBlock::~ShutdownBlock() {
    static const auto destroy = User32Function<BOOL(WINAPI*)(HWND)>("ShutdownBlockReasonDestroy");
    if (set_ && destroy) destroy(hwnd_);
}

RECT FrameForClient(int widthTwips, int heightTwips, DWORD style, DWORD exStyle, int dpi, const POINT* topLeft) {
    RECT frame{0, 0, TwipsToPixels(widthTwips, dpi), TwipsToPixels(heightTwips, dpi)};
    if (topLeft) OffsetRect(&frame, topLeft->x, topLeft->y);
    AdjustFrameForDpi(&frame, style, exStyle, dpi);
    if (!topLeft) {
        const int width = frame.right - frame.left, height = frame.bottom - frame.top;
        frame.left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        frame.top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
        frame.right = frame.left + width;
        frame.bottom = frame.top + height;
    }
    return frame;
}

void FitFrameToWindowDpi(HWND hwnd, int widthTwips, int heightTwips, bool centred) {
    const int dpi = WindowDpi(hwnd);
    if (dpi == SystemDpi()) return;  // measured right already
    // The border and caption the window has now are already those of its monitor.
    RECT window{}, client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    const int width = TwipsToPixels(widthTwips, dpi) + (window.right - window.left) - client.right;
    const int height = TwipsToPixels(heightTwips, dpi) + (window.bottom - window.top) - client.bottom;
    if (centred) {
        SetWindowPos(hwnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

DateParts ToDateParts(const SYSTEMTIME& t) {
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

namespace {
std::string LocaleText(LCTYPE what, const char* fallback) {
    char buffer[16] = {};
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, what, buffer, sizeof buffer) > 1 ? buffer : fallback;
}

std::string DateText(DWORD flags, const SYSTEMTIME& t) {
    char buffer[128] = {};
    return GetDateFormatA(LOCALE_USER_DEFAULT, flags, &t, nullptr, buffer, sizeof buffer) ? buffer : "";
}
}  // namespace

DateSeparators UserDateSeparators() {
    return {LocaleText(LOCALE_SDATE, "/"), LocaleText(LOCALE_STIME, ":")};
}

std::string LongDateText(const SYSTEMTIME& t) { return DateText(DATE_LONGDATE, t); }
std::string ShortDateText(const SYSTEMTIME& t) { return DateText(DATE_SHORTDATE, t); }

std::string FormatTime(std::string_view pattern, const SYSTEMTIME& t) {
    return FormatDatePattern(pattern, ToDateParts(t), UserDateSeparators());
}

SYSTEMTIME Now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return t;
}

namespace {
std::string Narrow(UINT codePage, DWORD flags, std::wstring_view text, BOOL* usedDefault) {
    if (text.empty()) return {};
    const int wide = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(codePage, flags, text.data(), wide, nullptr, 0, nullptr, usedDefault);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), wide, out.data(), n, nullptr, usedDefault);
    return out;
}

std::wstring Widen(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int narrow = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(codePage, 0, text.data(), narrow, nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), narrow, out.data(), n);
    return out;
}
}  // namespace

std::string ToAnsi(std::wstring_view text, bool* lossy) {
    // Under a UTF-8 system code page every character has a form, but Windows
    // refuses the best-fit flag and the default-character report there.
    const codepage::NarrowingRule rule = codepage::NarrowingRuleFor(GetACP());
    if (!lossy) return Narrow(CP_ACP, rule.noBestFit ? WC_NO_BEST_FIT_CHARS : 0, text, nullptr);
    const DWORD flags = (rule.noBestFit ? WC_NO_BEST_FIT_CHARS : 0) | (rule.errInvalidChars ? WC_ERR_INVALID_CHARS : 0);
    BOOL usedDefault = FALSE;
    std::string out = Narrow(CP_ACP, flags, text, rule.reportsDefaultChar ? &usedDefault : nullptr);
    // A strict conversion that gave nothing met a character it cannot keep.
    *lossy = usedDefault != FALSE || (out.empty() && !text.empty());
    return out;
}

std::wstring FromAnsi(std::string_view text) { return Widen(CP_ACP, text); }
std::string ToUtf8(std::wstring_view text) { return Narrow(CP_UTF8, 0, text, nullptr); }
std::wstring FromUtf8(std::string_view text) { return Widen(CP_UTF8, text); }

namespace {
bool g_quitWhenLastWindowCloses = false;
int g_topLevelWindows = 0;
}  // namespace

void QuitWhenLastWindowCloses() { g_quitWhenLastWindowCloses = true; }
void TopLevelWindowCreated() { ++g_topLevelWindows; }
void TopLevelWindowDestroyed() {
    if (--g_topLevelWindows == 0 && g_quitWhenLastWindowCloses) PostQuitMessage(0);
}

namespace {
std::vector<HWND> g_modeless;
}  // namespace

void AddModelessWindow(HWND hwnd) { g_modeless.push_back(hwnd); }

void RemoveModelessWindow(HWND hwnd) { std::erase(g_modeless, hwnd); }

bool TranslateModelessMessage(MSG* msg) {
    for (const HWND hwnd : g_modeless)
        if (IsDialogMessageW(hwnd, msg)) return true;
    return false;
}

}  // namespace ui
