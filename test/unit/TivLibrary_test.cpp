// Binding of the simulated library: release by the destructor and by Free, the device-type
// cache per binding. The exports' binding, a missing library and missing exports show in the
// scanned reports (every device, the runs without a library and with a reduced one).
#include "device/TivLibrary.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(TivLibraryBinding, DestructorAndFreeReleaseTheLoadOnce)
{
    CSimDevice device("DeviceType = u32 18\n");
    ASSERT_EQ(GetModuleHandleW(L"VekTiv.dll"), nullptr);
    {
        CTivLibrary first;
        CTivLibrary second;
        EXPECT_EQ(first.m_hModule.Get(), second.m_hModule.Get());
    }
    EXPECT_EQ(GetModuleHandleW(L"VekTiv.dll"), nullptr);

    // A load of our own keeps the library in memory, so a second release by the binding would
    // show as the library going away before our own release.
    HMODULE hOwn = LoadLibraryW(L"VekTiv.dll");
    ASSERT_NE(hOwn, nullptr);
    {
        CTivLibrary lib;
        ASSERT_TRUE(lib.IsDeviceType(18));
        lib.Free();
        EXPECT_EQ(lib.m_hModule.Get(), nullptr);
        EXPECT_EQ(lib.m_dwDeviceType, 0u);
        for (const CTivExport& e : kTivExports)
        {
            void* p = nullptr;
            std::memcpy(&p, reinterpret_cast<const char*>(&lib) + e.nOffset, sizeof p);
            EXPECT_EQ(p, nullptr) << e.pszName;
        }
        EXPECT_FALSE(lib.IsDeviceType(18));
    }
    EXPECT_EQ(GetModuleHandleW(L"VekTiv.dll"), hOwn);
    FreeLibrary(hOwn);
    EXPECT_EQ(GetModuleHandleW(L"VekTiv.dll"), nullptr);
}

TEST(TivLibraryTypeCache, EachBindingAsksOnceAndAFailedReadIsNotTrusted)
{
    {
        CSimDevice device("DeviceType = u32 9\n");
        CTivLibrary a;
        CTivLibrary b;
        EXPECT_TRUE(a.IsDeviceType(9));
        EXPECT_FALSE(a.IsDeviceType(18));
        EXPECT_TRUE(b.IsDeviceType(9));
        EXPECT_EQ(device.CountCalls("TivGetDeviceType("), 2u);
    }
    // The library writes 18 but reports failure: the check is false and the next one asks again.
    CSimDevice device("DeviceType = u32 18 ret 0\n");
    CTivLibrary lib;
    EXPECT_FALSE(lib.IsDeviceType(18));
    EXPECT_EQ(lib.m_dwDeviceType, 0u);
    EXPECT_FALSE(lib.IsDeviceType(18));
    EXPECT_EQ(device.CountCalls("TivGetDeviceType("), 2u);
}
