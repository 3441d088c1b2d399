// System-unit group run into a report: its read-once gate, boot status texts, failed Kelb and LMQ Link reads.
#include "groups/TestSystemUnit.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using CLines = std::vector<std::wstring>;

TEST(SystemUnitGroup, GateReadsTheTypeOnce)
{
    // A type that fails at the gate is not asked again, though it would answer now.
    for (const auto& [pszType, bWritten] : { std::pair{ "fail 31 then u32 12", false }, { "u32 12", true } })
    {
        SCOPED_TRACE(pszType);
        CReportOutline report = RunGroup<CTestSystemUnit>(std::string("DeviceType = ") + pszType);
        EXPECT_EQ(std::count(report.calls.begin(), report.calls.end(), "TivGetDeviceType()"), 1);
        EXPECT_EQ(!report.lines.empty(), bWritten);
    }
}

TEST(SystemUnitGroup, BootStatusTextByLowByte)
{
    for (const auto& [dwStatus, pszText] :
         { std::pair{ 10u, L"Invalid FPGA firmware checksum" }, { 11u, L"Unknown" }, { 0x105u, L"Boot OK" } })
        EXPECT_STREQ(GetFpgaBootStatusText(dwStatus), pszText);
}

TEST(SystemUnitGroup, FailedKelbBootStatusIsAFailedTestInBothPlaces)
{
    // Neither an empty slot nor a module: the slot shows the failed read alone.
    CReportOutline report = RunGroup<CTestSystemUnit>("DeviceType = u32 8\nFirmwareValue 13 = fail 31\n");
    EXPECT_EQ(report.Section(L"S:Kelb Slot 1 FPGA", L"S:"), (CLines{ L"S:Kelb Slot 1 FPGA", L"T:Kelb boot status" }));
    EXPECT_EQ(report.Section(L"C:Kelb Slot 1", L"C:"), (CLines{ L"C:Kelb Slot 1", L"S:CatUndef", L"T:Kelb boot status" }));
    EXPECT_EQ(std::count_if(report.tests.begin(), report.tests.end(), [](const CReportTest& t) {
                  return t.name == L"Kelb boot status" && t.result == ErrorText(31) && t.status == L"Failed";
              }), 2);
}

TEST(SystemUnitGroup, LmqLinkFailures)
{
    // A link type call that reports failure means no link, whatever it wrote; a failed type
    // text leaves out the FPGA version.
    for (const auto& [pszLink, type] : { std::pair{ "u32 1 ret 0\n", std::wstring(L"Not available") },
                                         { "u32 1\nHardwareStringW 19 = fail 50\n", ErrorText(50) } })
    {
        SCOPED_TRACE(pszLink);
        CReportOutline report = RunGroup<CTestSystemUnit>(std::string("DeviceType = u32 6\nHardwareValue 18 = ") + pszLink);
        EXPECT_EQ(report.Section(L"S:LMQ Link", L"C:"), (CLines{ L"S:LMQ Link", L"T:Type" }));
        EXPECT_EQ(report.Test(L"Type").result, type);
    }
}
