// DLL planting: once the start-up has taken the working directory out of the search path, a DLL
// there is not loaded by bare name, while one in the application folder still is.
#include "app/App.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

TEST(DllSearch, WorkingDirectoryNoLongerServes)
{
    CTempDir dir;
    std::wstring source = ExeFolder() + L"\\VekTiv.dll";
    ASSERT_TRUE(CopyFileW(source.c_str(), dir.File(L"VekPlanted.dll").c_str(), FALSE));
    wchar_t szOld[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, szOld);
    ASSERT_TRUE(SetCurrentDirectoryW(dir.Path().c_str()));

    // Before: the working directory serves.
    HMODULE hBefore = LoadLibraryW(L"VekPlanted.dll");
    EXPECT_NE(hBefore, nullptr);
    if (hBefore != nullptr)
        FreeLibrary(hBefore);

    EXPECT_NE(RemoveCurrentDirectoryFromDllSearch(), EDllSearch::kUnchanged);

    SetLastError(0);
    HMODULE hAfter = LoadLibraryW(L"VekPlanted.dll");
    DWORD dwError = GetLastError();
    EXPECT_EQ(hAfter, nullptr);
    EXPECT_EQ(dwError, static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    if (hAfter != nullptr)
        FreeLibrary(hAfter);

    // The application folder and the system folder still serve.
    HMODULE hOwn = LoadLibraryW(L"VekTiv.dll");
    EXPECT_NE(hOwn, nullptr);
    if (hOwn != nullptr)
        FreeLibrary(hOwn);
    HMODULE hSystem = LoadLibraryW(L"version.dll");
    EXPECT_NE(hSystem, nullptr);

    SetCurrentDirectoryW(szOld);
}

}  // namespace
