// Panels group run into a report: the panel walk, the subcategory gates, display settings, LEDs, operating elements.
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

// The category and subcategory lines of an outline.
Lines Containers(Lines lines)
{
    std::erase_if(lines, [](const std::wstring& line) { return line[0] != L'C' && line[0] != L'S'; });
    return lines;
}

}  // namespace

TEST(PanelGroup, WalkOverConnectedPanels)
{
    const std::string kType = "DeviceType = u32 12\n";
    const Lines kFull = { L"S:Status", L"S:Link", L"S:Factory Settings", L"S:Statistics", L"S:Temperature",
                          L"S:Fans", L"S:Display Settings", L"S:Keys", L"S:LEDs" };
    auto category = [&](const wchar_t* name, Lines subs, Lines then = {}) {
        subs.insert(subs.begin(), name);
        subs.insert(subs.end(), then.begin(), then.end());
        return subs;
    };
    const struct { const char* what; std::string profile; Lines expected; } cases[] = {  // categories, subcategories
        { "first panel 3, a gap, panel 15", kType + Panel(3) + Panel(15),
          category(L"C:Panel 3", kFull, { L"C:Panel 15", L"S:Status", L"S:Display Settings", L"S:Keys", L"S:LEDs" }) },
        // The first panel answers the search but not the walk: its category stays empty.
        { "second check fails", kType + "[panel 2]\nHardwareValue 12 = u32 1 then u32 0\n" + Panel(4),
          category(L"C:Panel 2", {}, category(L"C:Panel 4", kFull)) },
        { "not linked", kType + Panel(0, "HardwareValue 13 = u32 0\n") + Panel(1),
          category(L"C:Panel 0", { L"S:Status" }, category(L"C:Panel 1", kFull)) },
        { "linked unreadable", kType + Panel(5, "HardwareValue 13 = fail 31\n"), category(L"C:Panel 5", { L"S:Status" }) },
        { "no panel", kType, {} },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        CReportOutline report = RunGroup<CTestPanel>(c.profile);
        EXPECT_EQ(Containers(report.lines), c.expected);
        EXPECT_EQ(report.lines.empty(), c.expected.empty());
    }
    // A failed "Linked" read counts as not linked.
    EXPECT_EQ(RunGroup<CTestPanel>(cases[3].profile).Names(), (Lines{ L"Linked" }));
}

TEST(PanelGroup, SubcategoryGatesByTypeAndPanel)
{
    // The edge types and panels (every type is checked end to end). Subcategories as letters:
    // Status, Link, Factory, sTatistics, teMperature, fAns, then Display, Keys, LEDs always.
    const struct { const char* type; int panel; const char* expected; } cases[] = {
        { "4", 0, "" },       { "8", 2, "S" },      { "10", 0, "SFTMA" }, { "12", 0, "SLFTMA" }, { "12", 15, "S" },
        { "19", 15, "SFTM" }, { "18", 15, "S" },    { "15", 0, "ST" },    { "fail 31", 0, "SLFTMA" },
    };
    const std::wstring letters = L"SLFTMA";
    const Lines names = { L"S:Status", L"S:Link", L"S:Factory Settings", L"S:Statistics", L"S:Temperature", L"S:Fans" };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.type) + " panel " + std::to_string(c.panel));
        const std::string type = c.type[0] == 'f' ? c.type : std::string("u32 ") + c.type;
        const bool builtIn = c.panel == 0 && std::string(c.type) == "4";
        CReportOutline report = RunGroup<CTestPanel>("DeviceType = " + type + "\n" +
                                                     (builtIn ? "KeyCount = u8 0\nLedCount = u8 0\n" : Panel(c.panel)));
        Lines expected = { L"C:Panel " + std::to_wstring(c.panel) };
        for (const char* p = c.expected; *p; ++p)
            expected.push_back(names[letters.find(static_cast<wchar_t>(*p))]);
        expected.insert(expected.end(), { L"S:Display Settings", L"S:Keys", L"S:LEDs" });
        Lines actual = Containers(report.lines);
        actual.resize(std::min(actual.size(), expected.size()));
        EXPECT_EQ(actual, expected);
    }
}

