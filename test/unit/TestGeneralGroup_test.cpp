// General group run into a report: a boot logo that is not there, an invalid or empty key configuration.
#include "groups/TestGeneral.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

namespace
{

CReportOutline RunGeneral(const std::string& type, const std::string& entries)
{
    return RunGroup<CTestGeneral>("DeviceType = " + type + "\n" + entries);
}

}  // namespace

TEST(GeneralGroup, WhatIsNotThereOrEmpty)
{
    CReportOutline report = RunGeneral("u32 8", "UserlogoStringW 0 = fail 1168\nUserLed = u8 0\n");
    EXPECT_EQ(report.Section(L"S:User Bootlogo", L"S:"), (std::vector<std::wstring>{ L"S:User Bootlogo", L"T:Available" }));
    CReportTest test = report.Test(L"Available");
    EXPECT_EQ(test.result + test.format + test.status, L"NoYesNoPassed");

    // An invalid key configuration has nothing more to show: no string is asked for.
    report = RunGeneral("u32 12", "KeyCfgState = u32 0\nKeyCfgStringW 0 = str \"never read\"\n");
    EXPECT_EQ(report.Section(L"C:Key Configuration", L"C:"), (std::vector<std::wstring>{ L"C:Key Configuration", L"S:CatUndef", L"T:State" }));
    EXPECT_EQ(report.Test(L"State").result + report.Test(L"State").status, L"InvalidPassed");
    for (const std::string& call : report.calls)
        EXPECT_NE(call.rfind("TivGetKeyCfgStringW(", 0), 0u) << call;
    // Only the user information stands in "(n.a.)" for an empty text.
    report = RunGeneral("u32 12", "KeyCfgState = u32 5\nKeyCfgStringW 0 = str \"\"\nKeyCfgStringW 2 = str \"\"\n");
    EXPECT_EQ(report.Test(L"Version").result + L"|" + report.Test(L"Version").status, L"|Passed");
    EXPECT_EQ(report.Test(L"User information").result + L"|" + report.Test(L"User information").status, L"(n.a.)|Passed");
}
