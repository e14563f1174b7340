#include "platform/text_files.h"

#include <algorithm>

#include "platform/handles.h"

namespace {

FileStatus StatusOfLastError() {
    return GetLastError() == ERROR_FILE_NOT_FOUND ? FileStatus::NotFound : FileStatus::Failed;
}

}  // namespace

FileStatus ReadFileBytes(const std::string& path, std::string& bytes) {
    unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return StatusOfLastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return FileStatus::Failed;
    std::string content(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < content.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), content.data() + done, static_cast<DWORD>(content.size() - done), &got, nullptr))
            return FileStatus::Failed;
        if (got == 0) break;
        done += got;
    }
    content.resize(done);
    bytes = std::move(content);
    return FileStatus::Ok;
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
