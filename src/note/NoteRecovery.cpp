// The note's recovery copy: kept while the user works, removed when the note
// closes through its question or empties, and offered back after a note ended
// any other way.
#include "note/NoteRecovery.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "note/COutlookNote.h"
#include "platform/win/dpi.h"
#include "platform/win/late_bound.h"
#include "platform/win/program_windows.h"
#include "platform/win/units.h"

namespace {

constexpr UINT kNoticeMs = 15000;

// "Tuesday, 8 December 2026 14:05" in the user's formats and time zone.
std::wstring LocalDateTime(const FILETIME& written) {
    SYSTEMTIME utc{}, local{};
    if (!FileTimeToSystemTime(&written, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return {};
    wchar_t date[128] = {}, time[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &local, nullptr, date, 128);
    GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, time, 64);
    return std::wstring(date) + L" " + time;
}

}  // namespace

CNoteRecovery::CNoteRecovery(COutlookNote& note, std::wstring_view startText)
    : m_note(note), m_startText(startText), m_copy(note.hWnd(), kWriteResultMessage) {}

template <class Step>
void CNoteRecovery::Guard(Step step) noexcept {
    try {
        step();
    } catch (...) {  // out of memory, most likely for a huge note: no copy, and the note goes on
        Tell();
    }
}

void CNoteRecovery::Started() {
    m_keeps = true;
    late::RegisterApplicationRestart(nullptr, 0);
    Guard([this] { Offer(); });
}

void CNoteRecovery::Changed() {
    if (!m_keeps) return;
    const HWND note = m_note.hWnd();
    // An emptied note has nothing to lose: its copy goes at once.
    if (GetWindowTextLengthW(m_note.rtbMain.hWnd()) == 0) {
        KillTimer(note, kPauseTimer);
        m_unkeptSince.reset();
        Guard([this] { m_copy.Remove(); });
        return;
    }
    const ULONGLONG now = GetTickCount64();
    if (!m_unkeptSince) m_unkeptSince = now;
    // One timer, restarted by each change: the copy follows the user's pauses.
    SetTimer(note, kPauseTimer, recovery::DelayBeforeWrite(now - *m_unkeptSince), nullptr);
}

void CNoteRecovery::BeforeQuestion() {
    Guard([this] { Keep(true); });
}

void CNoteRecovery::SessionEnds() {
    Guard([this] { Keep(true); });
}

void CNoteRecovery::ClosedWithYes() {
    m_keeps = false;
    KillTimer(m_note.hWnd(), kPauseTimer);
    m_unkeptSince.reset();
    Guard([this] { m_copy.Remove(); });
}

void CNoteRecovery::OnTimer(UINT_PTR id) {
    if (id == kPauseTimer) {
        Guard([this] { Keep(false); });
    } else if (id == kNoticeTimer) {
        KillTimer(m_note.hWnd(), kNoticeTimer);
        if (m_notice) DestroyWindow(std::exchange(m_notice, nullptr));
    }
}

void CNoteRecovery::OnWriteResult(bool written) {
    if (written) m_told = false;  // a later failure is news again
    else Tell();
}

void CNoteRecovery::Keep(bool now) {
    KillTimer(m_note.hWnd(), kPauseTimer);
    if (!m_keeps) return;
    // Owed: a change not yet handed to a write, or, for a keep that waits, a write not yet on disk.
    if (!m_unkeptSince && !(now && m_copy.Owed())) return;
    std::wstring text = m_note.rtbMain.Text();
    m_unkeptSince.reset();
    if (text.empty() || text == m_startText) m_copy.Remove();
    else if (now) m_copy.KeepNow(text);
    else m_copy.Keep(std::move(text));
}

void CNoteRecovery::Offer() {
    const HWND note = m_note.hWnd();
    const auto offer = m_copy.ClaimNewest();
    if (!offer) return;
    int answer = IDCANCEL;
    try {
        const std::wstring question = L"A note that ended without being closed left its text, kept on " +
                                      LocalDateTime(offer->written) + L":\n\n\"" + recovery::FirstWords(offer->text) +
                                      L"\"\n\nPut that text into this note?\n\nYes: put it in.\nNo: delete the kept "
                                      L"text.\nCancel: keep it and ask again at a later start.";
        answer = MessageBoxW(note, question.c_str(), L"Scrivlet", MB_YESNOCANCEL | MB_ICONQUESTION);
    } catch (...) {  // no memory for the question: the copy waits for a later start
        m_copy.Release(*offer);
        return;
    }
    if (answer == IDYES && IsWindow(note)) {
        if (m_note.rtbMain.SetText(offer->text)) {
            // The start text was never the user's: the text brought back is the note's first, with nothing
            // to undo, so no undo leaves the copy to be removed as the start text's.
            SendMessageW(m_note.rtbMain.hWnd(), EM_EMPTYUNDOBUFFER, 0, 0);
            KillTimer(note, kPauseTimer);
            m_unkeptSince.reset();
            // Its copy holds that text already and becomes the note's own.
            m_copy.Adopt(*offer);
        } else {
            m_copy.Release(*offer);  // the whole text stays in its copy, offered again later
            Changed();               // what the note took is its own
        }
    } else if (answer == IDNO) {
        m_copy.Discard(*offer);
    } else {
        m_copy.Release(*offer);
    }
}

void CNoteRecovery::Tell() {
    // In a balloon that takes no keys, once until a copy is written again: the user goes on typing.
    const HWND note = m_note.hWnd();
    if (m_told || !IsWindow(note)) return;
    m_told = true;
    try {
        late::InitCommonControlsOnce();
        if (m_notice) DestroyWindow(std::exchange(m_notice, nullptr));
        m_notice = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_BALLOON,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, note, nullptr,
                                   ui::ProgramInstance(), nullptr);
        if (!m_notice) return;
        std::wstring text = L"The note's text could not be kept for recovery in " + m_copy.Folder() +
                            L". The note goes on working and tries again after your next change.";
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        tool.hwnd = note;
        tool.uId = 1;
        tool.lpszText = text.data();
        SendMessageW(m_notice, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageW(m_notice, TTM_SETMAXTIPWIDTH, 0, ScaleForDpi(280, ui::WindowDpi(note)));
        SendMessageW(m_notice, TTM_SETTITLEW, TTI_WARNING, reinterpret_cast<LPARAM>(L"Scrivlet"));
        const Rect& date = m_note.DateRect;
        POINT at{(date.left + date.right) / 2, date.top};
        ClientToScreen(note, &at);
        SendMessageW(m_notice, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
        SendMessageW(m_notice, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
        SetTimer(note, kNoticeTimer, kNoticeMs, nullptr);
    } catch (...) {  // no memory even for the notice: the note goes on
    }
}
