#include "textfile/clsFindFile.h"

#include <cwchar>

#include "platform/text/ansi_text.h"
#include "platform/win/message_boxes.h"
#include "platform/text/user_dates.h"
#include "textfile/ole_date.h"

namespace {

// A fixed-size name field up to its first NUL.
template <size_t N>
std::string NameField(const wchar_t (&field)[N]) {
    return ui::ToNarrow(std::wstring_view(field, wcsnlen(field, N)));
}

}  // namespace

std::uint32_t clsFindFile::FileAttributes() const { return IsOpen() ? m_FindData.dwFileAttributes : 0; }

bool clsFindFile::IsCompressed() const {
    return IsOpen() && (m_FindData.dwFileAttributes & FILE_ATTRIBUTE_COMPRESSED) != 0;
}

std::string clsFindFile::Find(std::string_view strFile, bool blnShowError) {
    if (IsOpen()) {
        if (blnShowError && ui::MsgBox("Cancel the current search?", MB_YESNO | MB_ICONQUESTION) == IDNO) return {};
        CloseFind();
    }
    m_hFind.reset(FindFirstFileW(ui::FromNarrow(strFile).c_str(), &m_FindData));
    if (!m_hFind) {
        if (blnShowError) ui::MsgBox(std::string(strFile) + " could not be found!", MB_OK | MB_ICONEXCLAMATION);
        return {};
    }
    return NameField(m_FindData.cFileName);
}

std::string clsFindFile::FindNext() {
    if (!IsOpen()) return {};
    if (FindNextFileW(m_hFind.get(), &m_FindData)) return NameField(m_FindData.cFileName);
    CloseFind();
    return {};
}

void clsFindFile::CloseFind() { m_hFind.reset(); }

std::string clsFindFile::GetShortName() const {
    if (!IsOpen()) return {};
    std::string name = NameField(m_FindData.cAlternateFileName);
    return name.empty() ? NameField(m_FindData.cFileName) : name;
}

std::string clsFindFile::GetCreationDate(DATE& datDate, DATE& datTime) const {
    return DateText(m_FindData.ftCreationTime, datDate, datTime);
}

std::string clsFindFile::GetLastAccessDate(DATE& datDate, DATE& datTime) const {
    return DateText(m_FindData.ftLastAccessTime, datDate, datTime);
}

std::string clsFindFile::GetLastWriteDate(DATE& datDate, DATE& datTime) const {
    return DateText(m_FindData.ftLastWriteTime, datDate, datTime);
}

SYSTEMTIME clsFindFile::FileTimeToDate(const FILETIME& stamp) {
    FILETIME local{};
    SYSTEMTIME result{};
    FileTimeToLocalFileTime(&stamp, &local);
    FileTimeToSystemTime(&local, &result);
    return result;
}

std::string clsFindFile::DateText(const FILETIME& stamp, DATE& datDate, DATE& datTime) const {
    if (!IsOpen()) return {};
    if (stamp.dwHighDateTime == 0) return m_strUnknownDateText;  // only the high half is tested
    const SYSTEMTIME t = FileTimeToDate(stamp);
    datDate = oledate::DateSerial(t.wYear, t.wMonth, t.wDay);
    datTime = oledate::TimeSerial(t.wHour, t.wMinute, t.wSecond);
    return ui::FormatTime(m_strDateFormat, t);  // the parts of datDate + datTime, milliseconds dropped
}
