// Real note processes keep their text for recovery: ended from outside, a note
// is offered at the next start; closed with Yes, it leaves nothing behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "platform/win/handles.h"
#include "support/readers.h"
#include "support/test_support.h"

using namespace std::chrono_literals;

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

struct Found {
    HWND hwnd = nullptr;
    const wchar_t* cls;
    const wchar_t* title;  // null: any
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<Found*>(lp);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (!IsWindowVisible(hwnd) || lstrcmpiW(cls, search->cls) != 0) return TRUE;
    if (search->title && testsupport::WindowTextW(hwnd) != search->title) return TRUE;
    search->hwnd = hwnd;
    return FALSE;
}

// Another program (a scanner, an indexer) reading a file without letting it be deleted.
unique_hfile Hold(const std::wstring& path) {
    return unique_hfile(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
}

// A note process started as the user starts one, with its own local profile folder.
class Note {
public:
    explicit Note(const std::wstring& local) {
        SetEnvironmentVariableW(L"LOCALAPPDATA", local.c_str());
        const std::wstring program = testsupport::Widen(testsupport::ExeFolder() + "\\scrivlet.exe");
        std::wstring line = L"\"" + program + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &started))
            return;
        process_.reset(started.hProcess);
        CloseHandle(started.hThread);
        tid_ = started.dwThreadId;
        pid = started.dwProcessId;
    }
    ~Note() {
        if (process_) TerminateProcess(process_.get(), 0);
    }

    HWND Window(const wchar_t* cls, const wchar_t* title = nullptr) const {
        Found search{nullptr, cls, title};
        EnumThreadWindows(tid_, FindVisible, reinterpret_cast<LPARAM>(&search));
        return search.hwnd;
    }
    HWND WaitFor(const wchar_t* cls, const wchar_t* title = nullptr) const {
        HWND found = nullptr;
        testsupport::PumpUntil([&] { return (found = Window(cls, title)) != nullptr; }, 30s);
        return found;
    }
    HWND TextArea() const { return GetWindow(WaitFor(L"ScrivletNote"), GW_CHILD); }  // the note's one child
    // Types over the whole text, as after Ctrl+A.
    void Type(std::wstring_view text) const {
        const HWND area = TextArea();
        SendMessageW(area, EM_SETSEL, 0, -1);
        for (const wchar_t c : text) PostMessageW(area, WM_CHAR, c, 1);
    }
    // Asked of the control itself: GetWindowText gives only the title of another process's window.
    std::wstring Text() const {
        const HWND area = TextArea();
        std::wstring text(static_cast<size_t>(SendMessageW(area, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(SendMessageW(area, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }

    // The offer at start: its text, after which `button` answers it.
    std::wstring Answer(int button) const {
        const HWND box = WaitFor(L"#32770", L"Scrivlet");
        if (!box || !GetDlgItem(box, button)) return L"(no box with that button)";
        const std::wstring text = testsupport::WindowTextW(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        testsupport::PumpUntil([&] { return !IsWindow(box); }, 10s);
        return text;
    }
    // A close request from outside, and `button` at the exit question.
    void AnswerExit(int button) const {
        PostMessageW(WaitFor(L"ScrivletNote"), WM_CLOSE, 0, 0);
        const HWND box = WaitFor(L"#32770", L"Exit Notes: *****************");
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    }
    bool WaitForEnd() const { return WaitForSingleObject(process_.get(), 30000) == WAIT_OBJECT_0; }
    bool CloseWithYes() {
        AnswerExit(IDYES);
        return WaitForEnd();
    }
    void End() {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 10000);
    }

    DWORD pid = 0;

private:
    unique_handle process_;
    DWORD tid_ = 0;
};

class RecoveryTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        local = std::wstring(temp) + L"scrivlet-recovery-" + std::to_wstring(GetCurrentProcessId());
        folder = local + L"\\Scrivlet\\Recovery";
        CreateDirectoryW(local.c_str(), nullptr);  // a profile's local folder is always there
        testsupport::ResetSettings(testsupport::ExeFolder() + "\\scrivlet.exe");
    }
    void TearDown() override {
        for (const std::wstring& name : Copies()) DeleteFileW((folder + L"\\" + name).c_str());
        RemoveDirectoryW(folder.c_str());
        RemoveDirectoryW((local + L"\\Scrivlet").c_str());
        RemoveDirectoryW(local.c_str());
    }

    std::vector<std::wstring> Copies() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data{};
        const unique_hfind find(FindFirstFileW((folder + L"\\*").c_str(), &data));
        if (!find) return names;
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
        } while (FindNextFileW(find.get(), &data));
        std::sort(names.begin(), names.end());
        return names;
    }
    // The full name of the note's file that ends so ("-claimed.txt" for its claim); empty while it has none.
    std::wstring PathOf(const Note& note, std::wstring_view ending = L".txt") const {
        const std::wstring prefix = L"note-" + std::to_wstring(note.pid) + L"-";
        for (const std::wstring& name : Copies())
            if (name.starts_with(prefix) && name.size() == prefix.size() + 16 + ending.size() && name.ends_with(ending))
                return folder + L"\\" + name;
        return {};
    }
    // The bytes of the note's own copy; empty while it has none.
    std::string CopyOf(const Note& note) const {
        const std::wstring path = PathOf(note);
        return path.empty() ? std::string() : testsupport::ReadBytes(std::string(path.begin(), path.end()));  // ASCII
    }
    bool WaitForCopy(const Note& note, std::string_view utf8) const {
        const std::string expected = kUtf8Bom + std::string(utf8);
        return testsupport::PumpUntil([&] { return CopyOf(note) == expected; }, 20s);
    }

    std::wstring local, folder;
};

