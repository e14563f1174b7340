#pragma once
// Answers the message boxes and the input box of the current thread one after
// the other: each box that activates takes the next step a moment after it has
// settled (so its default button is set), optionally typing into its edit box
// first, then pressing a button, and is recorded. Boxes beyond the steps take
// `otherwise`, so a test never hangs on one. Other dialogs of the thread, such
// as the folder and file dialogs, are left alone.
#include <windows.h>

#include <string>
#include <vector>

class DialogScript {
public:
    struct Step {
        int button = IDOK;  // 0: leave the box alone (it closes by itself)
        std::string editText;
        bool typeText = false;
    };
    struct Seen {
        std::string caption;
        std::string text;
        UINT flags = 0;          // MB_OK / MB_OKCANCEL / MB_YESNO / MB_YESNOCANCEL plus the icon, read back
        bool hadButton = false;  // the button pressed was one of the box's own
        HWND defaultButton = nullptr;
        int defaultButtonId = 0;
        HWND owner = nullptr;
    };

    explicit DialogScript(std::vector<Step> steps, Step otherwise = Press(IDCANCEL));
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    static Step Press(int button) { return {button, {}, false}; }
    static Step Type(std::string text, int button = IDOK) { return {button, std::move(text), true}; }
    static Step Watch() { return {0, {}, false}; }
    // One press for each button, in order.
    static std::vector<Step> Presses(const std::vector<int>& buttons);

    const std::vector<Seen>& seen() const { return seen_; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp);
    static void CALLBACK Settled(HWND, UINT, UINT_PTR id, DWORD);
    void Notice(HWND box);
    void Answer(HWND box);

    HHOOK hook_ = nullptr;
    std::vector<Step> steps_;
    Step otherwise_;
    size_t next_ = 0;
    std::vector<Seen> seen_;
    std::vector<HWND> answered_;
    std::vector<HWND> pending_;
    UINT_PTR timer_ = 0;
    DialogScript* previous_ = nullptr;
};
