// Bus-unit group run into a report: its gate on type and presence.
#include "groups/TestBusUnit.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(BusUnitGroup, GateOnTypeAndPresence)
{
    struct { const char* pszProfile; size_t tests; long presenceReads; } const cases[] = {  // tests 0: no group
        { "DeviceType = u32 19\nHardwareValue 65 = u32 7\n", 12, 1 },
        { "DeviceType = u32 18\nHardwareValue 65 = u32 0\n", 0, 1 },
        { "DeviceType = u32 19\nHardwareValue 65 = fail 31\n", 0, 1 },
        { "DeviceType = u32 20\nHardwareValue 65 = u32 1\n", 0, 0 },
        // A chain of checks: the check for 19 reads the type again after 18 could not.
        { "DeviceType = fail 31 then u32 19\nHardwareValue 65 = u32 1\n", 12, 1 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszProfile);
        CReportOutline report = RunGroup<CTestBusUnit>(c.pszProfile);
        EXPECT_EQ(report.tests.size(), c.tests);
        if (c.tests != 0)
        {
            EXPECT_EQ(report.Test(L"Power-on hours").category, L"Statistics");
        }
        EXPECT_EQ(std::count(report.calls.begin(), report.calls.end(), "TivGetHardwareValue(65,4)"), c.presenceReads);
    }
}
