// Panels group run into a report: the panel walk, the built-in panel, failed reads, handheld elements.
#include "groups/TestPanel.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

using Lines = std::vector<std::wstring>;

// A connected panel with its own entries (the keys and LEDs counted 0, so they end early).
std::string Panel(int n, const std::string& entries = "HardwareValue 13 = u32 1\n")
{
    return "[panel " + std::to_string(n) + "]\nHardwareValue 12 = u32 1\nKeyCount = u8 0\nLedCount = u8 0\n" + entries;
}

// Each panel category as "<n>:" and the first letters of its subcategories, e.g. "15:SDKL".
std::wstring Walk(const CReportOutline& report)
{
    std::wstring walk;
    for (const std::wstring& line : report.lines)
        if (line.rfind(L"C:Panel ", 0) == 0)
            walk += (walk.empty() ? L"" : L" ") + line.substr(8) + L":";
        else if (line.rfind(L"S:", 0) == 0)
            walk += line[2];
    return walk;
}

}  // namespace

TEST(PanelGroup, WalkOverConnectedPanels)
{
    const std::string kType = "DeviceType = u32 12\n";
    const std::wstring kFull = L"SLFSTFDKL";  // Status, Link, Factory Settings, ..., Keys, LEDs
    const struct { const char* what; std::string profile; std::wstring walk; } cases[] = {
        { "first panel 3, a gap, panel 15", kType + Panel(3) + Panel(15), L"3:" + kFull + L" 15:SDKL" },
        // The first panel answers the search but not the walk: its category stays empty.
        { "second check fails", kType + "[panel 2]\nHardwareValue 12 = u32 1 then u32 0\n" + Panel(4), L"2: 4:" + kFull },
        { "not linked", kType + Panel(0, "HardwareValue 13 = u32 0\n") + Panel(1), L"0:S 1:" + kFull },
        // A failed "Linked" read counts as not linked.
        { "linked unreadable", kType + Panel(5, "HardwareValue 13 = fail 31\n"), L"5:S" },
        { "no panel", kType, L"" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        CReportOutline report = RunGroup<CTestPanel>(c.profile);
        EXPECT_EQ(Walk(report), c.walk);
        EXPECT_EQ(report.lines.empty(), c.walk.empty());
    }
    EXPECT_EQ(RunGroup<CTestPanel>(cases[3].profile).Names(), (Lines{ L"Linked" }));
}

TEST(PanelGroup, BuiltInPanelIsNeverSelected)
{
    for (const char* pszType : { "4", "5", "9", "11" })
    {
        SCOPED_TRACE(pszType);
        CReportOutline report =
            RunGroup<CTestPanel>(std::string("DeviceType = u32 ") + pszType + "\nKeyCount = u8 0\nLedCount = u8 0\n");
        EXPECT_EQ(Walk(report).substr(0, 2), L"0:");
        EXPECT_EQ(std::count_if(report.calls.begin(), report.calls.end(),
                                [](const std::string& call) { return call.rfind("TivSelectPanel", 0) == 0; }), 0);
    }
}

TEST(PanelGroup, ResolutionEndsAtTheFirstFailedRead)
{
    const std::string kPanel = "DeviceType = u32 12\n[panel 0]\nHardwareValue 12 = u32 1\nHardwareValue 13 = u32 1\n";
    // A failed width gives its error and the height is not asked for.
    CReportOutline report = RunGroup<CTestPanel>(kPanel + "FactoryValue 15 = fail 5\nFactoryValue 16 = fail 50\n");
    EXPECT_EQ(report.Test(L"Resolution").result, ErrorText(5));
    EXPECT_EQ(std::count(report.calls.begin(), report.calls.end(), "TivGetFactoryValue(16,2)"), 0);
    report = RunGroup<CTestPanel>(kPanel + "FactoryValue 15 = u16 1024\nFactoryValue 16 = fail 50\n");
    EXPECT_EQ(report.Test(L"Resolution").result, ErrorText(50));
}

TEST(PanelGroup, LedLayersAskTheKeyConfigurationEachTime)
{
    const struct { const char* state; Lines layers; } cases[] = {
        // A call that reports failure counts as an invalid configuration, whatever it wrote.
        { "u32 1 ret 0", { L"T:Matrix, layer 1" } },
        { "u32 0 then u32 0 then u32 1", { L"T:Matrix, layer 1", L"T:Matrix, layer 3", L"T:Matrix, layer 4" } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.state);
        CReportOutline report =
            RunGroup<CTestPanel>(std::string("DeviceType = u32 4\nKeyCount = u8 0\nLedCount = u8 5\nKeyCfgState = ") + c.state);
        Lines expected = { L"S:LEDs", L"T:Count" };
        expected.insert(expected.end(), c.layers.begin(), c.layers.end());
        EXPECT_EQ(report.Section(L"S:LEDs", L"S:"), expected);
    }
}

TEST(PanelGroup, HandheldElementWithoutReadableAvailableShowsThatAlone)
{
    const std::string kHandheld = "DeviceType = u32 11\nKeyCount = u8 0\nLedCount = u8 0\nHardwareValue 38 = u32 1\n"
                                  "HardwareValue 40 = u32 1\nHardwareValue 44 = u32 1\n";
    for (const auto& [pszId, category] : { std::pair{ "38", L"C:Handwheel" }, { "40", L"C:Joystick" },
                                           { "44", L"C:Override Potentiometer" } })
    {
        SCOPED_TRACE(pszId);
        CReportOutline report = RunGroup<CTestPanel>(kHandheld + "HardwareValue " + pszId + " = fail 1117\n");
        EXPECT_EQ(report.Section(category, L"C:"), (Lines{ category, L"S:CatUndef", L"T:Available" }));
        EXPECT_EQ(std::count_if(report.tests.begin(), report.tests.end(),
                                [](const CReportTest& t) { return t.result == ErrorText(1117); }), 1);
    }
}