TEST_F(RecoveryTest, ANoteEndedFromOutsideIsOfferedAndYesBringsItsTextBack) {
    Note first(local);
    ASSERT_NE(first.WaitFor(L"ScrivletNote"), nullptr);
    EXPECT_TRUE(Copies().empty()) << "the untouched start-up text is not kept";
    first.Type(L"Buy milk \x2713 and eggs");
    ASSERT_TRUE(WaitForCopy(first, "Buy milk \xE2\x9C\x93 and eggs"));
    first.End();

    Note second(local);
    const std::wstring offer = second.Answer(IDYES);
    EXPECT_NE(offer.find(L"Buy milk \x2713 and eggs"), std::wstring::npos) << testing::PrintToString(offer);
    EXPECT_EQ(second.Text(), L"Buy milk \x2713 and eggs");
    EXPECT_EQ(Copies().size(), 1u);
    EXPECT_EQ(CopyOf(second), kUtf8Bom + std::string("Buy milk \xE2\x9C\x93 and eggs")) << "it is this note's copy now";

    ASSERT_TRUE(second.CloseWithYes());
    EXPECT_TRUE(Copies().empty()) << "Yes at the exit question leaves no copy";

    // A note whose process id now names another running program (this test) is gone all the same.
    const std::string at(folder.begin(), folder.end());
    testsupport::WriteBytes(at + "\\note-" + std::to_string(GetCurrentProcessId()) + "-0000000000000001.txt",
                            "\xEF\xBB\xBF" "a reused id");
    Note third(local);
    EXPECT_NE(third.Answer(IDNO).find(L"a reused id"), std::wstring::npos);
}

// Mended: one undo after Yes brought back the start text, for which the copy
// was removed, and the text lived on only in the control's redo.
TEST_F(RecoveryTest, TheTextBroughtBackIsTheNotesFirstAndTheStartTextIsNeverKept) {
    {
        Note first(local);
        first.Type(L"Buy milk");
        ASSERT_TRUE(WaitForCopy(first, "Buy milk"));
        first.End();
    }
    {
        Note second(local);
        second.Answer(IDYES);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return second.Text() == L"Buy milk"; }));
        SendMessageW(second.TextArea(), EM_UNDO, 0, 0);
        EXPECT_EQ(second.Text(), L"Buy milk") << "nothing to undo";
        testsupport::Pump(3000ms);  // past the pause
        second.End();
    }
    Note third(local);
    EXPECT_NE(third.Answer(IDYES).find(L"Buy milk"), std::wstring::npos);
    // Typed back to the start text, the note holds nothing of the user's.
    third.Type(L"Click on the note pad above for Options!");
    EXPECT_TRUE(testsupport::PumpUntil([&] { return Copies().empty(); }, 10s));
}

