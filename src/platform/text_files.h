#pragma once
// Whole-file reads and writes at the system boundary; every file is opened,
// used and closed within one call.
#include <windows.h>

#include <string>
#include <string_view>

enum class FileStatus {
    Ok,
    NotFound,  // the file is missing while its folder exists
    Failed,    // any other failure: missing folder, bad name, no access, I/O error
};

namespace files {

// Files left beside a file whose name could not be given its old or new text
// back: each is empty or the full name of a file that holds that text.
struct KeptFiles {
    std::string oldText, newText;
};

FileStatus ReadFileBytes(const std::string& path, std::string& bytes);
// Writes all of `bytes` at the file's position and flushes them to the disk.
FileStatus WriteAll(HANDLE file, std::string_view bytes);

// Reads at most `count` bytes from the start of the file (0 only opens and closes it).
FileStatus ReadFileHead(const std::string& path, size_t count, std::string& head);
// Writes the whole file. No failure leaves the name with neither the old nor
// the new bytes: a new file is written beside the old one and swapped in,
// keeping the old file's attributes, security, creation time and streams; a
// file whose identity must stay (more than one hard link, or held open
// without delete sharing, or that may be written but not replaced) is written
// in place while a copy of its old bytes waits beside it. A name that links
// to a file writes that file. A read-only file or a folder is refused
// (Failed). Where a text could not be put back under the name, the file that
// holds it stays and is named in `kept`.
FileStatus ReplaceFileBytes(const std::string& path, std::string_view bytes, KeptFiles* kept = nullptr);
// Writes after the end of an existing file; when that fails the file is cut back
// to its old length, and where even that fails its old bytes are put in a
// copy beside it, named in `kept`. A missing file gives NotFound and is not created.
FileStatus AppendFileBytes(const std::string& path, std::string_view bytes, KeptFiles* kept = nullptr);

// After a swap that moved the old file to `backup` but could not move the new
// one from `temp` to `target`: puts the old file back under the name, or
// failing that the new one, and says which. When neither moves, both stay and
// are named in `kept`.
enum class PutBack { OldText, NewText, Neither };
PutBack PutBackAfterFailedSwap(const std::wstring& target, const std::wstring& temp, const std::wstring& backup,
                               KeptFiles* kept);

}  // namespace files
