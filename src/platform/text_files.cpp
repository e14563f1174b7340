#include "platform/text_files.h"

#include <algorithm>

#include "platform/win/handles.h"
#include "platform/text/ansi_text.h"

namespace files {

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

namespace {

constexpr std::wstring_view kLong = L"\\\\?\\", kLongUnc = L"\\\\?\\UNC\\";
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

FileStatus StatusOfLastError() {
    return GetLastError() == ERROR_FILE_NOT_FOUND ? FileStatus::NotFound : FileStatus::Failed;
}

FileStatus ReadAll(HANDLE file, size_t count, std::string& bytes) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart > 0x7FFFFFFF) return FileStatus::Failed;
    std::string content(std::min<size_t>(count, static_cast<size_t>(size.QuadPart)), '\0');
    size_t done = 0;
    while (done < content.size()) {
        DWORD got = 0;
        if (!ReadFile(file, content.data() + done, static_cast<DWORD>(content.size() - done), &got, nullptr))
            return FileStatus::Failed;
        if (got == 0) return FileStatus::Failed;  // the file shrank: part of it is not the file
        done += got;
    }
    bytes = std::move(content);
    return FileStatus::Ok;
}

// The whole file becomes `bytes`, flushed, through a handle open for
// writing; Untouched when it failed before the file changed.
enum class Overwritten { Done, Untouched, Damaged };
Overwritten Overwrite(HANDLE file, std::string_view bytes) {
    if (!SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN) || !SetEndOfFile(file))
        return Overwritten::Untouched;
    return WriteAll(file, bytes) == FileStatus::Ok ? Overwritten::Done : Overwritten::Damaged;
}

// A path as the user knows it, without the long-path prefix.
std::wstring Plain(const std::wstring& path) {
    if (path.starts_with(kLongUnc)) return L"\\\\" + path.substr(kLongUnc.size());
    if (path.starts_with(kLong)) return path.substr(kLong.size());
    return path;
}

// The full long form of a path: names made beside a file then fit wherever
// the file's own name does. Empty where the path has no full form.
std::wstring LongForm(const std::wstring& path) {
    const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return {};
    std::wstring full(n, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), n, full.data(), nullptr));
    if (full.starts_with(kLong)) return full;
    if (full.starts_with(L"\\\\")) return std::wstring(kLongUnc) + full.substr(2);
    return std::wstring(kLong) + full;
}

// The folder part of a full path, with its last backslash.
std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\') + 1); }

struct FoundFile {
    std::wstring path;  // long form; empty, with the system's error, when the name leads to no file
    DWORD links = 0;
};

// The file that a name finally leads to, through any links, and how many
// names it has.
FoundFile FindFile(const std::wstring& name) {
    const unique_hfile file(CreateFileW(name.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                        nullptr));
    if (!file) return {};
    FoundFile found{name, 1};
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(file.get(), &info)) found.links = info.nNumberOfLinks;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetFinalPathNameByHandleW(file.get(), path.data(), static_cast<DWORD>(path.size()),
                                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) return found;
        const bool fits = n < path.size();
        path.resize(n);
        if (fits) break;
    }
    found.path = LongForm(path);
    if (found.path.empty()) found.path = name;
    return found;
}

// A new, empty file of its own beside `target`, with a short name.
unique_hfile CreateBeside(const std::wstring& target, std::wstring& name) {
    static unsigned counter = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (int attempt = 0; attempt < 64; ++attempt) {
        wchar_t leaf[16];
        swprintf(leaf, 16, L"~scr%04X.tmp", ++counter & 0xFFFF);
        name = FolderOf(target) + leaf;
        unique_hfile file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return unique_hfile();
}

// Removes a name this program reserved, unless something has since put bytes there.
void DeleteIfEmpty(const std::wstring& name) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeHigh == 0 &&
        data.nFileSizeLow == 0)
        DeleteFileW(name.c_str());
}

// A file's name as the user is told it.
std::string Shown(const std::wstring& path) { return ui::ToNarrow(Plain(path)); }

