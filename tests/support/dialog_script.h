#pragma once
// Answers the dialog boxes of the current thread one after the other from a
// script: each box that activates takes the next step, a moment after it has
// settled, (optionally typing into
// its edit box first, then pressing a button) and is recorded. Boxes beyond
// the script are cancelled and recorded too, so a test never hangs on one.
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
        bool hadButton = false;
        HWND defaultButton = nullptr;
        int defaultButtonId = 0;
    };

    explicit DialogScript(std::vector<Step> steps);
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    static Step Press(int button) { return {button, {}, false}; }
    static Step Type(std::string text, int button = IDOK) { return {button, std::move(text), true}; }
    static Step Watch() { return {0, {}, false}; }

    const std::vector<Seen>& seen() const { return seen_; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp);
    static void CALLBACK Settled(HWND, UINT, UINT_PTR id, DWORD);
    void Notice(HWND box);
    void Answer(HWND box);

    HHOOK hook_ = nullptr;
    std::vector<Step> steps_;
    size_t next_ = 0;
    std::vector<Seen> seen_;
    std::vector<HWND> answered_;
    std::vector<HWND> pending_;
    UINT_PTR timer_ = 0;
    DialogScript* previous_ = nullptr;
};
