// The note's recovery copy: kept while the user works, removed when the note
// closes through its question or empties, and offered back after a note ended
// any other way.
#include "note/COutlookNote.h"

#include <commctrl.h>

#include <utility>

#include "platform/win/late_bound.h"
#include "platform/win/program_windows.h"

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

void COutlookNote::OnTextChanged() {
    if (!m_keepsText) return;
    // An emptied note has nothing to lose: its copy goes at once.
    if (GetWindowTextLengthW(rtbMain.hWnd()) == 0) {
        KillTimer(m_hwnd, kRecoveryTimer);
        m_unkeptSince.reset();
        m_recovery->Remove();
        return;
    }
    const ULONGLONG now = GetTickCount64();
    if (!m_unkeptSince) m_unkeptSince = now;
    // One timer, restarted by each change: the copy follows the user's pauses.
    SetTimer(m_hwnd, kRecoveryTimer, recovery::DelayBeforeWrite(now - *m_unkeptSince), nullptr);
}

void COutlookNote::OnTimer(UINT_PTR id) {
    if (id == kRecoveryTimer) {
        KeepText(false);
    } else if (id == kNoticeTimer) {
        KillTimer(m_hwnd, kNoticeTimer);
        if (m_notice) DestroyWindow(std::exchange(m_notice, nullptr));
    }
}

void COutlookNote::KeepText(bool now) {
    if (!m_recovery) return;
    KillTimer(m_hwnd, kRecoveryTimer);
    if (!m_keepsText || !std::exchange(m_unkeptSince, std::nullopt)) return;
    const std::wstring text = rtbMain.Text();
    if (text.empty() || text == kStartText) m_recovery->Remove();
    else if (now) m_recovery->KeepNow(text);
    else m_recovery->Keep(text);
}

void COutlookNote::OnRecoveryFailed() {
    // Told once per note, in a balloon that takes no keys: the user goes on typing.
    if (std::exchange(m_toldCopyFailed, true) || !m_hwnd) return;
    late::InitCommonControlsOnce();
    m_notice = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_BALLOON,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr,
                               ui::ProgramInstance(), nullptr);
    if (!m_notice) return;
    std::wstring text = L"The note's text could not be kept for recovery in " + m_recovery->Folder() +
                        L". The note goes on working and tries again after your next change.";
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = m_hwnd;
    tool.uId = 1;
    tool.lpszText = text.data();
    SendMessageW(m_notice, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(m_notice, TTM_SETMAXTIPWIDTH, 0, Scale(280));
    SendMessageW(m_notice, TTM_SETTITLEW, TTI_WARNING, reinterpret_cast<LPARAM>(L"Scrivlet"));
    POINT at{(DateRect.left + DateRect.right) / 2, DateRect.top};
    ClientToScreen(m_hwnd, &at);
    SendMessageW(m_notice, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    SendMessageW(m_notice, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    SetTimer(m_hwnd, kNoticeTimer, kNoticeMs, nullptr);
}

void COutlookNote::OfferRecoveredText() {
    if (!m_recovery) return;
    const auto offer = m_recovery->ClaimNewest();
    if (!offer) return;
    const std::wstring question = L"A note that ended without being closed left its text, kept on " +
                                  LocalDateTime(offer->written) + L":\n\n\"" + recovery::FirstWords(offer->text) +
                                  L"\"\n\nPut that text into this note?\n\nYes: put it in.\nNo: delete the kept "
                                  L"text.\nCancel: keep it and ask again at a later start.";
    const int answer = MessageBoxW(m_hwnd, question.c_str(), L"Scrivlet", MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES && m_hwnd) {
        rtbMain.SetText(offer->text);
        // Its copy holds that text already and becomes the note's own.
        KillTimer(m_hwnd, kRecoveryTimer);
        m_unkeptSince.reset();
        m_recovery->Adopt(*offer);
    } else if (answer == IDNO) {
        m_recovery->Discard(*offer);
    } else {
        m_recovery->Release(*offer);
    }
}
