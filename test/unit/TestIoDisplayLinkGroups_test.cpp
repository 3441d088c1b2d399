// I/O board and display-link groups run into a report: type gate, presence gate, categories.
#include "groups/TestDisplayLink.h"
#include "groups/TestIO.h"

#include <algorithm>

#include "support/GroupReport.h"

#include <gtest/gtest.h>

TEST(BoardGroups, GateAndCategoriesByType)
{
    const std::vector<std::wstring> io = { L"G:I/O Board", L"C:Firmware", L"C:Factory Settings", L"C:Temperatures",
                                           L"C:Statistics" };
    const std::vector<std::wstring> link20 = { L"G:Display Link", L"C:Firmware", L"C:Factory Settings", L"C:Statistics" };
    std::vector<std::wstring> link18 = link20;
    link18.push_back(L"C:Temperatures");
    struct { bool bIo; const char* pszProfile; std::vector<std::wstring> expected; int nPresenceReads; }
    const cases[] = {  // bIo: the I/O board group, else the display link
        { true, "DeviceType = u32 15\nHardwareValue 58 = u32 1\n", io, 1 },
        { true, "DeviceType = u32 17\nHardwareValue 58 = u32 0x80000000\n", io, 1 },
        { true, "DeviceType = u32 16\nHardwareValue 58 = u32 0\n", {}, 1 },
        { true, "DeviceType = u32 16\nHardwareValue 58 = fail 31\n", {}, 1 },
        { true, "DeviceType = u32 14\nHardwareValue 58 = u32 1\n", {}, 0 },
        { true, "DeviceType = u32 18\nHardwareValue 58 = u32 1\n", {}, 0 },
        { false, "DeviceType = u32 18\nHardwareValue 18 = u32 1\n", link18, 1 },
        { false, "DeviceType = u32 20\nHardwareValue 18 = u32 2\n", link20, 1 },
        { false, "DeviceType = u32 18\nHardwareValue 18 = u32 0\n", {}, 1 },
        { false, "DeviceType = u32 19\nHardwareValue 18 = u32 1\n", {}, 0 },
        { false, "DeviceType = fail 31\nHardwareValue 18 = u32 1\n", {}, 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszProfile);
        CReportOutline report = c.bIo ? RunGroup<CTestIO>(c.pszProfile)
                                      : RunGroup<CTestDisplayLink>(c.pszProfile);
        std::vector<std::wstring> containers = report.lines;
        std::erase_if(containers, [](const std::wstring& line) { return line[0] != L'G' && line[0] != L'C'; });
        EXPECT_EQ(containers, c.expected);
        const char* pszPresence = c.bIo ? "TivGetHardwareValue(58,4)" : "TivGetHardwareValue(18,4)";
        EXPECT_EQ(std::count(report.calls.begin(), report.calls.end(), pszPresence), c.nPresenceReads);
        // No sensor answers here: "Temperatures" still stands, holding only its subcategory.
        EXPECT_TRUE(std::count(containers.begin(), containers.end(), L"C:Temperatures") == 0 ||
                    report.Section(L"C:Temperatures", L"C:").size() == 2);
    }
}
