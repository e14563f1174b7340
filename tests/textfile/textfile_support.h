#pragma once
// Real folders and files for the text-file tests, and a second thread that
// drives the real folder dialog.
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tf {

// The root of the tests' folders; its name has a space in it.
inline constexpr char kRoot[] = "C:\\textfile tests";

// A fresh folder under `root`, removed with everything in it at the end.
class TestFolder {
public:
    explicit TestFolder(std::string_view name, std::string_view root = kRoot);
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    const std::string& path() const { return path_; }
    // The full path of a name inside the folder.
    std::string operator/(std::string_view name) const { return path_ + "\\" + std::string(name); }

private:
    std::string path_;
};

void RemoveTree(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);
// The file's bytes; `found` false when it cannot be read.
std::string ReadBytes(const std::string& path, bool* found = nullptr);
bool Exists(const std::string& path);
// The names in a folder, "." and ".." left out, sorted.
std::vector<std::string> Entries(const std::string& folder);

// The shell's display name of a path or of an item, as the folder tree shows it.
std::string DisplayName(const std::string& path);
std::string DisplayName(LPCITEMIDLIST item);

// Waits on a thread of its own for the folder dialog of `uiThread`, then
// either presses Cancel or selects a folder (by path or by item) until the
// tree's caret shows `caretText`, and presses OK.
class PickerDriver {
public:
    struct Result {
        bool found = false;     // the dialog appeared
        bool selected = false;  // the caret reached the wanted item before OK
        std::vector<std::string> texts;  // the dialog's static texts
    };
    static PickerDriver Cancel(DWORD uiThread) { return PickerDriver(uiThread, {}, {}, nullptr, true); }
    static PickerDriver Choose(DWORD uiThread, std::string path, std::string caretText) {
        return PickerDriver(uiThread, std::move(path), std::move(caretText), nullptr, false);
    }
    static PickerDriver ChooseItem(DWORD uiThread, LPCITEMIDLIST item, std::string caretText) {
        return PickerDriver(uiThread, {}, std::move(caretText), item, false);
    }
    PickerDriver(const PickerDriver&) = delete;
    PickerDriver& operator=(const PickerDriver&) = delete;
    ~PickerDriver();
    // Waits for the thread and gives what it saw.
    Result Finish();

private:
    PickerDriver(DWORD uiThread, std::string path, std::string caretText, LPCITEMIDLIST item, bool cancel);
    void Run();

    DWORD uiThread_;
    std::string path_, caretText_;
    LPCITEMIDLIST item_;
    bool cancel_;
    Result result_;
    std::thread thread_;  // last: starts once every other member is set
};

}  // namespace tf
