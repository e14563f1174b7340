#include "support/test_support.h"

#include <windows.h>
#include <psapi.h>

#include <map>

#include "platform/win/handles.h"
#include "platform/win/program_windows.h"
#include "support/readers.h"

namespace testsupport {

void Pump(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (ui::TranslateModelessMessage(&msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        Pump(std::chrono::milliseconds(10));
    }
    return true;
}

namespace {
std::map<UINT_PTR, DeferredAction*>& Pending() {
    static std::map<UINT_PTR, DeferredAction*> pending;
    return pending;
}
}  // namespace

DeferredAction::DeferredAction(std::chrono::milliseconds delay, std::function<void()> action)
    : action_(std::move(action)) {
    timer_ = SetTimer(nullptr, 0, static_cast<UINT>(delay.count()), &DeferredAction::Fire);
    Pending()[timer_] = this;
}

DeferredAction::~DeferredAction() {
    if (timer_) KillTimer(nullptr, timer_);
    Pending().erase(timer_);
}

void CALLBACK DeferredAction::Fire(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto it = Pending().find(id);
    if (it == Pending().end()) return;
    DeferredAction* self = it->second;
    Pending().erase(it);
    self->timer_ = 0;
    self->ran_ = true;
    self->action_();
}

void ResetSettings(const std::string& location) {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Scrivlet");
    WriteRegValue(HKEY_CURRENT_USER, "Software\\Scrivlet\\Location", "Location", REG_SZ, location);
}

Pixels CaptureClient(HWND hwnd) {
    Pixels p;
    RECT client{};
    GetClientRect(hwnd, &client);
    p.width = client.right;
    p.height = client.bottom;
    if (p.width <= 0 || p.height <= 0) return p;
    HDC screen = GetDC(hwnd);
    const unique_hdc memory(CreateCompatibleDC(screen));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = p.width;
    info.bmiHeader.biHeight = -p.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const unique_hbitmap bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ReleaseDC(hwnd, screen);
    const HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    SendMessageA(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    GdiFlush();
    p.data.resize(static_cast<size_t>(p.width * p.height));
    const auto* raw = static_cast<const std::uint32_t*>(bits);
    for (size_t i = 0; i < p.data.size(); ++i) {
        const std::uint32_t v = raw[i];  // 0x00RRGGBB in a DIB
        p.data[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    SelectObject(memory.get(), old);
    return p;
}

DWORD CountGdiObjects() {
    if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
    DWORD n = 0;  // Wine takes a handle's index alone for any live object of this process
    for (UINT_PTR index = 0x20; index < 0x10000; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++n;
    return n;
}

DWORD CountUserObjects() {
    if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return n;
    DWORD n = 0;  // windows and menus by their short handles, as above
    for (UINT_PTR value = 0x20; value < 0x10000; value += 2) {
        if (IsWindow(reinterpret_cast<HWND>(value)) || IsMenu(reinterpret_cast<HMENU>(value))) ++n;
    }
    return n;
}

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters) &&
        counters.PrivateUsage)
        return counters.PrivateUsage;
    // Wine leaves PrivateUsage empty; its process is the Linux process, whose
    // anonymous resident memory is the same measure.
    std::string status;
    HANDLE file = CreateFileA("Z:\\proc\\self\\status", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        char buffer[8192];
        DWORD got = 0;
        while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) status.append(buffer, got);
        CloseHandle(file);
    }
    const size_t at = status.find("RssAnon:");
    return at == std::string::npos ? 0 : static_cast<SIZE_T>(std::stoull(status.substr(at + 8))) * 1024;
}

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.find_last_of('\\'));
}

std::wstring Widen(const std::string& s) {
    std::wstring w(s.size(), L'\0');
    w.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), static_cast<int>(w.size()))));
    return w;
}

std::string Narrow(const std::wstring& w) {
    std::string s(w.size() * 3, '\0');
    s.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), s.data(),
                                                     static_cast<int>(s.size()), nullptr, nullptr)));
    return s;
}

}  // namespace testsupport
