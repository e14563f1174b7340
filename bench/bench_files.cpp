// Text files: opening a file into the note and saving the note through the
// text-file window, and listing a large folder into its name box, each against
// the bare system calls that give the same result.
#include <string>
#include <utility>
#include <vector>

#include "bench_rows.h"
#include "note/COutlookNote.h"
#include "note/RecoveryCopy.h"
#include "platform/win/handles.h"
#include "platform/text/ansi_text.h"
#include "platform/win/program_windows.h"
#include "textfile/frmSavetxt.h"

namespace bench {

namespace {

constexpr std::size_t kLineWidth = 60;
constexpr char kPattern[] = "*.txt";

// Answers every message box of this thread the moment it activates by posting
// `answer` to it, and remembers the captions: the file runs must never wait
// for a user, and a box nobody expected marks the run as failed.
class BoxAnswerer {
public:
    explicit BoxAnswerer(int answer) : m_answer(answer) {
        s_current = this;
        m_hook = SetWindowsHookExA(WH_CBT, &BoxAnswerer::CbtProc, nullptr, GetCurrentThreadId());
    }
    ~BoxAnswerer() {
        if (m_hook) UnhookWindowsHookEx(m_hook);
        s_current = nullptr;
    }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    // The captions of the boxes answered since the last call.
    std::vector<std::string> TakeCaptions() { return std::exchange(m_captions, {}); }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp) {
        if (code == HCBT_ACTIVATE && s_current) {
            const HWND box = reinterpret_cast<HWND>(wp);
            char cls[16] = {};
            GetClassNameA(box, cls, sizeof cls);
            if (lstrcmpA(cls, "#32770") == 0) {
                char caption[256] = {};
                GetWindowTextA(box, caption, sizeof caption);
                s_current->m_captions.emplace_back(caption);
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(s_current->m_answer, BN_CLICKED), 0);
            }
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }

    static inline thread_local BoxAnswerer* s_current = nullptr;
    HHOOK m_hook = nullptr;
    int m_answer;
    std::vector<std::string> m_captions;
};

std::string SizeName(std::size_t bytes) { return FormatValue(static_cast<double>(bytes), Unit::Bytes); }

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    unique_hfile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::string ReadWholeFile(const std::string& path) {
    unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    LARGE_INTEGER size{};
    GetFileSizeEx(file.get(), &size);
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) return {};
    bytes.resize(got);
    return bytes;
}

std::wstring Widen(const std::string& bytes) {
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    return text;
}

