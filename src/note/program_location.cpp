#include "note/program_location.h"

#include <algorithm>

#include "platform/text/ascii.h"

namespace note {

bool NamesProgram(std::string_view path) {
    std::string lower(path);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
    return lower.find("scrivlet.exe") != std::string::npos;
}

std::string WithoutSurroundingQuotes(std::string_view path) {
    const size_t first = path.find_first_not_of(' ');
    const size_t last = path.find_last_not_of(' ');
    if (first == std::string_view::npos || last == first || path[first] != '"' || path[last] != '"')
        return std::string(path);
    return std::string(path.substr(first + 1, last - first - 1));
}

std::string SetupEntryKey(int n) {
    return "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ST6UNST #" + std::to_string(n);
}

bool IsDefaultInstallation(std::string_view uninstallString) {
    return uninstallString.find(kDefaultInstallFolder) != std::string_view::npos;
}

}  // namespace note
