#pragma once
// What every window of the program shares, written once: the class registered
// once, `this` handed over through CreateWindowEx's last parameter, one static
// procedure that passes each message to the derived class's HandleMessage, and
// the final message, after which the window is counted out of the program's
// top-level windows. The derived class defines HandleMessage and OnNcDestroy.
#include <windows.h>

#include <exception>
#include <string>

#include "platform/win/message_boxes.h"
#include "platform/win/program_windows.h"

template <class Derived>
class BaseWindow {
public:
    HWND hWnd() const { return m_hwnd; }

protected:
    BaseWindow() = default;
    ~BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    // Registers the class (the first time) and creates the window in `frame`;
    // false when either fails.
    bool CreateFrame(const char* className, UINT classStyle, HBRUSH background, DWORD exStyle, const char* title,
                     DWORD style, const RECT& frame) {
        if (!ui::RegisterProgramClass(className, &BaseWindow::Procedure, background, classStyle)) return false;
        return CreateWindowExA(exStyle, className, title, style, frame.left, frame.top, frame.right - frame.left,
                               frame.bottom - frame.top, nullptr, nullptr, ui::ProgramInstance(),
                               static_cast<Derived*>(this)) != nullptr;
    }

    // Takes the place and size WM_DPICHANGED suggests.
    void MoveTo(const RECT& suggested) {
        SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    HWND m_hwnd = nullptr;  // owned: destroyed by the window's own close, or with the process

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NCCREATE) {
            auto* self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
            self->m_hwnd = hwnd;
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            ui::TopLevelWindowCreated();
        }
        auto* self = reinterpret_cast<Derived*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
        if (msg == WM_NCDESTROY) {
            const LRESULT result = DefWindowProcA(hwnd, msg, wp, lp);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            self->m_hwnd = nullptr;
            self->OnNcDestroy();
            ui::TopLevelWindowDestroyed();
            return result;
        }
        // No exception crosses into the system: an unexpected one is told, and the window goes on.
        try {
            return self->HandleMessage(msg, wp, lp);
        } catch (const std::exception& e) {
            ui::MsgBox(std::string("Unexpected error: ") + e.what(), MB_OK | MB_ICONERROR);
        } catch (...) {
            ui::MsgBox("Unexpected error.", MB_OK | MB_ICONERROR);
        }
        return 0;
    }
};
