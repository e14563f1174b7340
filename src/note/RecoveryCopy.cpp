#include "note/RecoveryCopy.h"

#include <shlobj.h>

#include <exception>
#include <vector>

#include "platform/text/ansi_text.h"
#include "platform/text_files.h"
#include "platform/win/handles.h"
#include "platform/win/late_bound.h"
#include "textfile/txt_rules.h"

namespace {

using txt::kUtf8Bom;

std::uint64_t Ticks(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME FileTimeOf(std::uint64_t ticks) {
    return {static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

// A process's start time; 0 where it cannot be read.
std::uint64_t StartOf(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    return GetProcessTimes(process, &created, &exited, &kernel, &user) ? Ticks(created) : 0;
}

recovery::Owner ThisProcess() { return {GetCurrentProcessId(), StartOf(GetCurrentProcess())}; }

bool Running(const recovery::Owner& owner) {
    const unique_handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, owner.pid));
    // A process that is there but not ours to ask about may be a note: its copy is left alone.
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    // A handle that someone still holds keeps an ended process's id taken.
    if (!GetExitCodeProcess(process.get(), &code) || code != STILL_ACTIVE) return false;
    const std::uint64_t started = StartOf(process.get());
    return started == 0 || started == owner.started;
}

// %LOCALAPPDATA%\Scrivlet\Recovery: the user's own, not roaming, profile folder.
std::wstring RecoveryFolder() {
    std::wstring local(MAX_PATH, L'\0');
    DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", local.data(), static_cast<DWORD>(local.size()));
    if (n >= local.size()) {
        local.resize(n);
        n = GetEnvironmentVariableW(L"LOCALAPPDATA", local.data(), n);
    }
    if (n > 0 && n < local.size()) {
        local.resize(n);
    } else {
        local.assign(MAX_PATH, L'\0');
        if (FAILED(late::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local.data())))
            return {};
        local.resize(local.find(L'\0'));
    }
    if (local.empty()) return {};
    if (local.back() == L'\\') local.pop_back();
    return local + L"\\Scrivlet\\Recovery";
}

// The core's conversion: runs of ASCII go straight through, a fraction of the
// system's cost for a note of mostly ASCII. It fails only for want of memory.
bool AppendUtf8(std::wstring_view text, std::string& out) {
    ui::AppendUtf8(text, out);
    return true;
}

// A scanner or an indexer may hold a file for a moment after it was written:
// what fails while it does is tried again for about a second.
template <class Attempt>
bool Retried(Attempt attempt) {
    constexpr int kTries = 10;
    constexpr DWORD kWaitMs = 100;
    for (int tries = 1;; ++tries) {
        if (attempt()) return true;
        if (tries == kTries) return false;
        Sleep(kWaitMs);
    }
}

// The text of a copy this program wrote: UTF-8 behind its mark, and not empty.
bool ReadText(const std::wstring& path, std::wstring& text) {
    const unique_hfile file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
                           got != bytes.size()))
        return false;
    if (!bytes.starts_with(kUtf8Bom) || bytes.size() == kUtf8Bom.size()) return false;
    const std::string_view body = std::string_view(bytes).substr(kUtf8Bom.size());
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, body.data(), static_cast<int>(body.size()), nullptr, 0) <= 0)
        return false;
    text = ui::FromUtf8(body);
    return true;
}

bool ReadCopy(const std::wstring& path, std::wstring& text) noexcept {
    try {
        return ReadText(path, text);
    } catch (const std::exception&) {  // too big for this process's memory: left where it is
        return false;
    }
}

}  // namespace

CRecoveryCopy::CRecoveryCopy(HWND notify, UINT result)
    : m_notify(notify), m_result(result), m_owner(ThisProcess()), m_folder(RecoveryFolder()) {}

CRecoveryCopy::~CRecoveryCopy() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

std::wstring CRecoveryCopy::PathOf(recovery::FileKind kind) const {
    return m_folder + L"\\" + recovery::NameOf({m_owner, kind});
}

void CRecoveryCopy::Keep(std::wstring text) {
    {
        const std::lock_guard lock(m_mutex);
        m_waiting = std::move(text);
        m_owed = true;
        if (!m_thread.joinable()) m_thread = std::thread(&CRecoveryCopy::Writer, this);
    }
    m_changed.notify_all();
}

bool CRecoveryCopy::KeepNow(std::wstring_view text) {
    const auto lock = Idle();
    m_owed = !Write(Convert(text));
    return !m_owed;
}

bool CRecoveryCopy::Owed() {
    const std::lock_guard lock(m_mutex);
    return m_owed;
}

void CRecoveryCopy::Remove() {
    const auto lock = Idle();
    m_owed = false;
    if (m_folder.empty()) return;
    Drop(PathOf(recovery::FileKind::Copy));
    if (m_claimLeft) m_claimLeft = !Drop(PathOf(recovery::FileKind::Claimed));
}

