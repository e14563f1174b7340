#include "platform/text_files.h"

#include <algorithm>

#include "platform/handles.h"

namespace {

FileStatus StatusOfLastError() {
    return GetLastError() == ERROR_FILE_NOT_FOUND ? FileStatus::NotFound : FileStatus::Failed;
}

}  // namespace

FileStatus ReadFileBytes(const std::string& path, std::string& bytes) {
    return ReadFileHead(path, static_cast<size_t>(0x7FFFFFFF), bytes);
}

FileStatus WriteFileBytes(const std::string& path, std::string_view bytes, bool append) {
    unique_hfile file(CreateFileA(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, FILE_SHARE_READ,
                                  nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return StatusOfLastError();
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD wrote = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        if (!WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0)
            return FileStatus::Failed;
        done += wrote;
    }
    return FlushFileBuffers(file.get()) ? FileStatus::Ok : FileStatus::Failed;
}

FileStatus DeleteFileAt(const std::string& path) {
    return DeleteFileA(path.c_str()) ? FileStatus::Ok : StatusOfLastError();
}

namespace {

// The folder part of a path, with its last backslash (or slash) kept so that
// a drive root stays a root; "." for a bare name.
std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos) return path.substr(0, slash + 1);
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    return ".";
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
    if (file.get() == INVALID_HANDLE_VALUE) return StatusOfLastError();
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

FileStatus ReplaceFileBytes(const std::string& path, std::string_view bytes) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return FileStatus::Failed;  // no folder, bad name
    } else if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
        return FileStatus::Failed;  // a read-only file may not be deleted, so not replaced either (Wine as root would)
    }
    char temp[MAX_PATH] = {};
    if (!GetTempFileNameA(FolderOf(path).c_str(), "scr", 0, temp)) return FileStatus::Failed;
    FileStatus status = FileStatus::Failed;
    {
        unique_hfile file(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
        if (file.get() != INVALID_HANDLE_VALUE) status = WriteAll(file.get(), bytes);
    }  // closed before the move
    if (status == FileStatus::Ok &&
        !MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        status = FileStatus::Failed;
    if (status != FileStatus::Ok) DeleteFileA(temp);
    return status;
}

FileStatus AppendFileBytes(const std::string& path, std::string_view bytes) {
    // Said here as well as by the system: Wine run by root writes read-only files.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return FileStatus::Failed;
    unique_hfile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return StatusOfLastError();
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
