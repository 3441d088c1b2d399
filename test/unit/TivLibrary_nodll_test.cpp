// Without VekTiv.dll on the search path the binding is empty and every query answers "absent".
#include "device/TivLibrary.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(TivLibraryAbsent, EveryPointerIsNullAndQueriesFail)
{
    CTivLibrary lib;
    EXPECT_EQ(lib.m_hModule.Get(), nullptr);
    for (const CTivExport& e : kTivExports)
    {
        void* p = nullptr;
        std::memcpy(&p, reinterpret_cast<const char*>(&lib) + e.nOffset, sizeof p);
        EXPECT_EQ(p, nullptr) << e.pszName;
    }
    EXPECT_FALSE(lib.IsDeviceType(18));
    EXPECT_FALSE(lib.IsDeviceType(0));

    DWORD code = 77;
    wchar_t name[260] = L"x";
    EXPECT_FALSE(lib.GetDeviceTypeName(&code, name));
    EXPECT_EQ(code, 0u);
    EXPECT_STREQ(name, L"Unknown");

    DWORD board = 77;
    EXPECT_FALSE(lib.GetCpuBoardType(&board, name));
    EXPECT_EQ(board, 0u);
    EXPECT_EQ(lib.IsIoBoardPresent(), 0u);
    DWORD index = 99;
    EXPECT_FALSE(lib.FindFirstPanel(&index));
    EXPECT_FALSE(lib.FindFirstIfBoardSlot(&index));
    EXPECT_FALSE(lib.FindFirstDriveSlot(&index));
    EXPECT_EQ(index, 99u);
}
