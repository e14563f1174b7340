#pragma once
// One directory search of the system (FindFirstFile, FindNextFile,
// FindClose), and what it found last: name, short name, attributes and the
// three time stamps, those also as text in the local time zone. Names come and
// go in the narrow calls' code page; the search itself is wide, since a
// name of 255 characters may take 765 bytes of UTF-8, where the narrow record
// holds 260.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/win/handles.h"

class clsFindFile {
public:
    clsFindFile() = default;
    ~clsFindFile() = default;  // the open search, if any, closes with m_hFind
    clsFindFile(const clsFindFile&) = delete;
    clsFindFile& operator=(const clsFindFile&) = delete;

    // Write-only properties.
    void DateFormat(std::string_view strDateFormat) { m_strDateFormat = strDateFormat; }
    void UnknownDateText(std::string_view strUnknownDateText) { m_strUnknownDateText = strUnknownDateText; }

    // dwFileAttributes of the last entry while a search is open, else 0.
    std::uint32_t FileAttributes() const;
    // True only while a search is open and the last entry is compressed.
    bool IsCompressed() const;
    // Always FILE_ATTRIBUTE_NORMAL (128).
    std::uint32_t NormalAttribute() const { return FILE_ATTRIBUTE_NORMAL; }

    // Starts a search for a path with wildcards and gives the first name, or
    // "". An open search is closed first; with blnShowError the user is asked,
    // and a failed start is told.
    std::string Find(std::string_view strFile, bool blnShowError);
    // The next name, or "" (the search then closes).
    std::string FindNext();
    std::string GetShortName() const;
    // The time stamp as text in m_strDateFormat; datDate and datTime get its
    // date and time of day. "" with no search open, m_strUnknownDateText for a
    // stamp the file system does not keep (both left untouched then).
    std::string GetCreationDate(DATE& datDate, DATE& datTime) const;
    std::string GetLastAccessDate(DATE& datDate, DATE& datTime) const;
    std::string GetLastWriteDate(DATE& datDate, DATE& datTime) const;

private:
    void CloseFind();
    static SYSTEMTIME FileTimeToDate(const FILETIME& stamp);
    std::string DateText(const FILETIME& stamp, DATE& datDate, DATE& datTime) const;
    bool IsOpen() const { return static_cast<bool>(m_hFind); }

    unique_hfind m_hFind;  // empty when no search is open
    std::string m_strDateFormat = "m/d/yy h:nn:ss AM/PM";
    std::string m_strUnknownDateText = "Unknown";
    WIN32_FIND_DATAW m_FindData{};
};
