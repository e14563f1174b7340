#include <richedit.h>

#include <cstdio>
#include <utility>

#include "bench_rows.h"
#include "platform/win/handles.h"

namespace bench {

double Seconds(const std::function<void()>& action) {
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    action();
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void PumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void MeasureEach(const Options& options, const std::vector<std::function<double()>>& measures,
                 std::vector<std::vector<double>>& samples, double margin) {
    samples.assign(measures.size(), {});
    if (!options.quick)
        for (const auto& measure : measures) measure();
    const auto round = [&](int run) {
        for (std::size_t i = 0; i < measures.size(); ++i) {
            const std::size_t k = (static_cast<std::size_t>(run) + i) % measures.size();
            samples[k].push_back(measures[k]());
        }
    };
    const auto wide = [&] {
        for (const std::vector<double>& s : samples) {
            const Summary x = Summarize(s);
            if (x.median > 0 && (x.max - x.min) / x.median > margin) return true;
        }
        return false;
    };
    int run = 0;
    for (; run < options.runs; ++run) round(run);
    if (options.quick || margin <= 0 || !wide()) return;
    Progress("spread wider than " + std::to_string(static_cast<int>(margin * 100 + 0.5)) + "%: " +
             std::to_string(2 * options.runs) + " more runs");
    for (; run < 3 * options.runs; ++run) round(run);
}

void MeasurePair(const Options& options, const std::function<double()>& ours, const std::function<double()>& floor,
                 std::vector<double>& oursSamples, std::vector<double>& floorSamples, double margin) {
    std::vector<std::vector<double>> samples;
    MeasureEach(options, {ours, floor}, samples, margin);
    oursSamples = std::move(samples[0]);
    floorSamples = std::move(samples[1]);
}

std::string ExtraRuns(const Options& options, const std::vector<double>& samples) {
    if (options.quick || static_cast<int>(samples.size()) <= options.runs) return {};
    return " (" + std::to_string(samples.size()) + " runs)";
}

void Progress(const std::string& text) {
    std::printf("[bench] %s\n", text.c_str());
    std::fflush(stdout);
}

// ---------------------------------------------------------------------------

namespace {
constexpr wchar_t kBareClass[] = L"ScrivletBenchBareText";
}

CBareTextWindow::~CBareTextWindow() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

bool CBareTextWindow::Create(int width, int height, HFONT font) {
    static const unique_hmodule richEdit(LoadLibraryW(L"Msftedit.dll"));
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &CBareTextWindow::WndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpszClassName = kBareClass;
    RegisterClassExW(&wc);  // fails harmlessly when a second window registers it again
    RECT frame{20, 20, 20 + width, 20 + height};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_THICKFRAME, FALSE, WS_EX_TOOLWINDOW);
    if (!CreateWindowExW(WS_EX_TOOLWINDOW, kBareClass, L"", WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN, frame.left,
                         frame.top, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                         GetModuleHandleW(nullptr), this))
        return false;
    if (!m_text) return false;
    SendMessageW(m_text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(m_hwnd);
    return true;
}

LRESULT CALLBACK CBareTextWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<CBareTextWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CBareTextWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg == WM_NCDESTROY) {
        self->m_hwnd = nullptr;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self = nullptr;
    }
    return self ? self->HandleMessage(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CBareTextWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: OnSize(LOWORD(lp), HIWORD(lp)); return 0;
    }
    return DefWindowProcW(m_hwnd, msg, wp, lp);
}

void CBareTextWindow::OnCreate() {
    m_text = CreateWindowExW(0, MSFTEDIT_CLASS, L"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                                 ES_NOHIDESEL,
                             0, 0, 0, 0, m_hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (m_text) SendMessageW(m_text, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
}

void CBareTextWindow::OnSize(int width, int height) { MoveWindow(m_text, 0, 0, width, height, TRUE); }

void CBareTextWindow::SetText(const std::wstring& text) {
    SETTEXTEX set{ST_DEFAULT, 1200};
    SendMessageW(m_text, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set), reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring CBareTextWindow::Text() const {
    GETTEXTLENGTHEX length{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
    const LRESULT n = SendMessageW(m_text, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    if (n <= 0) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    get.flags = GT_USECRLF;
    get.codepage = 1200;
    const LRESULT got =
        SendMessageW(m_text, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

void CBareTextWindow::ColourAll(COLORREF color) {
    SendMessageW(m_text, EM_SETSEL, 0, -1);
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.crTextColor = color;
    SendMessageW(m_text, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

}  // namespace bench
