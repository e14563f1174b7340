// Start to input idle and the memory after start, each program in its own process.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <string>

#include "bench_rows.h"
#include "platform/win/handles.h"
#include "platform/modRegistry.h"
#include "platform/win/program_windows.h"

namespace bench {

namespace {

struct StartSample {
    bool ok = false;
    double seconds = 0;
    double peakWorkingSet = 0;
    double privateBytes = 0;
};

// Starts `path`, waits until it waits for input, reads its memory after a
// short settling time (the first paint may follow the first idle), and ends it.
StartSample StartProgram(const std::string& path) {
    StartSample sample;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + path + "\"";
    DWORD idle = WAIT_FAILED;
    sample.seconds = Seconds([&] {
        if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process))
            return;
        idle = WaitForInputIdle(process.hProcess, 60000);
    });
    if (!process.hProcess) return sample;
    const unique_handle processHandle(process.hProcess);
    const unique_handle threadHandle(process.hThread);
    if (idle == 0) {
        Sleep(250);
        PROCESS_MEMORY_COUNTERS_EX counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                 sizeof counters)) {
            sample.ok = true;
            sample.peakWorkingSet = static_cast<double>(counters.PeakWorkingSetSize);
            // The commit charge: Windows reports it in both; Wine 8 leaves PrivateUsage at 0.
            sample.privateBytes = static_cast<double>(std::max(counters.PrivateUsage, counters.PagefileUsage));
        }
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    return sample;
}

struct Program {
    std::string name;
    std::string path;
    std::vector<double> seconds, peak, privateBytes;
    int failures = 0;

    void Run() {
        const StartSample s = StartProgram(path);
        if (!s.ok) {
            ++failures;
            Progress(name + ": did not reach input idle");
            return;
        }
        seconds.push_back(s.seconds);
        peak.push_back(s.peakWorkingSet);
        privateBytes.push_back(s.privateBytes);
        Progress(name + ": input idle after " + FormatValue(s.seconds, Unit::Seconds) + ", peak working set " +
                 FormatValue(s.peakWorkingSet, Unit::Bytes) + ", private " + FormatValue(s.privateBytes, Unit::Bytes));
    }
};

std::string FailureNote(const Program& p) {
    return p.failures ? p.name + " did not reach input idle in " + std::to_string(p.failures) + " runs. " : "";
}

}  // namespace

void AddStartRows(const Options& options, std::vector<Row>& rows) {
    const std::string folder = ui::ProgramFolder();
    Program note{"scrivlet.exe", folder + "\\scrivlet.exe", {}, {}, {}, 0};
    Program floor{"floor", folder + "\\bench_floor.exe", {}, {}, {}, 0};
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    Program notepad{"notepad", std::string(system) + "\\notepad.exe", {}, {}, {}, 0};

    // A stored location: the note asks nothing before it shows.
    modRegistry::WriteRegString(HKEY_CURRENT_USER, "Software\\Scrivlet\\Location\\", "Location", note.path);

    Program* order[] = {&note, &floor, &notepad};
    if (!options.quick)
        for (Program* p : order) {
            Progress(p->name + ": warm-up");
            StartProgram(p->path);
        }
    // The first of each run goes in turn, so that none always follows the same one.
    const auto round = [&](int run) {
        for (int i = 0; i < 3; ++i) order[(run + i) % 3]->Run();
    };
    int run = 0;
    for (; run < options.runs; ++run) round(run);
    // Starts spread widely even on a quiet machine (0.06 s to 0.13 s): where the
    // note's or the floor's spread is wider than the goal's margin, nine times
    // the runs settle the medians (15 runs still moved them by a tenth).
    constexpr double kGoal = 1.15;
    const auto wide = [&](const std::vector<double>& seconds) {
        const Summary s = Summarize(seconds);
        return s.median > 0 && (s.max - s.min) / s.median > kGoal - 1;
    };
    if (!options.quick && (wide(note.seconds) || wide(floor.seconds))) {
        Progress("spread wider than 15%: " + std::to_string(8 * options.runs) + " more runs");
        for (; run < 9 * options.runs; ++run) round(run);
    }

    const std::string notes = FailureNote(note) + FailureNote(floor) + FailureNote(notepad);
    rows.push_back({"Start to input idle" + ExtraRuns(options, note.seconds), Unit::Seconds, Summarize(note.seconds),
                    Summarize(floor.seconds), {GoalKind::RatioAtMost, kGoal},
                    notes + "`CreateProcess` to `WaitForInputIdle`; the floor is a captionless window that loads "
                            "Msftedit.dll, creates one control and paints once."});
    rows.push_back({"Start to input idle: Wine's notepad (reference)", Unit::Seconds, Summarize(notepad.seconds),
                    Summarize(floor.seconds), {GoalKind::None, 0}, ""});
    constexpr double k4MB = 4.0 * 1024 * 1024;
    rows.push_back({"Peak working set after start", Unit::Bytes, Summarize(note.peak), Summarize(floor.peak),
                    {GoalKind::PlusAtMost, k4MB}, ""});
    rows.push_back({"Private bytes after start", Unit::Bytes, Summarize(note.privateBytes),
                    Summarize(floor.privateBytes), {GoalKind::PlusAtMost, k4MB}, ""});
}

}  // namespace bench