TEST(PanelGroup, DisplaySettings)
{
    const std::string kPanel = "DeviceType = u32 12\n[panel 0]\nHardwareValue 12 = u32 1\nHardwareValue 13 = u32 1\n"
                               "FactoryValue 15 = u16 65535\nFactoryValue 16 = u16 768\nDisplayBrightness = u8 80\n"
                               "DisplayDefaultBrightness = u8 80\nHardwareValue 21 = u8 15\n";
    // equalizer nullptr: the failure text of 31; autoValue nullptr: no auto-value test.
    const struct { const char* entries; const wchar_t* equalizer; const wchar_t* autoValue; } cases[] = {
        { "DisplayEqualizer 0 = u32 0\nDisplayEqualizer 1 = u8 7\n", L"7 (Manual)", L"15" },
        { "DisplayEqualizer 0 = u32 3\nDisplayEqualizer 1 = u8 7\n", L"7 (Auto)", nullptr },
        { "DisplayEqualizer = fail 50\n", L"(n.a.)", nullptr },
        { "DisplayEqualizer = fail 31\n", nullptr, nullptr },
        { "DisplayEqualizer 0 = u32 0\nDisplayEqualizer 1 = u8 255\nHardwareValue 21 = fail 50\n", L"255 (Manual)", L"(n.a.)" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.entries);
        CReportOutline report = RunGroup<CTestPanel>(kPanel + c.entries);
        EXPECT_EQ(report.Test(L"Resolution").result, L"65535x768");
        EXPECT_EQ(report.Test(L"Brightness").result + report.Test(L"Brightness").format, L"80%String");
        EXPECT_EQ(report.Test(L"Equalizer").result, c.equalizer ? c.equalizer : ErrorText(31));
        EXPECT_EQ(report.Test(L"Equalizer").status, c.equalizer ? L"Passed" : L"Failed");
        const Lines names = report.Names();
        const bool hasAuto = std::count(names.begin(), names.end(), L"Equalizer auto value") == 1;
        EXPECT_EQ(hasAuto ? report.Test(L"Equalizer auto value").result : L"-", c.autoValue ? c.autoValue : L"-");
    }
    // A failed brightness read leaves out its default; a failed width never asks the height.
    CReportOutline report = RunGroup<CTestPanel>("DeviceType = u32 12\n[panel 0]\nHardwareValue 12 = u32 1\n"
                                                 "HardwareValue 13 = u32 1\nDisplayBrightness = fail 31\n"
                                                 "FactoryValue 15 = fail 5\nDisplayDefaultBrightness = u8 1\n");
    EXPECT_EQ(report.Test(L"Brightness").result, ErrorText(31));
    EXPECT_EQ(report.Test(L"Resolution").result, ErrorText(5));
    const Lines names = report.Names();
    EXPECT_EQ(std::count(names.begin(), names.end(), L"Default brightness"), 0);
    EXPECT_EQ(std::count(report.calls.begin(), report.calls.end(), "TivGetFactoryValue(16,2)"), 0);
}

