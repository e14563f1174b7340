#pragma once
// Drives a real common dialog of the test's thread from a thread of its own,
// as the system runs the dialog's modal loop on the test's thread: the folder
// dialog (selected by path or by item until its tree's caret shows the wanted
// text) and the open-file dialog (a path typed into its file-name box). Message
// boxes that follow are left to the test's own thread (DialogScript).
#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

class DialogDriver {
public:
    struct Result {
        bool found = false;              // the dialog appeared
        bool selected = false;           // the choice was made before OK
        std::vector<std::string> texts;  // the dialog's static texts
    };
    static DialogDriver CancelFolder() { return DialogDriver(Kind::Folder, {}, {}, nullptr); }
    static DialogDriver ChooseFolder(std::string path, std::string caretText) {
        return DialogDriver(Kind::Folder, std::move(path), std::move(caretText), nullptr);
    }
    static DialogDriver ChooseFolderItem(LPCITEMIDLIST item, std::string caretText) {
        return DialogDriver(Kind::Folder, {}, std::move(caretText), item);
    }
    // An empty path presses Cancel.
    static DialogDriver OpenFile(std::string path) { return DialogDriver(Kind::File, std::move(path), {}, nullptr); }

    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;
    ~DialogDriver();
    // Called once the call that showed the dialog has returned: stops waiting
    // and gives what the thread saw.
    Result Finish();

private:
    enum class Kind { Folder, File };
    DialogDriver(Kind kind, std::string path, std::string caretText, LPCITEMIDLIST item);
    void Run();
    HWND FindDialog() const;

    Kind kind_;
    DWORD uiThread_;
    std::string path_, caretText_;
    LPCITEMIDLIST item_;
    Result result_;
    std::atomic<bool> stop_{false};
    std::thread thread_;  // last: starts once every other member is set
};
