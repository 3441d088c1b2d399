// Reader families on a library without TivGetAlarm and TivGetDeviceType.
#include "groups/readers/FactorySettings.h"
#include "groups/readers/Statistics.h"
#include "groups/readers/TemperatureFan.h"
#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(FamilyMissingExports, NoAlarmExportMeansPassed)
{
    CReportOutline run = RunInGroup("Temperature 35 = i8 99\nAlarm 35 = u32 1\n"
                               "HardwareValue 67 = u16 900\nAlarm 41 = u32 1\n",
                               [](CTest& t) {
                                   ASSERT_EQ(t.m_Library.m_pTivGetAlarm, nullptr);
                                   WriteSensors(t, kTemperaturesDisplayLink);
                                   WriteSensors(t, kFanSpeedsBusFanKit);
                               });
    ASSERT_EQ(run.Names(), (std::vector<std::wstring>{ L"Sensor 1", L"Bus fan 1" }));
    for (const CReportTest& test : run.tests)
        EXPECT_EQ(test.status, L"Passed");
}

TEST(FamilyMissingExports, NoTypeExportTakesTheUnreadableBranches)
{
    CReportOutline run = RunInGroup("DeviceType = u32 19\n", [](CTest& t) {
        WriteFactorySettings(t, kFactoryMemoryModules, 1);
        WriteStatistics(t, kStatisticsSystemUnit);
        WriteStatistics(t, kStatisticsPanel, 15);
    });
    std::vector<std::wstring> expected = {
        // Memory module 1: "Version", no "Raw data".
        L"Version", L"Vendor ID", L"Device ID", L"Compatibility ID", L"Parent Device ID",
        L"Parent Compatibility ID", L"Hardware revision", L"Serial number", L"Model number",
        // System unit: all three counters.
        L"Power-on cycles", L"Power-on hours", L"Fan-on hours",
        // Panel 15: the backlight only.
        L"Backlight-on cycles", L"Backlight-on hours",
    };
    EXPECT_EQ(run.Names(), expected);
}