// Mended: a write that failed left nothing owed, so the exit question and the
// end of the session wrote nothing once the disk worked again.
TEST_F(RecoveryTest, WhatAFailedWriteLeftIsKeptBeforeTheQuestionAndWhenTheSessionEnds) {
    for (const bool question : {true, false}) {
        SCOPED_TRACE(question ? "exit question" : "session ends");
        Note note(local);
        note.Type(L"older");
        ASSERT_TRUE(WaitForCopy(note, "older"));
        // A folder on the note's temporary name: the next write fails, and the user is told.
        std::wstring blocked = PathOf(note);
        blocked.replace(blocked.size() - 4, 4, L".tmp");
        ASSERT_TRUE(CreateDirectoryW(blocked.c_str(), nullptr));
        note.Type(L"latest");
        EXPECT_NE(note.WaitFor(L"tooltips_class32"), nullptr);
        RemoveDirectoryW(blocked.c_str());  // the disk works again
        if (question) {
            PostMessageW(note.WaitFor(L"ScrivletNote"), WM_CLOSE, 0, 0);
            ASSERT_NE(note.WaitFor(L"#32770", L"Exit Notes: *****************"), nullptr);
        } else {
            DWORD_PTR result = 0;
            SendMessageTimeoutW(note.WaitFor(L"ScrivletNote"), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                10000, &result);
        }
        EXPECT_EQ(CopyOf(note), kUtf8Bom + std::string("latest"));
        note.End();
        Note next(local);
        EXPECT_NE(next.Answer(IDNO).find(L"latest"), std::wstring::npos);
    }
}

// Mended: a copy another program held when it was to be deleted (at Yes, at
// No, or as a claim taken in) was offered at the next start.
TEST_F(RecoveryTest, NothingClosedWithYesOrAnsweredIsOfferedWhileAnotherProgramHoldsIt) {
    {
        Note note(local);
        note.Type(L"held a moment");
        ASSERT_TRUE(WaitForCopy(note, "held a moment"));
        unique_hfile held = Hold(PathOf(note));
        note.AnswerExit(IDYES);
        testsupport::Pump(300ms);
        held.reset();
        ASSERT_TRUE(note.WaitForEnd());
        EXPECT_TRUE(Copies().empty()) << "deleted once let go";
    }
    // Held longer than the note tries: a claim answered No, and one taken in with Yes.
    const std::string at(folder.begin(), folder.end());
    for (const int answer : {IDNO, IDYES}) {
        testsupport::WriteBytes(at + "\\note-7-0000000000000001.txt", "\xEF\xBB\xBF" "left by a note");
        Note note(local);
        ASSERT_NE(note.WaitFor(L"#32770", L"Scrivlet"), nullptr);
        unique_hfile held = Hold(PathOf(note, L"-claimed.txt"));
        note.Answer(answer);
        testsupport::Pump(2500ms);  // longer than the note tries
        held.reset();
        if (answer == IDNO) continue;
        EXPECT_EQ(note.Text(), L"left by a note");
        ASSERT_TRUE(note.CloseWithYes());
    }
    Note last(local);
    ASSERT_NE(last.WaitFor(L"ScrivletNote"), nullptr);
    testsupport::Pump(1000ms);
    EXPECT_EQ(last.Window(L"#32770"), nullptr) << "nothing is offered";
}

// Mended: typing that never paused for two seconds was never kept.
TEST_F(RecoveryTest, TypingWithoutAPauseIsKeptWithinThirtySeconds) {
    Note note(local);
    const HWND area = note.TextArea();
    const auto start = std::chrono::steady_clock::now();
    bool kept = false;
    while (!kept && std::chrono::steady_clock::now() - start < 40s) {
        PostMessageW(area, WM_CHAR, L'x', 1);
        kept = testsupport::PumpUntil([&] { return !CopyOf(note).empty(); }, 1000ms);
    }
    EXPECT_TRUE(kept);
}

TEST_F(RecoveryTest, TheCopyOfANoteThatRunsIsLeftAloneAndAnEmptiedNoteHasNone) {
    Note first(local);
    first.Type(L"still here");
    ASSERT_TRUE(WaitForCopy(first, "still here"));
    Note second(local);
    ASSERT_NE(second.WaitFor(L"ScrivletNote"), nullptr);
    testsupport::Pump(1500ms);
    EXPECT_EQ(second.Window(L"#32770"), nullptr) << "nothing is offered while its note runs";
    EXPECT_EQ(Copies().size(), 1u);

    // Emptied by the user, who cuts everything, the note has nothing to lose.
    SendMessageW(first.TextArea(), EM_SETSEL, 0, -1);
    SendMessageW(first.TextArea(), WM_CUT, 0, 0);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return Copies().empty(); }, 10s));
}

