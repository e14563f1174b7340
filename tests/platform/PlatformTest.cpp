// The platform services against the real system: the registry store, the
// self-closing message box and the minimize countdown, the input box, the
// program's folder and whole-file reads and writes.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>

#include "menu/menu_commands.h"
#include "platform/modMsgBox.h"
#include "platform/modRegistry.h"
#include "platform/text_files.h"
#include "platform/text/ansi_text.h"
#include "platform/win/late_bound.h"
#include "platform/win/message_boxes.h"
#include "platform/win/program_windows.h"
#include "support/dialog_script.h"
#include "support/note_fixture.h"
#include "support/readers.h"

using namespace std::chrono_literals;

namespace {

constexpr char kKey[] = "Software\\Scrivlet\\Test";

// What the store writes is read back with the plain API, and values that other
// writers left are seeded with it.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kKey); }
    static std::string Read(const char* name) { return modRegistry::ReadRegString(HKEY_CURRENT_USER, kKey, name); }
    static void Seed(const char* name, DWORD type, std::string_view bytes) {
        ASSERT_TRUE(testsupport::WriteRegValue(HKEY_CURRENT_USER, kKey, name, type, bytes));
    }
    // The text of a REG_SZ value as the system reads it, else "(missing)" or its type.
    static std::string Stored(const std::string& key, const char* name) {
        const auto value = testsupport::ReadRegValue(HKEY_CURRENT_USER, key, name);
        if (!value) return "(missing)";
        if (value->type != REG_SZ) return "(type " + std::to_string(value->type) + ")";
        return value->bytes.substr(0, value->bytes.find('\0'));
    }
};

TEST_F(RegistryTest, TextsAreStoredAsRegSzAndReadBackExactly) {
    std::string large(64 * 1024, 'x');
    large[1000] = 'y';
    for (const std::string& text : {std::string("2204"), std::string("C:\\Program Files\\Scrivlet\\Scrivlet.exe"),
                                    std::string("x"), std::string(), large}) {
        SCOPED_TRACE(text.substr(0, 60));
        modRegistry::WriteRegString(HKEY_CURRENT_USER, kKey, "V", text);
        EXPECT_EQ(Stored(kKey, "V"), text);
        Seed("Seeded", REG_SZ, text + '\0');
        EXPECT_EQ(Read("Seeded"), text);
    }
}

TEST_F(RegistryTest, ValuesOfOtherWritersAndTypes) {
    using namespace std::string_view_literals;
    const DWORD number = 203;
    const struct {
        const char* name;
        DWORD type;
        std::string_view bytes;
        const char* read;
    } cases[] = {
        {"NoNul", REG_SZ, "2204", "2204"},
        {"OnlyNul", REG_SZ, "\0"sv, ""},
        {"WithNul", REG_SZ, "abc\0"sv, "abc"},
        {"Expand", REG_EXPAND_SZ, "%TEMP%\0"sv, ""},
        {"Number", REG_DWORD, {reinterpret_cast<const char*>(&number), sizeof number}, ""},
        {"Inner", REG_SZ, "ab\0cd"sv, "ab"},
    };
    for (const auto& c : cases) {
        Seed(c.name, c.type, c.bytes);
        EXPECT_EQ(Read(c.name), c.read) << c.name;
    }
    EXPECT_EQ(Read("Missing"), "");
    EXPECT_EQ(modRegistry::ReadRegString(HKEY_CURRENT_USER, "Software\\Scrivlet\\NoSuchKey", "V"), "");
}

// The registry keeps every text as UTF-16, an earlier version's included: a
// name the machine's code page cannot hold comes back whole in the narrow calls' UTF-8.
TEST_F(RegistryTest, NamesInAnyScriptComeBackWhole) {
    const std::wstring wide = L"C:\\Users\\\u0141ukasz Dvo\u0159\u00e1k\\\u65e5\u8a18\\Scrivlet.exe";
    const std::string utf8 = "C:\\Users\\\xC5\x81ukasz Dvo\xC5\x99\xC3\xA1k\\\xE6\x97\xA5\xE8\xA8\x98\\Scrivlet.exe";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Scrivlet\\Test", L"Old", REG_SZ, wide.c_str(),
                              static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    EXPECT_EQ(Read("Old"), utf8);
    modRegistry::WriteRegString(HKEY_CURRENT_USER, kKey, "New", utf8);
    wchar_t stored[MAX_PATH] = {};
    DWORD size = sizeof stored;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Scrivlet\\Test", L"New", RRF_RT_REG_SZ, nullptr, stored, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(stored), wide);
}

