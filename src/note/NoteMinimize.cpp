// "Minimize": a countdown of self-closing notices before the note goes down.
#include "note/COutlookNote.h"
#include "platform/modMsgBox.h"

namespace {
constexpr char kNoticeText[] = "Double Click the box in the bottom left, to restore Notes: \r\n  ";
constexpr int kMaxFailedNotices = 3;
}  // namespace

void COutlookNote::MinimizeNote() {
    LastNoticeAnswer = 0;
    std::int16_t counter = 3;
    int failedInARow = 0;
    do {
        const std::string title =
            "Double Click to Restore.      Self Closing Box ( in " + std::to_string(counter) + " sec.)";
        LastNoticeAnswer = modMsgBox::TimedMsgBox(m_hwnd, kNoticeText, title, MB_OK | MB_ICONEXCLAMATION, 1);
        --counter;
        // Boxes that keep failing to appear must not hold the note up for ever.
        failedInARow = LastNoticeAnswer == 0 ? failedInARow + 1 : 0;
        if (failedInARow >= kMaxFailedNotices) return;
    } while (LastNoticeAnswer == 0 || counter > 0);
}
