#include "note/RecoveryCopy.h"

#include <shlobj.h>

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

// The copy's bytes: UTF-8 behind its mark, converted in one pass into room for the longest form.
std::string CopyBytes(std::wstring_view text) {
    std::string bytes(kUtf8Bom.size() + 3 * text.size(), '\0');
    bytes.replace(0, kUtf8Bom.size(), kUtf8Bom);
    const int n = text.empty() ? 0
                               : WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                     bytes.data() + kUtf8Bom.size(),
                                                     static_cast<int>(bytes.size() - kUtf8Bom.size()), nullptr, nullptr);
    bytes.resize(kUtf8Bom.size() + static_cast<size_t>(n > 0 ? n : 0));
    return bytes;
}

// The text of a copy this program wrote: UTF-8 behind its mark, and not empty.
bool ReadCopy(const std::wstring& path, std::wstring& text) {
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

}  // namespace

CRecoveryCopy::CRecoveryCopy(HWND notify, UINT failed)
    : m_notify(notify), m_failed(failed), m_owner(ThisProcess()), m_folder(RecoveryFolder()) {}

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

void CRecoveryCopy::Keep(std::wstring_view text) {
    std::string bytes = CopyBytes(text);
    {
        const std::lock_guard lock(m_mutex);
        m_waiting = std::move(bytes);
        if (!m_thread.joinable()) m_thread = std::thread(&CRecoveryCopy::Writer, this);
    }
    m_changed.notify_all();
}

bool CRecoveryCopy::KeepNow(std::wstring_view text) {
    const auto lock = Idle();
    return Write(CopyBytes(text));
}

void CRecoveryCopy::Remove() {
    const auto lock = Idle();
    if (!m_folder.empty()) DeleteFileW(PathOf(recovery::FileKind::Copy).c_str());
}

std::unique_lock<std::mutex> CRecoveryCopy::Idle() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_waiting && !m_writing; });
    return lock;
}

void CRecoveryCopy::Writer() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_waiting || m_stop; });
        if (m_stop) return;
        const std::string bytes = std::move(*m_waiting);
        m_waiting.reset();
        m_writing = true;
        lock.unlock();
        Write(bytes);
        lock.lock();
        m_writing = false;
        m_changed.notify_all();
    }
}

bool CRecoveryCopy::Write(const std::string& bytes) {
    bool written = false;
    if (!m_folder.empty()) {
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
        written = file && files::WriteAll(file.get(), bytes) == FileStatus::Ok;
        file.reset();
        written = written && MoveFileExW(temporary.c_str(), PathOf(recovery::FileKind::Copy).c_str(),
                                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!written) DeleteFileW(temporary.c_str());
    }
    if (!written) PostMessageW(m_notify, m_failed, 0, 0);
    return written;
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
    MoveFileExW(offer.claimed.c_str(), PathOf(recovery::FileKind::Copy).c_str(),
                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

void CRecoveryCopy::Discard(const Offer& offer) { DeleteFileW(offer.claimed.c_str()); }

void CRecoveryCopy::Release(const Offer& offer) { MoveFileExW(offer.claimed.c_str(), offer.original.c_str(), 0); }
