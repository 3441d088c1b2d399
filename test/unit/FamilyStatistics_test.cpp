// Statistics family: the two-byte retry, 2-byte-only members, and the panel and system-unit rules.
#include "groups/readers/Statistics.h"
#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(FamilyStatistics, CounterReads)
{
    // entry: StatisticsValue 11 = ...
    // result: nullptr: failure text of error
    const struct { const char* name; const char* entry; const wchar_t* result; DWORD error;
                   std::vector<std::string> calls; } cases[] = {
        { "32-bit", "u32 123456", L"123456", 0, { "TivGetStatisticsValue(11,4)" } },
        { "top bit set", "u32 0x80000000", L"2147483648", 0, { "TivGetStatisticsValue(11,4)" } },
        { "16-bit by retry", "u16 0xFFFE", L"65534", 0,
          { "TivGetStatisticsValue(11,4)", "TivGetStatisticsValue(11,2)" } },
        { "retry fails too", "fail 87 then fail 31", nullptr, 31,
          { "TivGetStatisticsValue(11,4)", "TivGetStatisticsValue(11,2)" } },
        { "other error, no retry", "fail 5", nullptr, 5, { "TivGetStatisticsValue(11,4)" } },
    };
    for (const auto& c : cases)
    {
        CReportOutline run = RunInGroup(std::string("StatisticsValue 11 = ") + c.entry + "\n",
                                        [](CTest& t) { WriteStatistics(t, kStatisticsBusUnit); });
        ASSERT_EQ(run.Names(), (std::vector<std::wstring>{ L"Power-on cycles", L"Power-on hours" }))
            << c.name;
        const CReportTest& test = run.tests[0];
        const bool ok = c.result != nullptr;
        EXPECT_EQ(test.result, ok ? std::wstring(c.result) : ErrorText(c.error)) << c.name;
        EXPECT_EQ(test.format, ok ? L"Dec" : L"String") << c.name;
        EXPECT_EQ(test.status, ok ? L"Passed" : L"Failed") << c.name;
        std::vector<std::string> calls(run.calls.begin(), run.calls.begin() + c.calls.size());
        EXPECT_EQ(calls, c.calls) << c.name;
    }
}

TEST(FamilyStatistics, TwoByteOnlyMembersReadTwoBytesOnce)
{
    CReportOutline run = RunInGroup("StatisticsValue 5 = u16 300\nStatisticsValue 6 = fail 1167\n",
                                    [](CTest& t) { WriteStatistics(t, kStatisticsCpuBoard); });
    ASSERT_EQ(run.tests.size(), 2u);
    EXPECT_EQ(run.tests[0].result, L"300");
    EXPECT_EQ(run.tests[1].result, ErrorText(1167));
    EXPECT_EQ(run.calls, (std::vector<std::string>{ "TivGetStatisticsValue(5,2)", "TivGetStatisticsValue(6,2)" }));
}

TEST(FamilyStatistics, PanelAndSystemUnitGates)
{
    const std::vector<std::wstring> kPanelAll = { L"Power-on cycles", L"Power-on hours",
                                                  L"Backlight-on cycles", L"Backlight-on hours" };
    const std::vector<std::wstring> kBacklight = { L"Backlight-on cycles", L"Backlight-on hours" };
    const std::vector<std::wstring> kSystemAll = { L"Power-on cycles", L"Power-on hours",
                                                   L"Fan-on hours" };
    const struct { const char* name; const char* type; const CStatisticsMember* member; DWORD index;
                   std::vector<std::wstring> names; std::vector<DWORD> ids; } cases[] = {
        { "panel 15 on 19", "u32 19", &kStatisticsPanel, 15, kPanelAll, { 22, 23, 3, 4 } },
        { "panel 15 on 18", "u32 18", &kStatisticsPanel, 15, kBacklight, { 3, 4 } },
        { "panel 15 unreadable", "fail 31", &kStatisticsPanel, 15, kBacklight, { 3, 4 } },
        { "panel 3 on 19", "u32 19", &kStatisticsPanel, 3, kBacklight, { 3, 4 } },
        { "system unit on 9", "u32 9", &kStatisticsSystemUnit, kAnyIndex, { L"Power-on hours" }, { 1 } },
        { "system unit on 16", "u32 16", &kStatisticsSystemUnit, kAnyIndex,
          { L"Power-on cycles", L"Power-on hours" }, { 0, 1 } },
        { "system unit on 6", "u32 6", &kStatisticsSystemUnit, kAnyIndex, kSystemAll, { 0, 1, 2 } },
        { "system unit unreadable", "fail 31", &kStatisticsSystemUnit, kAnyIndex, kSystemAll, { 0, 1, 2 } },
    };
    for (const auto& c : cases)
    {
        CReportOutline run = RunInGroup(std::string("DeviceType = ") + c.type + "\n", [&](CTest& t) {
            WriteStatistics(t, *c.member, c.index);
        });
        EXPECT_EQ(run.Names(), c.names) << c.name;
        std::vector<std::string> expected, reads;
        for (DWORD id : c.ids)
            expected.push_back("TivGetStatisticsValue(" + std::to_string(id) + ",4)");
        for (const std::string& call : run.calls)
        {
            if (call.rfind("TivGetStatisticsValue(", 0) == 0)
                reads.push_back(call);
            // Only panel 15 depends on the type.
            if (c.member == &kStatisticsPanel && c.index != 15)
            {
                EXPECT_NE(call.rfind("TivGetDeviceType(", 0), 0u) << call;
            }
        }
        EXPECT_EQ(reads, expected) << c.name;
    }
}

TEST(FamilyStatistics, IfSlots)
{
    const struct { DWORD slot; std::vector<std::string> calls; } cases[] = {
        { 1, { "TivGetStatisticsValue(7,4)", "TivGetStatisticsValue(8,4)" } },
        { 2, { "TivGetStatisticsValue(15,4)", "TivGetStatisticsValue(16,4)" } },
        { 0, {} },
        { 3, {} },
    };
    for (const auto& c : cases)
    {
        CReportOutline run = RunInGroup("StatisticsValue 7 = u32 1\nStatisticsValue 8 = u32 2\n"
                                        "StatisticsValue 15 = u32 3\nStatisticsValue 16 = u32 4\n",
                                        [&](CTest& t) { WriteStatistics(t, kStatisticsIfBoards, c.slot); });
        EXPECT_EQ(run.calls, c.calls) << c.slot;
        EXPECT_EQ(run.tests.size(), c.calls.size()) << c.slot;
    }
}
