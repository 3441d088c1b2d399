// Bus-unit group run into a report: its gate on type and presence, and the two categories.
#include "groups/TestBusUnit.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(BusUnitGroup, GateOnTypeAndPresence)
{
    const std::vector<std::wstring> written = {
        L"G:Bus Unit", L"C:Factory Settings", L"S:CatUndef", L"T:Version", L"T:Vendor ID",
        L"T:Device ID", L"T:Compatibility ID", L"T:Parent Device ID",
        L"T:Parent Compatibility ID", L"T:Hardware revision", L"T:Serial number",
        L"T:Model number", L"T:Raw data", L"C:Statistics", L"S:CatUndef", L"T:Power-on cycles",
        L"T:Power-on hours",
    };
    struct
    {
        const char* pszProfile;
        bool bWritten;
        bool bPresenceRead;
    } const cases[] = {
        { "DeviceType = u32 19\nHardwareValue 65 = u32 1\n", true, true },
        { "DeviceType = u32 18\nHardwareValue 65 = u32 7\n", true, true },
        { "DeviceType = u32 18\nHardwareValue 65 = u32 0\n", false, true },
        { "DeviceType = u32 19\nHardwareValue 65 = fail 31\n", false, true },
        { "DeviceType = u32 19\nHardwareValue 65 = u16 1\n", false, true },  // 4-byte read fails
        { "DeviceType = u32 20\nHardwareValue 65 = u32 1\n", false, false },
        { "DeviceType = fail 31\nHardwareValue 65 = u32 1\n", false, false },
        // Each check of the chain asks again: the check for 19 reads the type that 18 could not.
        { "DeviceType = fail 31 then u32 19\nHardwareValue 65 = u32 1\n", true, true },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszProfile);
        CReportOutline report = RunGroup<CTestBusUnit>(c.pszProfile);
        EXPECT_EQ(report.lines, c.bWritten ? written : std::vector<std::wstring>{});
        bool bPresenceRead = std::count(report.calls.begin(), report.calls.end(),
                                        "TivGetHardwareValue(65,4)") == 1;
        EXPECT_EQ(bPresenceRead, c.bPresenceRead);
    }
}

TEST(BusUnitGroup, ReadsTheBusUnitMembers)
{
    CReportOutline report = RunGroup<CTestBusUnit>(
        "DeviceType = u32 19\nHardwareValue 65 = u32 1\nFactoryValue 85 = u32 0xABCD\n"
        "StatisticsValue 11 = u16 402\nStatisticsValue 12 = u32 17020\n");
    EXPECT_EQ(report.Test(L"Device ID").result, L"0000ABCD");
    EXPECT_EQ(report.Test(L"Raw data").description, L"Complete factory settings of bus unit.");
    // Counters held in 16 bits are read again with two bytes.
    EXPECT_EQ(report.Test(L"Power-on cycles").result, L"402");
    EXPECT_EQ(report.Test(L"Power-on cycles").status, L"Passed");
    EXPECT_EQ(report.Test(L"Power-on hours").result, L"17020");
    EXPECT_EQ(report.Test(L"Version").status, L"Failed");
}
