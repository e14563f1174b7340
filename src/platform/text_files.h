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

FileStatus ReadFileBytes(const std::string& path, std::string& bytes);
// Creates or empties the file (append false), or writes after its end (append true).
FileStatus WriteFileBytes(const std::string& path, std::string_view bytes, bool append);
FileStatus DeleteFileAt(const std::string& path);
