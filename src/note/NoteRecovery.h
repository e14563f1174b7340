#pragma once
// When the note keeps, removes and offers its recovery copy: the note calls it
// when its text changed, before a question, when the session ends, when it
// closed with Yes and when it has started. No call lets an exception out: a
// copy that cannot be made (a full disk, a note too big for memory) is told in
// a balloon, and the note goes on.
#include <windows.h>

#include <optional>
#include <string_view>

#include "note/RecoveryCopy.h"

class COutlookNote;

class CNoteRecovery {
public:
    // What the note passes on: its timers and the writer's results.
    static constexpr UINT kWriteResultMessage = WM_APP + 2;  // wParam: TRUE when written
    static constexpr UINT_PTR kPauseTimer = 1, kNoticeTimer = 2;

    // Made with the note's window; `startText` is the text every note starts with, never the user's.
    CNoteRecovery(COutlookNote& note, std::wstring_view startText);
    CNoteRecovery(const CNoteRecovery&) = delete;
    CNoteRecovery& operator=(const CNoteRecovery&) = delete;

    // The note is loaded and shown: its changes are kept from now on. After an
    // update restart or a crash Windows starts a new note, which offers the
    // copy of a note that ended without being closed.
    void Started();
    void Changed();
    // Before the exit question or the session's: what is not on disk is written, and waited for.
    void BeforeQuestion();
    // The session ends the note without its question.
    void SessionEnds();
    // Closed with Yes: the copy is never offered.
    void ClosedWithYes();

    void OnTimer(UINT_PTR id);
    void OnWriteResult(bool written);

private:
    // Runs a step; one that fails for want of memory is a copy not kept, and told.
    template <class Step>
    void Guard(Step step) noexcept;
    // Writes the text on the writer thread, or at once and waits for it.
    void Keep(bool now);
    // Asks whether to put in the text of a note that ended without being closed.
    void Offer();
    void Tell();

    COutlookNote& m_note;
    std::wstring_view m_startText;
    CRecoveryCopy m_copy;
    bool m_keeps = false;                   // from the start until the note closes with Yes
    std::optional<ULONGLONG> m_unkeptSince;  // tick of the first change not yet handed to a write
    bool m_told = false;                    // a failure was told; a write that succeeds ends it
    HWND m_notice = nullptr;  // borrowed: the balloon, destroyed with the note, its owner
};