TEST_F(RecoveryTest, NotesStartedTogetherTakeDifferentCopiesAndOnlyNoDeletes) {
    {
        Note a(local), b(local);
        a.Type(L"first note");
        b.Type(L"second note");
        ASSERT_TRUE(WaitForCopy(a, "first note"));
        ASSERT_TRUE(WaitForCopy(b, "second note"));
        a.End();
        b.End();
    }
    const std::vector<std::wstring> kept = Copies();
    {
        Note c(local), d(local);
        // Both ask at once, each holding its claim.
        ASSERT_NE(c.WaitFor(L"#32770", L"Scrivlet"), nullptr);
        ASSERT_NE(d.WaitFor(L"#32770", L"Scrivlet"), nullptr);
        const std::wstring offers[] = {c.Answer(IDCANCEL), d.Answer(IDCANCEL)};
        const bool firstThenSecond = offers[0].find(L"\"first note\"") != std::wstring::npos;
        EXPECT_NE(offers[firstThenSecond ? 1 : 0].find(L"\"second note\""), std::wstring::npos);
        EXPECT_NE(offers[firstThenSecond ? 0 : 1].find(L"\"first note\""), std::wstring::npos);
        // Each note gives its claim back once its box has gone, before the notes are ended here.
        EXPECT_TRUE(testsupport::PumpUntil([&] { return Copies() == kept; }, 5s)) << "Cancel keeps each copy under its name";
    }

    for (size_t left = kept.size(); left > 0; --left) {
        Note next(local);
        next.Answer(IDNO);
        // The note deletes it once its box has gone, retrying while a note just ended still holds it.
        EXPECT_TRUE(testsupport::PumpUntil([&] { return Copies().size() == left - 1; }, 5s)) << "No deletes the copy";
    }
    // What is left is never offered as text it does not hold: an empty copy, one
    // without its mark, a foreign file; a temporary file from a power cut is cleaned up.
    const std::string at(folder.begin(), folder.end());
    testsupport::WriteBytes(at + "\\note-7-0000000000000001.txt", "");
    testsupport::WriteBytes(at + "\\note-7-0000000000000002.txt", "\xFF\xFE" "a\0");
    testsupport::WriteBytes(at + "\\notes.txt", "\xEF\xBB\xBF" "foreign");
    testsupport::WriteBytes(at + "\\note-7-0000000000000003.tmp", "\xEF\xBB\xBF" "half wri");
    testsupport::WriteBytes(at + "\\note-7-0000000000000004.txt", "\xEF\xBB\xBF" "broken \xC3(");
    Note last(local);
    ASSERT_NE(last.WaitFor(L"ScrivletNote"), nullptr);
    testsupport::Pump(1000ms);
    EXPECT_EQ(last.Window(L"#32770"), nullptr);
    EXPECT_EQ(Copies(), (std::vector<std::wstring>{L"note-7-0000000000000001.txt", L"note-7-0000000000000002.txt",
                                                   L"note-7-0000000000000004.txt", L"notes.txt"}));
}

TEST_F(RecoveryTest, AFullDiskKeepsTheNoteWorking) {
    if (GetDriveTypeW(L"T:\\") == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "no 64 KB drive T: (drives.sh needs root)";
    local = L"T:\\local";
    folder = local + L"\\Scrivlet\\Recovery";
    CreateDirectoryW(local.c_str(), nullptr);
    const std::string filler = "T:\\filler.bin";
    {
        const unique_hfile file(CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        const std::string block(4096, 'x');
        DWORD wrote = 0;
        while (WriteFile(file.get(), block.data(), 4096, &wrote, nullptr) && wrote == 4096) {}
    }
    Note note(local);
    note.Type(L"abc");
    EXPECT_NE(note.WaitFor(L"tooltips_class32"), nullptr) << "the user is told, in a balloon";
    EXPECT_EQ(note.Window(L"#32770"), nullptr) << "no box stops the typing";
    note.Type(L"xyz");
    EXPECT_TRUE(testsupport::PumpUntil([&] { return note.Text() == L"xyz"; }, 10s));
    note.End();
    DeleteFileA(filler.c_str());
}

}  // namespace
