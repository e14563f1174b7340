#pragma once
// Answers the message boxes of the current thread, in order, and records each
// one's caption, text and flags (buttons and icon as read back from the box).
// Other dialogs of the thread, such as the folder dialog, are left alone.
#include <windows.h>

#include <string>
#include <vector>

class BoxWatcher {
public:
    struct Box {
        std::string caption;
        std::string text;
        UINT flags = 0;          // MB_OK / MB_YESNO / MB_YESNOCANCEL plus the icon
        bool hadButton = false;  // the answer given was one of the box's buttons
    };

    // The n-th box gets answers[n]; every later one `otherwise`.
    explicit BoxWatcher(std::vector<int> answers = {}, int otherwise = IDOK);
    ~BoxWatcher();
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;

    const std::vector<Box>& boxes() const { return boxes_; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp);
    void Answer(HWND box);

    HHOOK hook_ = nullptr;
    std::vector<int> answers_;
    int otherwise_;
    std::vector<Box> boxes_;
    std::vector<HWND> answered_;  // activation can repeat for one box
    BoxWatcher* previous_ = nullptr;
};
