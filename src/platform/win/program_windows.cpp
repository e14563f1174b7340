#include "platform/win/program_windows.h"

#include <vector>

#include "platform/text/ansi_text.h"
#include "platform/win/late_bound.h"

namespace ui {

HINSTANCE ProgramInstance() { return GetModuleHandleA(nullptr); }

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");  // borrowed: always loaded
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

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

// Through the wide text, so the narrow form is whole whatever narrow length the system reports.
std::string WindowTextA(HWND hwnd) { return ToNarrow(WindowTextW(hwnd)); }

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

void BringToFront(HWND hwnd) {
    if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    SetForegroundWindow(hwnd);
    BringWindowToTop(hwnd);
}

ShutdownBlock::ShutdownBlock(HWND hwnd, const wchar_t* reason)
    : hwnd_(hwnd), set_(late::ShutdownBlockReasonCreate(hwnd, reason) != FALSE) {}

ShutdownBlock::~ShutdownBlock() {
    if (set_) late::ShutdownBlockReasonDestroy(hwnd_);
}

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