TEST_F(RegistryTest, TrailingBackslashNamesTheSameKey) {
    modRegistry::WriteRegString(HKEY_CURRENT_USER, std::string(kKey) + "\\Deeper\\", "Location", "C:\\x.exe");
    EXPECT_EQ(Stored(std::string(kKey) + "\\Deeper", "Location"), "C:\\x.exe");
}

// --- the self-closing box ------------------------------------------------------

class TimedBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 10, 10, 80, 40, nullptr, nullptr,
                                 nullptr, nullptr);
        SetForegroundWindow(owner_);
    }
    void TearDown() override { DestroyWindow(owner_); }
    HWND owner_ = nullptr;
};

TEST_F(TimedBoxTest, ClosesItselfWithTheDefaultButton) {
    DialogScript watch({DialogScript::Watch(), DialogScript::Watch()});
    EXPECT_EQ(modMsgBox::TimedMsgBox(owner_, "text", "Closes itself", MB_OK, 1), IDOK);
    EXPECT_EQ(modMsgBox::TimedMsgBox(owner_, "text", "Second default", MB_YESNO | MB_DEFBUTTON2, 1), IDNO);
    ASSERT_EQ(watch.seen().size(), 2u);
    EXPECT_EQ(watch.seen()[0].caption, "Closes itself");
}

