#pragma once
// The measures of the benchmark program, each comparing Scrivlet with a floor
// in the same run, interleaved run by run so that drift hits both alike.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "bench_stats.h"

namespace bench {

struct Options {
    bool quick = false;   // one run each, small sizes: only proves that every measure still runs
    int runs = 5;         // measured runs after one warm-up
    std::string pdfFolder;  // where the PDF queue writes, as a Windows path; empty: not known
    std::string listFolder;  // the large folder the list measure reads, as a Windows path; empty: not measured
};

// Seconds taken by `action`, by the performance counter.
double Seconds(const std::function<void()>& action);
// Dispatches this thread's pending messages.
void PumpPending();
// Runs one warm-up of each (unless quick), then the runs, each run starting
// with the next measure in turn. Where a measure's spread (slowest less fastest,
// against its median) is wider than `margin`, three times as many runs are taken
// in all, so that the median settles.
void MeasureEach(const Options& options, const std::vector<std::function<double()>>& measures,
                 std::vector<std::vector<double>>& samples, double margin = 0);
// MeasureEach of two.
void MeasurePair(const Options& options, const std::function<double()>& ours, const std::function<double()>& floor,
                 std::vector<double>& oursSamples, std::vector<double>& floorSamples, double margin = 0);
// " (N runs)" when a measure took more runs than the usual number, for its row's name.
std::string ExtraRuns(const Options& options, const std::vector<double>& samples);
// A progress line on standard output.
void Progress(const std::string& text);

// Start to input idle, peak working set and private bytes of the note, the
// floor program and Wine's notepad.
void AddStartRows(const Options& options, std::vector<Row>& rows);
// Recolouring a note, and the platform's own growth of setting a text.
void AddTextRows(const Options& options, std::vector<Row>& rows);
// Opening and saving text files through the text-file window, and listing a large folder.
void AddFileRows(const Options& options, std::vector<Row>& rows);
// Printing pages to the default printer.
void AddPrintRows(const Options& options, std::vector<Row>& rows);

// A top-level window holding one bare rich edit control, configured as the
// note's text area is, for the floors measured inside this process.
class CBareTextWindow {
public:
    CBareTextWindow() = default;
    ~CBareTextWindow();
    CBareTextWindow(const CBareTextWindow&) = delete;
    CBareTextWindow& operator=(const CBareTextWindow&) = delete;

    // A client area of `width` by `height` pixels, the control filling it in `font` (borrowed).
    bool Create(int width, int height, HFONT font);
    HWND hWnd() const { return m_hwnd; }
    HWND Control() const { return m_text; }

    void SetText(const std::wstring& text);  // EM_SETTEXTEX
    std::wstring Text() const;               // EM_GETTEXTEX with CR LF
    void ColourAll(COLORREF color);          // select all, EM_SETCHARFORMAT

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnCreate();
    void OnSize(int width, int height);

    HWND m_hwnd = nullptr;  // owned: destroyed by the destructor
    HWND m_text = nullptr;  // borrowed: a child window, destroyed with its parent
};

}  // namespace bench
