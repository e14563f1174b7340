// Entry point of the Windows test programs: the same apartment as the program
// itself. Common controls are left to the windows that use them, as in the
// program, so that a window which forgets them fails here.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    // A run meant for another system code page must really have it.
    char expected[16] = {};
    if (GetEnvironmentVariableA("SCRIVLET_EXPECT_ACP", expected, sizeof expected) &&
        GetACP() != static_cast<UINT>(atoi(expected))) {
        fprintf(stderr, "the system code page is %u, not %s\n", GetACP(), expected);
        return 1;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