// Writes over the file's own bytes, so it keeps its identity and whatever
// holds it; a copy of the old bytes stays beside it until the new ones are
// flushed, and puts them back if the write fails.
FileStatus WriteInPlace(const std::wstring& target, std::string_view bytes, KeptFiles* kept) {
    const unique_hfile file(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string old;
    if (!file || ReadAll(file.get(), static_cast<size_t>(0x7FFFFFFF), old) != FileStatus::Ok) return FileStatus::Failed;
    std::wstring copyName;
    {
        const unique_hfile copy = CreateBeside(target, copyName);
        if (!copy) return FileStatus::Failed;
        if (WriteAll(copy.get(), old) != FileStatus::Ok) {
            DeleteFileW(copyName.c_str());
            return FileStatus::Failed;
        }
    }
    const Overwritten written = Overwrite(file.get(), bytes);
    // The copy is named only when the file lacks the text it holds.
    if (written == Overwritten::Done || written == Overwritten::Untouched ||
        Overwrite(file.get(), old) == Overwritten::Done) {
        DeleteFileW(copyName.c_str());
        return written == Overwritten::Done ? FileStatus::Ok : FileStatus::Failed;
    }
    if (kept) kept->oldText = Shown(copyName);
    return FileStatus::Failed;
}

enum class Swap { Done, Failed, KeptBoth, InPlace };

// Puts the written temporary file in the old file's place, keeping the old
// file's attributes, security, creation time and streams.
Swap SwapIn(const std::wstring& target, const std::wstring& temp, KeptFiles* kept) {
    // With a backup name ReplaceFileW never leaves the old file deleted. The
    // name is made empty and new first, so no file of the user's (an earlier
    // kept copy above all) is ever taken for it.
    std::wstring backup;
    if (!CreateBeside(target, backup)) return Swap::Failed;
    const bool replaced = ReplaceFileW(target.c_str(), temp.c_str(), backup.c_str(),
                                       REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                                       nullptr) != FALSE;
    const DWORD error = GetLastError();
    if (replaced) {
        DeleteFileW(backup.c_str());
        return Swap::Done;
    }
    // Only this error moves the old file to the backup name; otherwise the name is still the empty one made here.
    if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) DeleteIfEmpty(backup);
    switch (error) {
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
        switch (PutBackAfterFailedSwap(target, temp, backup, kept)) {
        case PutBack::OldText: return Swap::Failed;
        case PutBack::NewText: return Swap::Done;
        case PutBack::Neither: break;
        }
        return Swap::KeptBoth;
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_PARAMETER:  // a volume that cannot replace that way gets a plain move
        return MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? Swap::Done
                   : Swap::Failed;
    default:
        // Held without delete sharing, or no right to replace: the old file
        // still stands whole under its name, and is written in place.
        return Swap::InPlace;
    }
}

}  // namespace

FileStatus ReadFileBytes(const std::string& path, std::string& bytes) {
    return ReadFileHead(path, static_cast<size_t>(0x7FFFFFFF), bytes);
}

FileStatus ReadFileHead(const std::string& path, size_t count, std::string& head) {
    const unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return StatusOfLastError();
    return ReadAll(file.get(), count, head);
}

PutBack PutBackAfterFailedSwap(const std::wstring& target, const std::wstring& temp, const std::wstring& backup,
                               KeptFiles* kept) {
    if (MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return PutBack::OldText;
    if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(backup.c_str());
        return PutBack::NewText;
    }
    if (kept) *kept = {Shown(backup), Shown(temp)};
    return PutBack::Neither;
}

FileStatus ReplaceFileBytes(const std::string& path, std::string_view bytes, KeptFiles* kept) {
    const std::wstring name = LongForm(ui::FromNarrow(path));
    if (name.empty()) return FileStatus::Failed;
    // A link is written through: the file it leads to takes the new text.
    FoundFile found = FindFile(name);
    const bool exists = !found.path.empty();
    if (!exists) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return FileStatus::Failed;  // no folder, bad name
        found.path = name;
    } else if (GetFileAttributesW(found.path.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
        return FileStatus::Failed;  // a read-only file may not be deleted, so not replaced either (Wine as root would)
    }
    // A new file under one name would leave the other names with the old text.
    if (found.links > 1) return WriteInPlace(found.path, bytes, kept);
    std::wstring temp;
    FileStatus status = FileStatus::Failed;
    {
        const unique_hfile file = CreateBeside(found.path, temp);
        if (!file) return FileStatus::Failed;
        status = WriteAll(file.get(), bytes);
    }  // closed before the move
    Swap swap = Swap::Failed;
    if (status == FileStatus::Ok) {
        swap = !exists ? (MoveFileExW(temp.c_str(), found.path.c_str(), MOVEFILE_WRITE_THROUGH) ? Swap::Done
                                                                                                   : Swap::Failed)
                       : SwapIn(found.path, temp, kept);
    }
    if (swap == Swap::KeptBoth) return FileStatus::Failed;
    if (swap != Swap::Done) DeleteFileW(temp.c_str());
    if (swap == Swap::InPlace) return WriteInPlace(found.path, bytes, kept);
    return swap == Swap::Done ? FileStatus::Ok : FileStatus::Failed;
}

FileStatus AppendFileBytes(const std::string& path, std::string_view bytes, KeptFiles* kept) {
    // Said here as well as by the system: Wine run by root writes read-only files.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return FileStatus::Failed;
    const unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return StatusOfLastError();
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(file.get(), LARGE_INTEGER{}, &end, FILE_END)) return FileStatus::Failed;
    const FileStatus status = WriteAll(file.get(), bytes);
    if (status == FileStatus::Ok) return status;
    // Cut back what did get written: the file keeps exactly its old bytes.
    if (SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.get()) &&
        FlushFileBuffers(file.get()))
        return status;
    // The file keeps a part of the note after its old bytes: those go into a
    // copy beside it, named to the user, as a failed overwrite's would.
    std::string old;
    std::wstring copyName;
    const std::wstring name = LongForm(ui::FromNarrow(path));
    if (SetFilePointerEx(file.get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN) &&
        ReadAll(file.get(), static_cast<size_t>(end.QuadPart), old) == FileStatus::Ok && !name.empty()) {
        const unique_hfile copy = CreateBeside(name, copyName);
        if (copy && WriteAll(copy.get(), old) == FileStatus::Ok) {
            if (kept) kept->oldText = Shown(copyName);
        } else if (copy) {
            DeleteFileW(copyName.c_str());
        }
    }
    return status;
}

}  // namespace files
