#pragma once
// Whole-file reads and writes at the system boundary; every file is opened,
// used and closed within one call.
#include <string>
#include <string_view>

enum class FileStatus {
    Ok,
    NotFound,  // the file is missing while its folder exists
    Failed,    // any other failure: missing folder, bad name, no access, I/O error
};

namespace files {

FileStatus ReadFileBytes(const std::string& path, std::string& bytes);

// Reads at most `count` bytes from the start of the file (0 only opens and closes it).
FileStatus ReadFileHead(const std::string& path, size_t count, std::string& head);
// Writes the whole file through a temporary file in its folder that then takes
// the file's place: on any failure an existing file keeps its old bytes, a new
// one is not created, and no temporary file is left. An existing file keeps
// its attributes, security, creation time and streams, and a name that links
// to a file writes that file. A read-only file or a folder is refused (Failed).
FileStatus ReplaceFileBytes(const std::string& path, std::string_view bytes);
// Writes after the end of an existing file; when that fails the file is cut back
// to its old length. A missing file gives NotFound and is not created.
FileStatus AppendFileBytes(const std::string& path, std::string_view bytes);

}  // namespace files
