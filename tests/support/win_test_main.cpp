// Entry point of the Windows test programs: the same apartment as the program
// itself. Common controls are left to the windows that use them, as in the
// program, so that a window which forgets them fails here.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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

}  // namespace

int main(int argc, char** argv) {
    // A run meant for another system code page must really have it.
    char expected[16] = {};
    if (GetEnvironmentVariableA("SCRIVLET_EXPECT_ACP", expected, sizeof expected) &&
        GetACP() != static_cast<UINT>(atoi(expected))) {
        fprintf(stderr, "the system code page is %u, not %s\n", GetACP(), expected);
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