TEST(PanelGroup, LedLayersFollowTheKeyConfiguration)
{
    const struct { const char* entries; Lines expected; } cases[] = {
        { "LedCount = u8 5\nKeyCfgState = u32 0\n", { L"Count", L"Matrix, layer 1" } },
        { "LedCount = u8 5\nKeyCfgState = u32 1\n",
          { L"Count", L"Matrix, layer 1", L"Matrix, layer 2", L"Matrix, layer 3", L"Matrix, layer 4" } },
        // A failed state read counts as invalid, whatever the library wrote.
        { "LedCount = u8 5\nKeyCfgState = u32 1 ret 0\n", { L"Count", L"Matrix, layer 1" } },
        { "LedCount = u8 5\nKeyCfgState = u32 0 then u32 0 then u32 1\n",
          { L"Count", L"Matrix, layer 1", L"Matrix, layer 3", L"Matrix, layer 4" } },
        { "LedCount = u8 0\nKeyCfgState = u32 1\n", { L"Count" } },
        { "LedCount = fail 31\nKeyCfgState = u32 1\n", { L"Count" } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.entries);
        CReportOutline report =
            RunGroup<CTestPanel>(std::string("DeviceType = u32 4\nKeyCount = u8 0\nDisplayContrast = fail 31\n") + c.entries);
        Lines leds = report.Section(L"S:LEDs", L"S:");
        leds.erase(leds.begin());
        for (std::wstring& line : leds)
            line.erase(0, 2);
        EXPECT_EQ(leds, c.expected);
    }
}

TEST(PanelGroup, KeysFollowTheCount)
{
    // Type, then entries; each Keys test as name=result/status.
    const std::wstring kHead = L"Count=3/Passed,Enabled=Yes/Passed,", kMatrix = L"Matrix=" + ErrorText(5) + L"/Failed,";
    const struct { const char* entries; std::wstring expected; } cases[] = {
        { "4\nKeyCount = fail 31\n", L"Count=" + ErrorText(31) + L"/Failed," },
        // Unreadable switches are "Undefined" and pass; readable ones are two hex digits.
        { "4\nKeySwitches = fail 31\n", kHead + L"Switches=Undefined/Passed," + kMatrix },
        { "5\nKeySwitches = u8 10\n", kHead + L"Switches=0A/Passed," + kMatrix },
        { "9\nKeySwitches = u8 10\n", kHead + kMatrix },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.entries);
        CReportOutline report = RunGroup<CTestPanel>("KeyCount = u8 3\nAreKeysEnabled = u32 2\nKeyMatrix = fail 5\n"
                                                     "LedCount = u8 0\nDeviceType = u32 " + std::string(c.entries));
        std::wstring keys;
        for (const CReportTest& test : report.tests)
            if (test.category == L"Panel 0" && test.subCategory == L"Keys")
                keys += test.name + L"=" + test.result + L"/" + test.status + L",";
        EXPECT_EQ(keys, c.expected);
    }
}

TEST(PanelGroup, JoystickAndPotentiometer)
{
    const std::string kHandheld =
        "DeviceType = u32 9\nKeyCount = u8 0\nLedCount = u8 0\nHardwareValue 38 = u32 0\nHardwareValue 40 = u32 1\n"
        "HardwareValue 41 = u32 0\nHardwareValue 42 = bytes FF030000 00000000 FFFFFFFF\n"
        "HardwareValue 43 = bytes FCFFFFFF 00000080 05000000\n";
    CReportOutline report = RunGroup<CTestPanel>(kHandheld + "HardwareValue 44 = fail 1168\n");
    // Uncalibrated still shows the positions; calibrated ones keep their sign, raw ones not.
    EXPECT_EQ(report.Test(L"Calibrated").result, L"No");
    EXPECT_EQ(report.Test(L"Positions (X/Y/Z)").result, L"-4 / -2147483648 / 5");
    EXPECT_EQ(report.Test(L"Raw positions (X/Y/Z)").result, L"1023 / 0 / 4294967295");
    EXPECT_EQ(report.Section(L"C:Handwheel", L"C:"), (Lines{ L"C:Handwheel", L"S:CatUndef", L"T:Available" }));
    // An unreadable "Available" counts as absent.
    EXPECT_EQ(report.Section(L"C:Override Potentiometer", L"C:"),
              (Lines{ L"C:Override Potentiometer", L"S:CatUndef", L"T:Available" }));
    EXPECT_EQ(report.tests.back().result, ErrorText(1168));
}
