// The mail program of the tests. Registered as the handler of "mailto:" URLs,
//   HKCR\mailto\shell\open\command = "<this program>" "%1"
// it writes the URL it was given, byte for byte in UTF-8, to the file beside
// itself named like it with ".url" for ".exe".
// The shell puts the URL between quotes without escaping the quotes inside it
// (an attachment path is quoted), so the raw command line is read, not argv.
#include <windows.h>

#include <string>
#include <string_view>

namespace {

// The command line after the program's own name (quoted or bare) and the blanks after it.
std::wstring_view AfterProgramName(std::wstring_view line) {
    size_t i = 0;
    if (!line.empty() && line[0] == L'"') {
        const size_t close = line.find(L'"', 1);
        i = close == std::wstring_view::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && line[i] != L' ' && line[i] != L'\t') ++i;
    }
    while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
    return line.substr(i);
}

std::string ToUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int wide = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, out.data(), n, nullptr, nullptr);
    return out;
}

bool WriteWhole(const std::wstring& path, const std::string& bytes) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::wstring_view url = AfterProgramName(GetCommandLineW());
    if (url.size() >= 2 && url.front() == L'"' && url.back() == L'"') url = url.substr(1, url.size() - 2);

    wchar_t self[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return 2;
    std::wstring target(self, n);
    const size_t dot = target.find_last_of(L'.');
    if (dot != std::wstring::npos && target.find(L'\\', dot) == std::wstring::npos) target.resize(dot);
    target += L".url";
    // Written aside, then renamed: the test never reads half a URL.
    const std::wstring partial = target + L".part";
    if (!WriteWhole(partial, ToUtf8(url))) return 3;
    return MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
