// Binding of the simulated library: exports bound by name, layout, lazy device-type cache.
#include "device/TivLibrary.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>

namespace
{

FARPROC PointerAt(const CTivLibrary& lib, size_t offset)
{
    FARPROC p;
    std::memcpy(&p, reinterpret_cast<const char*>(&lib) + offset, sizeof p);
    return p;
}

// The documented layout: module, type cache, then the exports in this order.
const char* const kLayoutOrder[38] = {
    "TivGetFactoryValue", "TivGetFactoryStringW", "TivGetTemperature", "TivGetStatisticsValue",
    "TivGetFirmwareStringW", "TivGetFirmwareValue", "TivGetDeviceType", "TivGetHardwareValue",
    "TivGetHardwareStringW", "TivUploadFileW", "TivGetVoltage", "TivIsWmiEnabled",
    "TivGetKeyCfgState", "TivGetKeyCfgStringW", "TivGetKeyLayer", "TivGetKeyLayerMode",
    "TivGetKeyMatrix", "TivGetKeySwitches", "TivGetLedCount", "TivGetLedMatrix",
    "TivGetUserSerialId", "TivGetUserLed", "TivGetUserlogoValue", "TivGetUserlogoStringW",
    "TivSelectPanel", "TivGetPanelLockTime", "TivGetDisplayType", "TivGetDisplayBrightness",
    "TivGetDisplayDefaultBrightness", "TivGetDisplayFactoryBrightness", "TivGetDisplayContrast",
    "TivGetDisplayDefaultContrast", "TivGetDisplayFactoryContrast", "TivGetDisplayEqualizer",
    "TivGetKeyCount", "TivAreKeysEnabled", "TivEnableWmi", "TivGetAlarm",
};

const char* const kBindingOrder[38] = {
    "TivGetFactoryStringW", "TivGetFirmwareStringW", "TivGetHardwareStringW", "TivGetKeyCfgStringW",
    "TivGetUserlogoStringW", "TivUploadFileW", "TivGetFactoryValue", "TivGetTemperature",
    "TivGetStatisticsValue", "TivGetFirmwareValue", "TivGetDeviceType", "TivGetHardwareValue",
    "TivGetVoltage", "TivIsWmiEnabled", "TivGetKeyCount", "TivGetKeyCfgState", "TivGetKeyLayer",
    "TivGetKeyLayerMode", "TivGetKeyMatrix", "TivGetKeySwitches", "TivGetLedCount",
    "TivGetLedMatrix", "TivGetUserSerialId", "TivGetUserLed", "TivGetUserlogoValue",
    "TivSelectPanel", "TivGetPanelLockTime", "TivGetDisplayType", "TivGetDisplayBrightness",
    "TivGetDisplayDefaultBrightness", "TivGetDisplayFactoryBrightness", "TivGetDisplayContrast",
    "TivGetDisplayDefaultContrast", "TivGetDisplayFactoryContrast", "TivGetDisplayEqualizer",
    "TivAreKeysEnabled", "TivEnableWmi", "TivGetAlarm",
};

size_t OffsetOf(const char* name)
{
    for (const CTivExport& e : kTivExports)
        if (std::strcmp(e.pszName, name) == 0)
            return e.nOffset;
    ADD_FAILURE() << "no export " << name;
    return 0;
}

}  // namespace

TEST(TivLibraryLayout, FieldsStandInTheDocumentedOrder)
{
    EXPECT_EQ(offsetof(CTivLibrary, m_hModule), 0u);
    EXPECT_EQ(offsetof(CTivLibrary, m_dwDeviceType), 4u);
    for (size_t i = 0; i < std::size(kLayoutOrder); ++i)
        EXPECT_EQ(OffsetOf(kLayoutOrder[i]), 8 + 4 * i) << kLayoutOrder[i];
    EXPECT_EQ(sizeof(CTivLibrary), 8 + 4 * 38u);
}

TEST(TivLibraryLayout, ExportsAreAskedForInBindingOrder)
{
    ASSERT_EQ(std::size(kTivExports), std::size(kBindingOrder));
    for (size_t i = 0; i < std::size(kBindingOrder); ++i)
        EXPECT_STREQ(kTivExports[i].pszName, kBindingOrder[i]);
}

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

TEST(TivLibraryTypeCache, SuccessfulReadIsAskedOnce)
{
    CSimDevice device("DeviceType = u32 18\n");
    CTivLibrary lib;
    EXPECT_FALSE(lib.IsDeviceType(19));
    EXPECT_TRUE(lib.IsDeviceType(18));
    EXPECT_FALSE(lib.IsDeviceType(5));
    EXPECT_EQ(lib.m_dwDeviceType, 18u);
    EXPECT_EQ(device.CountCalls("TivGetDeviceType("), 1u);
}

TEST(TivLibraryTypeCache, FailingReadIsAskedAtEveryCheck)
{
    CSimDevice device("DeviceType = fail 31\n");
    CTivLibrary lib;
    EXPECT_FALSE(lib.IsDeviceType(18));
    EXPECT_FALSE(lib.IsDeviceType(0));
    EXPECT_FALSE(lib.IsDeviceType(5));
    EXPECT_EQ(lib.m_dwDeviceType, 0u);
    EXPECT_EQ(device.CountCalls("TivGetDeviceType("), 3u);
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

TEST(TivLibraryTypeCache, LaterCheckUsesTypeOnceReadable)
{
    CSimDevice device("DeviceType = fail 31 then fail 21 then u32 16\n");
    CTivLibrary lib;
    EXPECT_FALSE(lib.IsDeviceType(16));
    EXPECT_FALSE(lib.IsDeviceType(16));
    EXPECT_TRUE(lib.IsDeviceType(16));
    EXPECT_TRUE(lib.IsDeviceType(16));
    EXPECT_EQ(device.CountCalls("TivGetDeviceType("), 3u);
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