TEST_F(TimedBoxTest, EarlyAnswerEndsTheBoxAndTheLateTimerDoesNothing) {
    DialogScript script({DialogScript::Press(IDYES), DialogScript::Watch()});
    EXPECT_EQ(modMsgBox::TimedMsgBox(owner_, "text", "Early", MB_YESNO, 1), IDYES);
    // The old timer fires while another box is up: it must leave that box alone.
    HWND bystander = nullptr;
    testsupport::DeferredAction find(200ms, [&] { bystander = GetForegroundWindow(); });
    testsupport::DeferredAction close(2000ms, [&] {
        PostMessageA(bystander, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(MessageBoxA(owner_, "text", "Bystander", MB_OKCANCEL), IDCANCEL);
}

TEST_F(TimedBoxTest, DelayBeyondSixteenBitsIsRefused) {
    DialogScript script({DialogScript::Press(IDOK)});
    EXPECT_EQ(modMsgBox::TimedMsgBox(owner_, "text", "Thirty-two", MB_OK, 32), IDOK);
    EXPECT_THROW(modMsgBox::TimedMsgBox(owner_, "text", "Thirty-three", MB_OK, 33), std::overflow_error);
    EXPECT_THROW(modMsgBox::TimedMsgBox(owner_, "text", "Minus", MB_OK, -33), std::overflow_error);
    EXPECT_EQ(script.seen().size(), 1u);  // no box for a refused delay
}

TEST_F(TimedBoxTest, TwoThreadsCountingDownCloseOnlyTheirOwnBoxes) {
    // Both show boxes of the same title at the same time; each must close its own.
    auto countdown = [](int* result) {
        HWND owner = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 200, 10, 80, 40, nullptr,
                                     nullptr, nullptr, nullptr);
        *result = modMsgBox::TimedMsgBox(owner, "text", "Same title", MB_OK, 1) == IDOK ? 1 : 0;
        *result += modMsgBox::TimedMsgBox(owner, "text", "Same title", MB_OK, 1) == IDOK ? 1 : 0;
        DestroyWindow(owner);
    };
    int other = 0;
    std::thread second(countdown, &other);
    int mine = 0;
    countdown(&mine);
    second.join();
    EXPECT_EQ(mine, 2);
    EXPECT_EQ(other, 2);
}

using MinimizeNote = testsupport::NoteFixture;

TEST_F(MinimizeNote, ThreeNoticesCountingDownThenMinimized) {
    DialogScript watch({DialogScript::Watch(), DialogScript::Press(IDOK), DialogScript::Watch()});
    note.HandleMenuCommand(cmd::Minimize);
    ASSERT_EQ(watch.seen().size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(watch.seen()[static_cast<size_t>(i)].caption,
                  "Double Click to Restore.      Self Closing Box ( in " + std::to_string(3 - i) + " sec.)");
        EXPECT_EQ(watch.seen()[static_cast<size_t>(i)].text,
                  "Double Click the box in the bottom left, to restore Notes: \r\n  ");
    }
    EXPECT_EQ(note.LastNoticeAnswer, IDOK);
    EXPECT_TRUE(IsIconic(note.hWnd()));
}

// Keeps every dialog box of this thread from being created, counting the attempts.
class BoxBlocker {
public:
    BoxBlocker() {
        current_ = this;
        hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~BoxBlocker() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    int attempts = 0;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
        if (code == HCBT_CREATEWND && current_) {
            const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lp);
            const char* cls = create->lpcs->lpszClass;
            const bool dialog = IS_INTRESOURCE(cls) ? reinterpret_cast<ULONG_PTR>(cls) == 32770
                                                    : lstrcmpA(cls, "#32770") == 0;
            if (dialog) {
                ++current_->attempts;
                return 1;  // refuse the window: the box fails to appear
            }
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline BoxBlocker* current_ = nullptr;
    HHOOK hook_;
};

TEST_F(MinimizeNote, BoxesThatCannotAppearStopAfterThreeAndTheNoteStillGoesDown) {
    BoxBlocker blocker;
    note.HandleMenuCommand(cmd::Minimize);
    EXPECT_EQ(blocker.attempts, 3);
    EXPECT_EQ(note.LastNoticeAnswer, 0);
    EXPECT_TRUE(IsIconic(note.hWnd()));
}

// --- the input box, the program folder, whole files ----------------------------

TEST(InputBox, ReturnsTheTypedTextOrNothingOnCancel) {
    DialogScript script({DialogScript::Type("typed"), DialogScript::Type("ignored", IDCANCEL)});
    EXPECT_EQ(ui::InputBox("Prompt\r\nsecond line", "Title"), "typed");
    EXPECT_EQ(ui::InputBox("Prompt", ""), "");
    ASSERT_EQ(script.seen().size(), 2u);
    EXPECT_EQ(script.seen()[0].caption, "Title");
    EXPECT_EQ(script.seen()[1].caption, "Scrivlet");
}

TEST(ProgramFolder, IsTheExecutablesFolderWithoutABackslash) {
    EXPECT_EQ(ui::ProgramFolder(), testsupport::ExeFolder());
    EXPECT_NE(ui::ProgramFolder().back(), '\\');
}

TEST(TextFiles, WriteAppendReadAndMissingFiles) {
    const std::string folder = testsupport::ExeFolder() + "\\files-test";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\a.txt";
    DeleteFileA(path.c_str());
    std::string bytes;
    EXPECT_EQ(files::ReadFileBytes(path, bytes), FileStatus::NotFound);
    EXPECT_EQ(files::ReadFileBytes(folder + "\\no-folder\\a.txt", bytes), FileStatus::Failed);
    EXPECT_EQ(files::AppendFileBytes(path, "x"), FileStatus::NotFound);  // not created
    EXPECT_EQ(files::ReplaceFileBytes(path, "one\r\n"), FileStatus::Ok);
    EXPECT_EQ(files::AppendFileBytes(path, "two\r\n"), FileStatus::Ok);
    ASSERT_EQ(files::ReadFileBytes(path, bytes), FileStatus::Ok);
    EXPECT_EQ(bytes, "one\r\ntwo\r\n");
    EXPECT_EQ(files::ReplaceFileBytes(path, ""), FileStatus::Ok);
    ASSERT_EQ(files::ReadFileBytes(path, bytes), FileStatus::Ok);
    EXPECT_EQ(bytes, "");
    EXPECT_TRUE(DeleteFileA(path.c_str()));
    EXPECT_EQ(files::ReplaceFileBytes(folder + "\\no-folder\\a.txt", "x"), FileStatus::Failed);

    // Mended: a swap that moved the old file aside and could not move the new
    // one in left the name with no file. The old file goes back, else the new
    // one; where neither can, both stay and are named.
    const std::string temp = path + ".tmp", backup = path + ".old";
    struct Case {
        bool hasBackup, nameTaken;
        files::PutBack result;
        const char* under;  // what the name holds after; nullptr: both kept
    };
    for (const Case c : {Case{true, false, files::PutBack::OldText, "old"},
                         Case{false, false, files::PutBack::NewText, "new"},
                         Case{true, true, files::PutBack::Neither, nullptr}}) {
        SCOPED_TRACE(c.under ? c.under : "both kept");
        testsupport::WriteBytes(temp, "new");
        if (c.hasBackup) testsupport::WriteBytes(backup, "old");
        if (c.nameTaken) CreateDirectoryA(path.c_str(), nullptr);
        files::KeptFiles kept;
        EXPECT_EQ(files::PutBackAfterFailedSwap(testsupport::Widen(path), testsupport::Widen(temp),
                                                testsupport::Widen(backup), &kept),
                  c.result);
        if (c.under) {
            EXPECT_EQ(testsupport::ReadBytes(path), c.under);
            EXPECT_EQ(kept.oldText + kept.newText, "");
            EXPECT_EQ(GetFileAttributesA(backup.c_str()), INVALID_FILE_ATTRIBUTES);
        } else {
            EXPECT_EQ(kept.oldText, backup);
            EXPECT_EQ(kept.newText, temp);
            RemoveDirectoryA(path.c_str());
        }
        DeleteFileA(path.c_str());
        DeleteFileA(temp.c_str());
        DeleteFileA(backup.c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

// Mended: the system libraries loaded late were looked up by the search path,
// so a file of the same name in the program's or the current folder came first.
TEST(LateLoading, SystemLibrariesComeFromTheSystemFolderOnly) {
    const std::string planted = testsupport::ExeFolder() + "\\oleacc.dll";
    const HANDLE h = CreateFileA(planted.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD wrote = 0;
    WriteFile(h, "MZ planted", 10, &wrote, nullptr);
    CloseHandle(h);
    ASSERT_EQ(GetModuleHandleA("oleacc.dll"), nullptr);
    const HMODULE module = late::Library("oleacc.dll");
    DeleteFileA(planted.c_str());
    ASSERT_NE(module, nullptr);
    char file[MAX_PATH] = {}, system[MAX_PATH] = {};
    GetModuleFileNameA(module, file, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(lstrcmpiA((std::string(system) + "\\oleacc.dll").c_str(), file), 0) << file;
}

// The shipped manifest makes UTF-8 the code page of the narrow calls. Windows
// takes the value only in exactly this spelling; Wine takes any letter case.
TEST(AnsiText, TheManifestAsksForUtf8) {
    EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
    const unique_hmodule program(LoadLibraryExW(testsupport::Widen(testsupport::ExeFolder() + "\\scrivlet.exe").c_str(),
                                                nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(program);
    const HRSRC found = FindResourceW(program.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(program.get(), found))),
                               SizeofResource(program.get(), found));
    EXPECT_NE(manifest.find("<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">"
                            "UTF-8</activeCodePage>"),
              std::string::npos);
}

TEST(AnsiText, ConversionsTellWhatWasLost) {
    bool lossy = true;
    EXPECT_EQ(ui::ToMachineAnsi(L"plain", &lossy), "plain");
    EXPECT_FALSE(lossy);
    ui::ToMachineAnsi(L"\u4e2d\u6587", &lossy);
    EXPECT_TRUE(lossy);
    EXPECT_EQ(ui::FromUtf8(ui::ToUtf8(L"\u4e2d\u00e9")), L"\u4e2d\u00e9");
}

}  // namespace
