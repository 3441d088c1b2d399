// A library that lacks some exports: only those pointers stay NULL, and a missing device-type
// export makes every type check false (asked again at each check) without a crash.
#include "device/TivLibrary.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

TEST(TivLibraryReduced, MissingExportsStayNullOthersAreBound)
{
    CSimDevice device("DeviceType = u32 18\nHardwareValue 58 = u32 1\n");
    CTivLibrary lib;
    ASSERT_NE(lib.m_hModule.Get(), nullptr);
    EXPECT_EQ(lib.m_pTivGetDeviceType, nullptr);
    EXPECT_EQ(lib.m_pTivGetHardwareStringW, nullptr);
    EXPECT_EQ(lib.m_pTivGetAlarm, nullptr);
    EXPECT_NE(lib.m_pTivGetHardwareValue, nullptr);
    EXPECT_NE(lib.m_pTivGetFactoryValue, nullptr);

    EXPECT_FALSE(lib.IsDeviceType(18));
    EXPECT_FALSE(lib.IsDeviceType(18));
    EXPECT_EQ(lib.m_dwDeviceType, 0u);
    EXPECT_EQ(lib.IsIoBoardPresent(), 1u);

    DWORD board = 5;
    wchar_t name[260] = {};
    EXPECT_FALSE(lib.GetCpuBoardType(&board, name));
    EXPECT_EQ(board, 0u);
}
