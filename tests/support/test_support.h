#pragma once
// Helpers for tests that drive real windows on the test's own thread.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

// Dispatches this thread's messages for the given time.
void Pump(std::chrono::milliseconds duration);
// Dispatches messages until `done` holds or the time is up; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(10));

// Runs `action` once from inside whatever modal loop is running on this thread
// (a menu, a message box, a move loop) after about `delay`.
class DeferredAction {
public:
    DeferredAction(std::chrono::milliseconds delay, std::function<void()> action);
    ~DeferredAction();
    DeferredAction(const DeferredAction&) = delete;
    DeferredAction& operator=(const DeferredAction&) = delete;
    bool ran() const { return ran_; }

private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD);
    UINT_PTR timer_ = 0;
    std::function<void()> action_;
    bool ran_ = false;
};

// Deletes HKCU\Software\Scrivlet and stores a program location so that a new
// note asks nothing at start.
void ResetSettings(const std::string& location = "C:\\Scrivlet\\scrivlet.exe");

// The client area of a window as 0x00BBGGRR pixels, row by row.
struct Pixels {
    int width = 0, height = 0;
    std::vector<COLORREF> data;
    COLORREF at(int x, int y) const { return data[static_cast<size_t>(y * width + x)]; }
};
Pixels CaptureClient(HWND hwnd);

// The process's live GDI and USER objects and its private memory in bytes.
// Where the system does not count objects (Wine's GetGuiResources reports 0),
// they are counted by looking at every short handle value.
DWORD CountGdiObjects();
DWORD CountUserObjects();
SIZE_T PrivateBytes();

// The folder of the running test program, without a trailing backslash.
std::string ExeFolder();

// Between the narrow calls' code page (UTF-8 by the manifest) and UTF-16.
std::wstring Widen(const std::string& s);
std::string Narrow(const std::wstring& w);

}  // namespace testsupport
