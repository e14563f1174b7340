// Entry point of the Windows test programs: the same apartment as the program
// itself. Common controls are left to the windows that use them, as in the
// program, so that a window which forgets them fails here.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/text/ansi_text.h"

namespace {

// Notes made by the tests keep their recovery copies in a local folder of this
// run's own, so that no note started later is offered them.
std::wstring PrivateLocalFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring local = std::wstring(temp) + L"scrivlet-tests-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(local.c_str(), nullptr);
    SetEnvironmentVariableW(L"LOCALAPPDATA", local.c_str());
    return local;
}

void RemoveFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveFolder(folder + L"\\" + name);
            else DeleteFileW((folder + L"\\" + name).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

// SCRIVLET_FROM_PROFILE: the folder a per-user setup makes for a user whose
// name the machine's ANSI code page cannot hold.
constexpr wchar_t kProfileFolder[] = L"C:\\users\\\u0141ukasz Dvo\u0159\u00e1k\\AppData\\Local\\Programs\\Scrivlet";

// Copies this program, the note and its icons into that folder and runs the
// copy there with this program's arguments; gives its exit code.
int RunFromProfileFolder() {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    const size_t slash = self.rfind(L'\\');
    const std::wstring from = self.substr(0, slash), program = self.substr(slash + 1);
    const std::wstring to = kProfileFolder;
    std::vector<std::wstring> made;  // the folders this run made, deepest last
    for (size_t at = to.find(L'\\', 3); ; at = to.find(L'\\', at + 1)) {
        const std::wstring level = to.substr(0, at);
        if (CreateDirectoryW(level.c_str(), nullptr)) made.push_back(level);
        if (at == std::wstring::npos) break;
    }
    const std::wstring files[] = {program, L"scrivlet.exe", L"note.ico", L"sizegrip.ico", L"close.ico", L"min.ico"};
    for (const std::wstring& file : files) CopyFileW((from + L"\\" + file).c_str(), (to + L"\\" + file).c_str(), FALSE);

    // The same arguments behind the copy's name.
    const std::wstring line = GetCommandLineW();
    const size_t nameEnd = line.starts_with(L'"') ? line.find(L'"', 1) + 1 : line.find(L' ');
    std::wstring command = L"\"" + to + L"\\" + program + L"\"" +
                           (nameEnd == std::wstring::npos || nameEnd == 0 ? L"" : line.substr(nameEnd));
    SetEnvironmentVariableW(L"SCRIVLET_FROM_PROFILE", nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started{};
    DWORD exitCode = 1;
    if (CreateProcessW((to + L"\\" + program).c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &started)) {
        WaitForSingleObject(started.hProcess, INFINITE);
        GetExitCodeProcess(started.hProcess, &exitCode);
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    } else {
        fprintf(stderr, "the tests could not be started from the profile's folder (error %lu)\n", GetLastError());
    }
    RemoveFolder(to);
    for (auto level = made.rbegin(); level != made.rend(); ++level) RemoveDirectoryW(level->c_str());
    return static_cast<int>(exitCode);
}

}  // namespace

int main(int argc, char** argv) {
    if (GetEnvironmentVariableW(L"SCRIVLET_FROM_PROFILE", nullptr, 0) > 0) return RunFromProfileFolder();
    // A run meant for a machine code page must really have it; the process's own is UTF-8 by the manifest.
    char expected[16] = {};
    if (GetEnvironmentVariableA("SCRIVLET_EXPECT_ACP", expected, sizeof expected) &&
        ui::MachineCodePage() != static_cast<UINT>(atoi(expected))) {
        fprintf(stderr, "the machine's ANSI code page is %u, not %s\n", ui::MachineCodePage(), expected);
        return 1;
    }
    const std::wstring local = PrivateLocalFolder();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    RemoveFolder(local);
    return result;
}
