#pragma once
// Real folders and files for the text-file tests.
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <string_view>
#include <vector>

namespace tf {

// The root of the tests' folders; its name has a space in it.
inline constexpr char kRoot[] = "C:\\textfile tests";

// A fresh folder under `root`, removed with everything in it at the end.
class TestFolder {
public:
    explicit TestFolder(std::string_view name, std::string_view root = kRoot);
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    const std::string& path() const { return path_; }
    // The full path of a name inside the folder.
    std::string operator/(std::string_view name) const { return path_ + "\\" + std::string(name); }

private:
    std::string path_;
};

void RemoveTree(const std::string& path);
// The names in a folder, "." and ".." left out, sorted.
std::vector<std::string> Entries(const std::string& folder);

// The shell's display name of a path or of an item, as the folder tree shows it.
std::string DisplayName(const std::string& path);
std::string DisplayName(LPCITEMIDLIST item);

}  // namespace tf