std::unique_lock<std::mutex> CRecoveryCopy::Idle() {
    std::unique_lock lock(m_mutex);
    m_waiting.reset();  // the caller's text is newer
    m_changed.wait(lock, [this] { return !m_writing; });
    return lock;
}

void CRecoveryCopy::Writer() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_waiting || m_stop; });
        if (m_stop) return;
        bool converted = false;
        {
            const std::wstring text = std::move(*m_waiting);
            m_waiting.reset();
            m_writing = true;
            lock.unlock();
            converted = Convert(text);
        }
        const bool written = Write(converted);
        lock.lock();
        m_writing = false;
        // On disk only when no newer text came meanwhile.
        if (!m_waiting) m_owed = !written;
        m_changed.notify_all();
    }
}

bool CRecoveryCopy::Convert(std::wstring_view text) { return recovery::CopyBytes(text, AppendUtf8, m_bytes); }

bool CRecoveryCopy::Write(bool converted) {
    bool written = false;
    if (converted && !m_folder.empty()) {
        try {
            // The copy is replaced whole by a flushed file: at every instant it holds a whole text.
            const std::wstring temporary = PathOf(recovery::FileKind::Temporary);
            const auto create = [&] {
                return unique_hfile(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
            };
            unique_hfile file = create();
            if (!file && GetLastError() == ERROR_PATH_NOT_FOUND) {  // the first copy, or the folder was removed
                CreateDirectoryW(m_folder.substr(0, m_folder.rfind(L'\\')).c_str(), nullptr);
                CreateDirectoryW(m_folder.c_str(), nullptr);
                file = create();
            }
            written = file && files::WriteAll(file.get(), m_bytes) == FileStatus::Ok;
            file.reset();
            written = written && MoveFileExW(temporary.c_str(), PathOf(recovery::FileKind::Copy).c_str(),
                                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
            if (!written) DeleteFileW(temporary.c_str());
        } catch (const std::exception&) {  // out of memory for a file name: not written
            written = false;
        }
    }
    if (m_notify) PostMessageW(m_notify, m_result, written, 0);
    return written;
}

bool CRecoveryCopy::Drop(const std::wstring& path) {
    if (Retried([&] {
            if (DeleteFileW(path.c_str())) return true;
            const DWORD error = GetLastError();
            return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        }))
        return true;
    // Held longer: under the temporary name the next start cleans it up; emptied, it is never offered.
    if (MoveFileExW(path.c_str(), PathOf(recovery::FileKind::Temporary).c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    const unique_hfile file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && FlushFileBuffers(file.get());
}

std::optional<CRecoveryCopy::Offer> CRecoveryCopy::ClaimNewest() {
    if (m_folder.empty()) return std::nullopt;
    std::vector<recovery::Found> files;
    WIN32_FIND_DATAW data{};
    const unique_hfind find(FindFirstFileW((m_folder + L"\\note-*").c_str(), &data));
    if (!find) return std::nullopt;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back({data.cFileName, Ticks(data.ftLastWriteTime)});
    } while (FindNextFileW(find.get(), &data));
    const recovery::Sorted sorted =
        recovery::SortFolder(files, [this](const recovery::Owner& owner) { return owner == m_owner || Running(owner); });
    for (const std::wstring& name : sorted.leftover) DeleteFileW((m_folder + L"\\" + name).c_str());
    for (const recovery::Found& found : sorted.offers) {
        Offer offer{{}, FileTimeOf(found.written), PathOf(recovery::FileKind::Claimed), m_folder + L"\\" + found.name};
        // The rename is the claim: of two notes starting together, only one gets each copy.
        if (!MoveFileExW(offer.original.c_str(), offer.claimed.c_str(), 0)) continue;
        if (ReadCopy(offer.claimed, offer.text)) return offer;
        Release(offer);  // not a text this program wrote: left as it is
    }
    return std::nullopt;
}

void CRecoveryCopy::Adopt(const Offer& offer) {
    const auto lock = Idle();
    const std::wstring copy = PathOf(recovery::FileKind::Copy);
    m_owed = false;
    if (Retried([&] {
            return MoveFileExW(offer.claimed.c_str(), copy.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
                   FALSE;
        }))
        return;
    // The claim stays held: the note's own copy is written, and only then is the claim dropped.
    m_owed = !Write(Convert(offer.text));
    m_claimLeft = m_owed || !Drop(offer.claimed);
}

void CRecoveryCopy::Discard(const Offer& offer) {
    if (!Drop(offer.claimed)) m_claimLeft = true;
}

void CRecoveryCopy::Release(const Offer& offer) { MoveFileExW(offer.claimed.c_str(), offer.original.c_str(), 0); }
