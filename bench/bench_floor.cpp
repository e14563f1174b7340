// The floor of the start and memory measures: the least a program with a rich
// edit control must do to be up. A captionless window loads the same rich edit
// DLL as the note, creates one control, paints once and waits for input.
#include <windows.h>
#include <richedit.h>

#include "platform/win/handles.h"

namespace {

class CFloorWindow {
public:
    bool Create(HINSTANCE instance);

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnCreate();
    void OnSize(int width, int height);
    void OnDestroy();

    HWND m_hwnd = nullptr;  // destroyed when the program ends
    HWND m_text = nullptr;  // borrowed: a child window, destroyed with its parent
};

constexpr wchar_t kClassName[] = L"ScrivletBenchFloor";

bool CFloorWindow::Create(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &CFloorWindow::WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) return false;
    // The note's own place and size (at 96 dots per inch), without a caption like the note.
    if (!CreateWindowExW(0, kClassName, L"", WS_POPUP | WS_THICKFRAME, 335, 204, 301, 196, nullptr, nullptr,
                         instance, this))
        return false;
    ShowWindow(m_hwnd, SW_SHOWNORMAL);
    UpdateWindow(m_hwnd);
    return true;
}

LRESULT CALLBACK CFloorWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<CFloorWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CFloorWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->HandleMessage(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CFloorWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: OnSize(LOWORD(lp), HIWORD(lp)); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    }
    return DefWindowProcW(m_hwnd, msg, wp, lp);
}

void CFloorWindow::OnCreate() {
    m_text = CreateWindowExW(0, MSFTEDIT_CLASS, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 0, 0, 0, 0,
                             m_hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void CFloorWindow::OnSize(int width, int height) { MoveWindow(m_text, 0, 0, width, height, TRUE); }

void CFloorWindow::OnDestroy() { PostQuitMessage(0); }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const unique_hmodule richEdit(LoadLibraryW(L"Msftedit.dll"));
    CFloorWindow window;
    if (!window.Create(instance)) return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
