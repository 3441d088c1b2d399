// Binding of the simulated library: exports bound by name, release, the device-type cache.
#include "device/TivLibrary.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{

FARPROC PointerAt(const CTivLibrary& lib, size_t offset)
{
    FARPROC p;
    std::memcpy(&p, reinterpret_cast<const char*>(&lib) + offset, sizeof p);
    return p;
}

}  // namespace

TEST(TivLibraryBinding, EveryPointerHoldsTheExportOfItsName)
{
    CSimDevice device("DeviceType = u32 18\n");
    CTivLibrary lib;
    ASSERT_NE(lib.m_hModule.Get(), nullptr);
    EXPECT_EQ(lib.m_dwDeviceType, 0u);
    for (const CTivExport& e : kTivExports)
    {
        FARPROC expected = GetProcAddress(lib.m_hModule.Get(), e.pszName);
        ASSERT_NE(expected, nullptr) << e.pszName;
        EXPECT_EQ(PointerAt(lib, e.nOffset), expected) << e.pszName;
    }
}

TEST(TivLibraryBinding, DestructorFreesTheLibrary)
{
    CSimDevice device("DeviceType = u32 18\n");
    ASSERT_EQ(GetModuleHandleW(L"VekTiv.dll"), nullptr);
    {
        CTivLibrary first;
        CTivLibrary second;
        EXPECT_EQ(first.m_hModule.Get(), second.m_hModule.Get());
    }
    EXPECT_EQ(GetModuleHandleW(L"VekTiv.dll"), nullptr);
}

TEST(TivLibraryBinding, FreeReleasesTheLoadOnceAndClearsTheBinding)
{
    CSimDevice device("DeviceType = u32 18\n");
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
            EXPECT_EQ(PointerAt(lib, e.nOffset), nullptr) << e.pszName;
        EXPECT_FALSE(lib.IsDeviceType(18));
    }
    EXPECT_EQ(GetModuleHandleW(L"VekTiv.dll"), hOwn);
    FreeLibrary(hOwn);
    EXPECT_EQ(GetModuleHandleW(L"VekTiv.dll"), nullptr);
}

TEST(TivLibraryTypeCache, CodeWrittenByAFailingReadIsNotTrusted)
{
    // The library writes 18 but reports failure: the check is false and the next one asks again.
    CSimDevice device("DeviceType = u32 18 ret 0\n");
    CTivLibrary lib;
    EXPECT_FALSE(lib.IsDeviceType(18));
    EXPECT_EQ(lib.m_dwDeviceType, 0u);
    EXPECT_FALSE(lib.IsDeviceType(18));
    EXPECT_EQ(device.CountCalls("TivGetDeviceType("), 2u);
}

TEST(TivLibraryTypeCache, EachBindingHasItsOwnCache)
{
    CSimDevice device("DeviceType = u32 9\n");
    CTivLibrary a;
    CTivLibrary b;
    EXPECT_TRUE(a.IsDeviceType(9));
    EXPECT_TRUE(a.IsDeviceType(9));
    EXPECT_TRUE(b.IsDeviceType(9));
    EXPECT_EQ(device.CountCalls("TivGetDeviceType("), 2u);
}
