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
    return "[panel " + std::to_string(n) + "]\nHardwareValue 12 = u32 1\nKeyCount = u8 0\n"
           "LedCount = u8 0\n" + entries;
}

Lines Filtered(const Lines& lines, wchar_t kind)
{
    Lines out;
    for (const std::wstring& line : lines)
        if (line[0] == kind || line[0] == L'C')
            out.push_back(line);
    return out;
}

}  // namespace

TEST(PanelGroup, WalkOverConnectedPanels)
{
    const std::string kType = "DeviceType = u32 12\n";
    const Lines kFull = { L"S:Status", L"S:Link", L"S:Factory Settings", L"S:Statistics",
                          L"S:Temperature", L"S:Fans", L"S:Display Settings", L"S:Keys",
                          L"S:LEDs" };
    auto category = [&](const wchar_t* name, Lines subs) {
        subs.insert(subs.begin(), name);
        return subs;
    };
    auto join = [](std::initializer_list<Lines> parts) {
        Lines out;
        for (const Lines& p : parts)
            out.insert(out.end(), p.begin(), p.end());
        return out;
    };
    const struct
    {
        const char* what;
        std::string profile;
        Lines expected;  // categories and subcategories
    } cases[] = {
        { "first panel 3, a gap, panel 15", kType + Panel(3) + Panel(7) + Panel(15),
          join({ category(L"C:Panel 3", kFull), category(L"C:Panel 7", kFull),
                 category(L"C:Panel 15", { L"S:Status", L"S:Display Settings", L"S:Keys",
                                           L"S:LEDs" }) }) },
        // The first panel answers the search but not the walk: its category stays empty.
        { "second check fails",
          kType + "[panel 2]\nHardwareValue 12 = u32 1 then u32 0\n" + Panel(4),
          join({ { L"C:Panel 2" }, category(L"C:Panel 4", kFull) }) },
        { "not linked", kType + Panel(0, "HardwareValue 13 = u32 0\n") + Panel(1),
          join({ category(L"C:Panel 0", { L"S:Status" }), category(L"C:Panel 1", kFull) }) },
        { "linked unreadable", kType + Panel(5, "HardwareValue 13 = fail 31\n"),
          category(L"C:Panel 5", { L"S:Status" }) },
        { "no panel", kType, {} },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        CReportOutline report = RunGroup<CTestPanel>(c.profile);
        if (c.expected.empty())
        {
            EXPECT_TRUE(report.lines.empty());
            continue;
        }
        EXPECT_EQ(report.lines[0], L"G:Panels");
        EXPECT_EQ(Filtered(report.lines, L'S'), c.expected);
    }
    // A panel that is not linked shows "Linked" alone; a failed read counts as not linked.
    CReportOutline report = RunGroup<CTestPanel>(cases[3].profile);
    EXPECT_EQ(report.Names(), (Lines{ L"Linked" }));
    EXPECT_EQ(report.Test(L"Linked").result, ErrorText(31));
    EXPECT_EQ(RunGroup<CTestPanel>(cases[2].profile).Test(L"Linked").result, L"No");
}

TEST(PanelGroup, SubcategoryGatesByTypeAndPanel)
{
    // Subcategories as letters: Status, Link, Factory, sTatistics, teMperature, fAns, then the
    // three that are always written (Display, Keys, LEDs).
    const struct
    {
        const char* type;
        int panel;
        const char* expected;
    } cases[] = {
        { "4", 0, "" },        { "5", 0, "" },       { "9", 0, "" },         { "11", 0, "" },
        { "8", 2, "S" },       { "10", 0, "SFTMA" }, { "12", 0, "SLFTMA" },  { "12", 15, "S" },
        { "19", 15, "SFTM" },  { "21", 15, "SFTM" }, { "18", 15, "S" },      { "15", 0, "ST" },
        { "17", 0, "ST" },     { "16", 1, "SLFTMA" }, { "fail 31", 0, "SLFTMA" },
    };
    const std::wstring letters = L"SLFTMA";
    const Lines names = { L"S:Status", L"S:Link", L"S:Factory Settings", L"S:Statistics",
                          L"S:Temperature", L"S:Fans" };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.type) + " panel " + std::to_string(c.panel));
        const std::string type = c.type[0] == 'f' ? c.type : std::string("u32 ") + c.type;
        const bool builtIn = c.panel == 0 && std::string("4 5 9 11").find(c.type) != std::string::npos;
        CReportOutline report = RunGroup<CTestPanel>(
            "DeviceType = " + type + "\n" +
            (builtIn ? "KeyCount = u8 0\nLedCount = u8 0\n" : Panel(c.panel)));
        Lines expected = { L"C:Panel " + std::to_wstring(c.panel) };
        for (const char* p = c.expected; *p; ++p)
            expected.push_back(names[letters.find(static_cast<wchar_t>(*p))]);
        expected.insert(expected.end(), { L"S:Display Settings", L"S:Keys", L"S:LEDs" });
        Lines actual = Filtered(report.lines, L'S');
        actual.resize(std::min(actual.size(), expected.size()));
        EXPECT_EQ(actual, expected);
        // The built-in panel is never selected; the handhelds add their operating elements.
        bool selects = false;
        for (const std::string& call : report.calls)
            selects = selects || call.rfind("TivSelectPanel(", 0) == 0;
        EXPECT_EQ(selects, !builtIn);
        const bool handheld = builtIn && c.type[0] != '4' && c.type[0] != '5';
        EXPECT_EQ(std::count(report.lines.begin(), report.lines.end(), L"C:Override Potentiometer"),
                  handheld ? 1 : 0);
    }
}
