#include "platform/text_files.h"

#include <algorithm>

#include "platform/handles.h"
#include "platform/ansi_text.h"

namespace files {

namespace {

FileStatus StatusOfLastError() {
    return GetLastError() == ERROR_FILE_NOT_FOUND ? FileStatus::NotFound : FileStatus::Failed;
}

}  // namespace

FileStatus ReadFileBytes(const std::string& path, std::string& bytes) {
    return ReadFileHead(path, static_cast<size_t>(0x7FFFFFFF), bytes);
}

namespace {

// The folder part of a path, with its last backslash (or slash) kept so that
// a drive root stays a root; "." for a bare name.
std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos) return path.substr(0, slash + 1);
    if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2);
    return L".";
}

FileStatus WriteAll(HANDLE file, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD wrote = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        if (!WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) return FileStatus::Failed;
        done += wrote;
    }
    return FlushFileBuffers(file) ? FileStatus::Ok : FileStatus::Failed;
}

}  // namespace

FileStatus ReadFileHead(const std::string& path, size_t count, std::string& head) {
    unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return StatusOfLastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return FileStatus::Failed;
    std::string content(std::min<size_t>(count, static_cast<size_t>(size.QuadPart)), '\0');
    size_t done = 0;
    while (done < content.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), content.data() + done, static_cast<DWORD>(content.size() - done), &got, nullptr))
            return FileStatus::Failed;
        if (got == 0) break;
        done += got;
    }
    content.resize(done);
    head = std::move(content);
    return FileStatus::Ok;
}

namespace {

// The file that a name finally leads to, through any links, in its plain form;
// the name itself where the system cannot say. Empty, with the system's error,
// when the name leads to no file.
std::wstring FinalPathOf(const std::wstring& name) {
    const unique_hfile file(CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return {};
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetFinalPathNameByHandleW(file.get(), path.data(), static_cast<DWORD>(path.size()),
                                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) return name;
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(n);
    }
    constexpr std::wstring_view kLong = L"\\\\?\\", kLongUnc = L"\\\\?\\UNC\\";
    if (path.starts_with(kLongUnc)) return L"\\\\" + path.substr(kLongUnc.size());
    if (path.starts_with(kLong)) return path.substr(kLong.size());
    return path;
}

// Puts the written temporary file in the old file's place, keeping the old
// file's attributes, security, creation time and streams. Whatever fails, the
// old file stays whole under its name; a volume that cannot replace that way
// gets a plain move.
bool SwapIn(const std::wstring& target, const std::wstring& temp) {
    // With a backup name ReplaceFileW never leaves the old file deleted.
    const std::wstring backup = temp + L".old";
    if (ReplaceFileW(target.c_str(), temp.c_str(), backup.c_str(),
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr)) {
        DeleteFileW(backup.c_str());
        return true;
    }
    switch (GetLastError()) {
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:  // the old file stands under the backup name
        MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
        return false;
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_PARAMETER:
        return MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    default:
        return false;
    }
}

}  // namespace

FileStatus ReplaceFileBytes(const std::string& path, std::string_view bytes) {
    const std::wstring name = ui::FromAnsi(path);
    // A link is written through: the file it leads to takes the new text.
    std::wstring target = FinalPathOf(name);
    const bool exists = !target.empty();
    if (!exists) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return FileStatus::Failed;  // no folder, bad name
        target = name;
    } else if (GetFileAttributesW(target.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
        return FileStatus::Failed;  // a read-only file may not be deleted, so not replaced either (Wine as root would)
    }
    wchar_t temp[MAX_PATH] = {};
    if (!GetTempFileNameW(FolderOf(target).c_str(), L"scr", 0, temp)) return FileStatus::Failed;
    FileStatus status = FileStatus::Failed;
    {
        unique_hfile file(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
        if (file) status = WriteAll(file.get(), bytes);
    }  // closed before the move
    if (status == FileStatus::Ok) {
        const bool placed = exists ? SwapIn(target, temp)
                                   : MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!placed) status = FileStatus::Failed;
    }
    if (status != FileStatus::Ok) DeleteFileW(temp);
    return status;
}

FileStatus AppendFileBytes(const std::string& path, std::string_view bytes) {
    // Said here as well as by the system: Wine run by root writes read-only files.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return FileStatus::Failed;
    unique_hfile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return StatusOfLastError();
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(file.get(), LARGE_INTEGER{}, &end, FILE_END)) return FileStatus::Failed;
    const FileStatus status = WriteAll(file.get(), bytes);
    if (status != FileStatus::Ok) {
        // Cut back what did get written: the file keeps exactly its old bytes.
        SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN);
        SetEndOfFile(file.get());
    }
    return status;
}

}  // namespace files