// The text in the ANSI code page and a CR LF, in one allocation.
std::string NarrowLine(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string bytes(static_cast<std::size_t>(n > 0 ? n : 0) + 2, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    bytes[bytes.size() - 2] = '\r';
    bytes[bytes.size() - 1] = '\n';
    return bytes;
}

// The question the text-file window asks before it writes over a file.
constexpr char kThreeOptions[] =
    "1. File already exits, Write over it?...............Select Yes \r\n\r\n"
    "2. Add (Append) to your existing file............Select No \r\n\r\n"
    "3. I want to create a New File (New Name) Select Cancel";

// The safe way to write a file, which a failure never costs its old bytes: a
// temporary file in the same folder, written, flushed and closed, then moved
// to the name, or over an existing file swapped in with ReplaceFileW (keeping
// the old file's identity) through a backup name that is deleted after.
bool WriteSafely(const std::string& path, const std::string& bytes, bool replace) {
    const std::string folder = path.substr(0, path.find_last_of('\\') + 1);
    char temp[MAX_PATH] = {};
    if (!GetTempFileNameA(folder.c_str(), "flr", 0, temp)) return false;
    bool written = false;
    {
        unique_hfile file(
            CreateFileA(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD done = 0;
        written = file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                  done == bytes.size() && FlushFileBuffers(file.get());
    }
    bool placed = false;
    if (written && !replace) {
        placed = MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    } else if (written) {
        const std::string backup = std::string(temp) + ".old";
        placed = ReplaceFileA(path.c_str(), temp, backup.c_str(),
                              REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr) != FALSE;
        if (placed) DeleteFileA(backup.c_str());
    }
    if (!placed) DeleteFileA(temp);
    return placed;
}

// Loads the text-file window for `note` in the mode of `menuId` with `name`
// typed into its name box; false when it did not come up.
bool ShowTextFileWindow(INoteText& note, std::int16_t menuId, const std::string& name) {
    frmSavetxt::Show(menuId, note);
    frmSavetxt& form = frmSavetxt::Instance();
    // The action button names the mode.
    if (!IsWindow(form.hWnd()) || ui::WindowTextA(form.cmdSave) != (menuId == cmd::SaveAs ? "Save..." : "Open..."))
        return false;
    SetWindowTextA(form.Combo1, name.c_str());
    PumpPending();
    return true;
}

// Presses "Save..." or "Open..."; true when the window closed itself, its sign of success.
bool PressSave() {
    frmSavetxt& form = frmSavetxt::Instance();
    const HWND button = form.cmdSave;
    SendMessageA(form.hWnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    return !IsWindow(form.hWnd());
}

void CloseTextFileWindow() {
    frmSavetxt& form = frmSavetxt::Instance();
    if (IsWindow(form.hWnd())) SendMessageA(form.hWnd(), WM_CLOSE, 0, 0);
}

// Reports the run and the boxes that came up; false when it failed. A failed
// run still counts its time, and its row says so.
bool ReportRun(const std::string& what, double seconds, bool ok, BoxAnswerer& boxes, const std::string& expected) {
    std::string line = what + ": " + FormatValue(seconds, Unit::Seconds);
    for (const std::string& caption : boxes.TakeCaptions())
        if (caption != expected) {
            line += " [unexpected box \"" + caption + "\"]";
            ok = false;
        }
    if (!ok) line += " FAILED";
    Progress(line);
    return ok;
}

std::string FailedRuns(int failed) {
    return failed ? " **" + std::to_string(failed) + " runs failed**: see the progress lines." : "";
}

// Opening a file of `bytes` bytes: a fresh note each run, since emptying a
// large note is itself slow on the platform.
void AddOpenRow(const Options& options, std::size_t bytes, std::vector<Row>& rows) {
    const std::string name = "bench-open-" + std::to_string(bytes) + ".txt";
    const std::string path = ui::ProgramFolder() + "\\" + name;
    if (!WriteWholeFile(path, WordText(bytes, kLineWidth))) {
        Progress("could not write " + path + ": no open row");
        return;
    }
    // The bare control takes the size and font of the note's text area.
    COutlookNote reference;
    if (!reference.Create()) {
        Progress("the note could not be created: no open row");
        return;
    }
    RECT area{};
    GetClientRect(reference.rtbMain.hWnd(), &area);
    BoxAnswerer boxes(IDOK);
    int failed = 0;
    std::vector<double> ours, floor;
    MeasurePair(
        options,
        [&] {
            COutlookNote note;  // the live note from here on: the window opens into it
            if (!note.Create() || !ShowTextFileWindow(note, frmSavetxt::kOpenMode, name)) {
                CloseTextFileWindow();
                Progress("the note or the text-file window did not come up");
                ++failed;
                return 0.0;
            }
            bool ok = false;
            const double s = Seconds([&] {
                ok = PressSave();
                UpdateWindow(note.hWnd());
            });
            // The control counts a line break as one position.
            ok = ok && note.rtbMain.TextLength() > static_cast<long>(bytes / 2);
            if (!ReportRun("note opens " + name, s, ok, boxes, "")) ++failed;
            CloseTextFileWindow();
            return s;
        },
        [&] {
            CBareTextWindow bare;
            if (!bare.Create(area.right, area.bottom, reference.Font())) return 0.0;
            PumpPending();
            const double s = Seconds([&] {
                bare.SetText(Widen(ReadWholeFile(path)));
                UpdateWindow(bare.hWnd());
            });
            Progress("bare ReadFile + EM_SETTEXTEX of " + name + ": " + FormatValue(s, Unit::Seconds));
            return s;
        },
        ours, floor, 0.25);
    DeleteFileA(path.c_str());
    rows.push_back({"Open a " + SizeName(bytes) + " text file into the note" + ExtraRuns(options, ours), Unit::Seconds, Summarize(ours),
                    Summarize(floor), {GoalKind::RatioAtMost, 1.25},
                    "\"Open...\" pressed in the text-file window, until the note is painted; the window is loaded "
                    "and the name typed before the clock starts, in a fresh note each run. Floor: `ReadFile` + "
                    "`EM_SETTEXTEX` into a fresh bare control, until painted." +
                        FailedRuns(failed)});
}

// A shown, active top-level window of the text-file window's frame holding
// controls of the same classes and styles as its five; null when it failed.
HWND OpenBareForm(HFONT font) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const HWND form = CreateWindowExA(WS_EX_CONTROLPARENT, "STATIC", "Save as Text File...",
                                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 60, 60, 390, 170,
                                      nullptr, nullptr, instance, nullptr);
    if (!form) return nullptr;
    const struct {
        const char* cls;
        DWORD style;
        int x, y, width, height;
    } kControls[] = {{"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 296, 8, 81, 33},
                     {"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 296, 80, 81, 33},
                     {"STATIC", SS_LEFT | SS_NOPREFIX, 8, 88, 209, 33},
                     {"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_SORT, 8, 56, 209, 189},
                     {"STATIC", SS_LEFT | SS_NOPREFIX, 8, 8, 265, 41}};
    for (const auto& c : kControls) {
        const HWND child = CreateWindowExA(0, c.cls, "", WS_CHILD | WS_VISIBLE | c.style, c.x, c.y, c.width,
                                           c.height, form, nullptr, instance, nullptr);
        if (child) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(form, SW_SHOWNORMAL);
    SetForegroundWindow(form);
    UpdateWindow(form);
    PumpPending();
    return form;
}

// Saving a note of `bytes` bytes as a new file (deleted before each run) and over an existing one.
void AddSaveRows(const Options& options, std::size_t bytes, std::vector<Row>& rows) {
    COutlookNote note;
    if (!note.Create()) {
        Progress("the note could not be created: no save rows");
        return;
    }
    RECT area{};
    GetClientRect(note.rtbMain.hWnd(), &area);
    CBareTextWindow bare;
    if (!bare.Create(area.right, area.bottom, note.Font())) {
        Progress("the bare control could not be created: no save rows");
        return;
    }
    const std::wstring text = ui::FromNarrow(WordText(bytes, kLineWidth));
    note.rtbMain.SetText(text);
    bare.SetText(text);
    PumpPending();

    const std::string folder = ui::ProgramFolder() + "\\";
    const std::string ourName = "bench-save-" + std::to_string(bytes) + ".txt";
    const std::string floorName = "bench-floor-" + std::to_string(bytes) + ".txt";
    const std::string floorPath = folder + floorName;
    const std::string plainPath = folder + "bench-plain-" + std::to_string(bytes) + ".txt";
    for (const bool overwrite : {false, true}) {
        BoxAnswerer boxes(IDYES);
        const auto question = [](const std::string& name) { return "Use this file... " + name + "---- Select an Option! "; };
        const std::string expectedBox = overwrite ? question(ourName) : std::string();
        const std::string how = overwrite ? "over an existing file" : "as a new file";
        const auto prepare = [&](const std::string& path) {
            if (overwrite) WriteWholeFile(path, "old\r\n");
            else DeleteFileA(path.c_str());
        };
        int failed = 0, floorFailed = 0;
        // The fair floor; with `closing`, it also closes a shown, active window of
        // the text-file window's frame and controls, as the program does.
        const auto fairFloor = [&](bool closing) {
            prepare(floorPath);
            const HWND form = closing ? OpenBareForm(note.Font()) : nullptr;  // destroyed on the clock
            if (closing && !form) {
                Progress("the bare window did not come up");
                ++floorFailed;
                return 0.0;
            }
            bool ok = false;
            const double s = Seconds([&] {
                const std::string text = NarrowLine(bare.Text());
                ok = !overwrite || MessageBoxA(form ? form : bare.hWnd(), kThreeOptions, question(floorName).c_str(),
                                               MB_YESNOCANCEL | MB_ICONINFORMATION) == IDYES;
                ok = ok && WriteSafely(floorPath, text, overwrite);
                if (form) ok = DestroyWindow(form) && ok;
            });
            if (!ReportRun("bare EM_GETTEXTEX + safe write " + how + (overwrite ? " after the question" : "") +
                               (closing ? " + a window closed" : ""),
                           s, ok, boxes, overwrite ? question(floorName) : std::string()))
                ++floorFailed;
            return s;
        };
        std::vector<std::vector<double>> samples;
        MeasureEach(
            options,
            {[&] {
                 prepare(folder + ourName);
                 if (!ShowTextFileWindow(note, frmSavetxt::kSaveMode, ourName)) {
                     CloseTextFileWindow();
                     Progress("the text-file window did not come up");
                     ++failed;
                     return 0.0;
                 }
                 bool ok = false;
                 const double s = Seconds([&] { ok = PressSave(); });
                 if (!ReportRun("note saves " + how, s, ok, boxes, expectedBox)) ++failed;
                 CloseTextFileWindow();
                 return s;
             },
             [&] { return fairFloor(false); },
             [&] { return fairFloor(true); },
             [&] {
                 prepare(plainPath);
                 const double s = Seconds([&] { WriteWholeFile(plainPath, NarrowLine(bare.Text())); });
                 Progress("bare EM_GETTEXTEX + WriteFile " + how + ": " + FormatValue(s, Unit::Seconds));
                 return s;
             }},
            samples, 0.25);
        const std::string ours = ReadWholeFile(folder + ourName);
        const auto same = [&](const std::string& path) {
            return ReadWholeFile(path) == ours ? std::string("the same") : std::string("**not** the same");
        };
        const std::string measure = "Save a " + SizeName(bytes) + " note " + how;
        const std::string pressed = std::string("\"Save...\" pressed in the text-file window") +
                                    (overwrite ? ", the \"Use this file... \" question answered Yes at once" : "") +
                                    ", until the window has closed; loaded and the name typed before the clock "
                                    "starts. ";
        // Saving ends when the text-file window has closed, and the program closes it: the goal is
        // judged against the floor that closes a window of the same shape too.
        const std::string fileWork =
            std::string("`EM_GETTEXTEX` from a bare control holding the same text") +
            (overwrite ? ", the same three-option box answered Yes at once, and the file written to a temporary "
                         "file, flushed and swapped in with `ReplaceFileW` (the same flags, a backup name deleted "
                         "after)"
                       : ", written to a temporary file, flushed and moved to its name") +
            "; the two files are " + same(floorPath) + ".";
        rows.push_back({measure + ExtraRuns(options, samples[0]), Unit::Seconds, Summarize(samples[0]),
                        Summarize(samples[2]), {GoalKind::RatioAtMost, 1.25},
                        pressed + "Floor: " + fileWork +
                            " Then a shown, active window of the text-file window's frame with its five controls "
                            "(two labels, a drop-down combo box, two buttons) is destroyed on the clock, as the "
                            "program closes its window." +
                            FailedRuns(failed + floorFailed)});
        rows.push_back({measure + ": against the same floor without the window", Unit::Seconds,
                        Summarize(samples[0]), Summarize(samples[1]), {GoalKind::None, 0},
                        "for information: the floor's file work alone: " + fileWork});
        rows.push_back({measure + ": against a plain `WriteFile`", Unit::Seconds, Summarize(samples[0]),
                        Summarize(samples[3]), {GoalKind::None, 0},
                        "for information: `EM_GETTEXTEX` + `WriteFile` straight to the name, with neither the safe "
                        "replace nor the question; the two files are " + same(plainPath) + "."});
    }
    DeleteFileA(plainPath.c_str());
    DeleteFileA((folder + ourName).c_str());
    DeleteFileA(floorPath.c_str());
}

// A top-level window holding one combo box styled as the text-file window's name box.
class CBareComboWindow {
public:
    CBareComboWindow() = default;
    ~CBareComboWindow() {
        if (m_hwnd) DestroyWindow(m_hwnd);  // the combo box goes with it
    }
    CBareComboWindow(const CBareComboWindow&) = delete;
    CBareComboWindow& operator=(const CBareComboWindow&) = delete;

    bool Create(HFONT font) {
        m_hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 40, 40, 260, 120, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!m_hwnd) return false;
        m_combo = CreateWindowExA(0, "COMBOBOX", "",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL |
                                      CBS_SORT,
                                  8, 8, 209, 200, m_hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (m_combo) SendMessageA(m_combo, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return m_combo != nullptr;
    }
    HWND Combo() const { return m_combo; }

private:
    HWND m_hwnd = nullptr;   // owned: destroyed by the destructor
    HWND m_combo = nullptr;  // borrowed: a child window
};

// The bare loop: every name the pattern gives that is no folder and ends in "txt".
void ListBare(HWND combo, const std::string& folder) {
    WIN32_FIND_DATAA found{};
    unique_hfind find(FindFirstFileA((folder + kPattern).c_str(), &found));
    if (!find) return;
    do {
        const std::size_t n = static_cast<std::size_t>(lstrlenA(found.cFileName));
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY || n < 3 ||
            lstrcmpiA(found.cFileName + n - 3, "txt") != 0)
            continue;
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
    } while (FindNextFileA(find.get(), &found));
}

// Every entry of the folder but "." and "..".
std::size_t CountEntries(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    unique_hfind find(FindFirstFileA((folder + "*").c_str(), &found));
    if (!find) return 0;
    std::size_t count = 0;
    do {
        if (lstrcmpA(found.cFileName, ".") != 0 && lstrcmpA(found.cFileName, "..") != 0) ++count;
    } while (FindNextFileA(find.get(), &found));
    return count;
}

// Listing a folder needs no note.
class NoNote final : public INoteText {
public:
    bool IsOpen() const override { return false; }
    std::wstring Text() const override { return {}; }
    bool ReplaceText(std::wstring_view) override { return false; }
    void MoveCaretToEnd() override {}
};

void AddListRow(const Options& options, std::vector<Row>& rows) {
    if (options.listFolder.empty()) {
        Progress("no folder to list given (--list-folder): no list row");
        return;
    }
    const std::string folder = options.listFolder.back() == '\\' ? options.listFolder : options.listFolder + "\\";
    NoNote note;
    if (!ShowTextFileWindow(note, frmSavetxt::kSaveMode, "")) {
        CloseTextFileWindow();
        Progress("the text-file window did not come up: no list row");
        return;
    }
    frmSavetxt& form = frmSavetxt::Instance();
    CBareComboWindow bare;
    if (!bare.Create(reinterpret_cast<HFONT>(SendMessageA(form.Combo1, WM_GETFONT, 0, 0)))) {
        CloseTextFileWindow();
        Progress("the bare combo box could not be created: no list row");
        return;
    }
    PumpPending();
    std::size_t listed = 0, bareListed = 0;
    std::vector<double> ours, floor;
    MeasurePair(
        options,
        [&] {
            SendMessageA(form.Combo1, CB_RESETCONTENT, 0, 0);
            std::int16_t count = 0;
            const double s = Seconds([&] { count = form.FindFilesInSingleDir(folder, kPattern).value_or(0); });
            listed = static_cast<std::size_t>(count);
            Progress("FindFilesInSingleDir: " + std::to_string(count) + " names, " + FormatValue(s, Unit::Seconds));
            return s;
        },
        [&] {
            SendMessageA(bare.Combo(), CB_RESETCONTENT, 0, 0);
            const double s = Seconds([&] { ListBare(bare.Combo(), folder); });
            bareListed = static_cast<std::size_t>(SendMessageA(bare.Combo(), CB_GETCOUNT, 0, 0));
            Progress("bare FindFirstFileA loop: " + std::to_string(bareListed) + " names, " +
                     FormatValue(s, Unit::Seconds));
            return s;
        },
        ours, floor);
    CloseTextFileWindow();
    rows.push_back({"List a folder of " + std::to_string(CountEntries(folder)) + " entries (" +
                        std::to_string(listed) + " \".txt\") into the name box",
                    Unit::Seconds, Summarize(ours), Summarize(floor), {GoalKind::RatioAtMost, 1.5},
                    "`FindFilesInSingleDir(folder, \"*.txt\")` on the loaded text-file window, its list emptied "
                    "before each run, against a bare `FindFirstFileA`/`FindNextFileA` loop adding the names ending "
                    "in \"txt\" to a sorted drop-down combo box; names listed: Scrivlet " +
                        std::to_string(listed) + ", floor " + std::to_string(bareListed) + "."});
}

// Keeping the recovery copy of a note: the program's write, which encodes the
// note's text, against writing, flushing and renaming the same bytes.
void AddRecoveryRow(const Options& options, std::size_t bytes, std::vector<Row>& rows) {
    const std::wstring text = Widen(WordText(bytes, kLineWidth));
    CRecoveryCopy copy(nullptr, 0);
    const std::wstring floorPath = copy.Folder() + L"\\bench-floor.txt", floorTemp = floorPath + L".tmp";
    const std::string utf8 = "\xEF\xBB\xBF" + ui::ToUtf8(text);
    copy.KeepNow(text);  // makes the folder for both
    // A write of 2 ms is mostly the disk's flush, which varies by a third from one
    // write to the next: nine times the runs, still well under a second.
    Options many = options;
    if (!options.quick) many.runs *= 9;
    std::vector<double> ours, floor;
    MeasurePair(
        many, [&] { return Seconds([&] { copy.KeepNow(text); }); },
        [&] {
            return Seconds([&] {
                {
                    unique_hfile file(CreateFileW(floorTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                  FILE_ATTRIBUTE_NORMAL, nullptr));
                    DWORD done = 0;
                    ::WriteFile(file.get(), utf8.data(), static_cast<DWORD>(utf8.size()), &done, nullptr);
                    FlushFileBuffers(file.get());
                }
                MoveFileExW(floorTemp.c_str(), floorPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
            });
        },
        ours, floor, 0.25);
    copy.Remove();
    DeleteFileW(floorPath.c_str());
    rows.push_back({"Keep the recovery copy of a " + SizeName(bytes) + " note" + ExtraRuns(options, ours),
                    Unit::Seconds, Summarize(ours), Summarize(floor), {GoalKind::RatioAtMost, 1.25},
                    "`KeepNow` of the note's recovery copy (UTF-8 with its mark, through a flushed temporary file "
                    "and `MoveFileExW`) against writing, flushing and renaming the same bytes in the same folder."});
}

}  // namespace

void AddFileRows(const Options& options, std::vector<Row>& rows) {
    const std::size_t large = options.quick ? 16 * 1024 : 1024 * 1024;
    const std::size_t small = options.quick ? 4 * 1024 : 256 * 1024;
    for (const std::size_t bytes : {small, large}) AddOpenRow(options, bytes, rows);
    for (const std::size_t bytes : {small, large}) AddSaveRows(options, bytes, rows);
    AddListRow(options, rows);
    AddRecoveryRow(options, large, rows);
}

}  // namespace bench
