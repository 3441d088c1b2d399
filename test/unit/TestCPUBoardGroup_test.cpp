// CPU-board group run into a report: its read-once gate, the categories by type and board, "Type".
#include "groups/TestCPUBoard.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(CPUBoardGroup, CategoriesByTypeAndBoard)
{
    const std::wstring id = L"C:Identification", temps = L"C:Temperatures", volts = L"C:Voltages";
    struct
    {
        const char* pszProfile;
        std::vector<std::wstring> categories;
        long boardReads;  // "Type", and on 6 and 7 the temperatures' board check
    } const cases[] = {
        { "DeviceType = u32 6\nHardwareStringW 16 = str \"R563GME 1.8 GHz\"\n", { id, temps, volts }, 2 },
        { "DeviceType = u32 7\nHardwareStringW 16 = str \"r563\"\n", { id, volts }, 2 },
        { "DeviceType = u32 7\nHardwareStringW 16 = fail 31\n", { id, volts }, 2 },
        { "DeviceType = u32 13\n", { id, temps }, 1 },
        { "DeviceType = u32 0\n", {}, 0 },
        // The type is read once: a read that fails is not tried again by the type chain.
        { "DeviceType = fail 31 then u32 20\n", {}, 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszProfile);
        CReportOutline report = RunGroup<CTestCPUBoard>(c.pszProfile);
        std::erase_if(report.lines, [](const std::wstring& line) { return line[0] != L'C'; });
        EXPECT_EQ(report.lines, c.categories);
        EXPECT_EQ(std::count(report.calls.begin(), report.calls.end(), "TivGetHardwareStringW(16,520)"), c.boardReads);
    }
}

TEST(CPUBoardGroup, TypeShowsTheBoardName)
{
    for (const auto& [pszBoard, result, pszStatus] :
         { std::tuple{ "str \"855GME-1.4\"", std::wstring(L"G417"), L"Passed" },
           { "str \"Custom board 9\"", L"Custom board 9", L"Passed" }, { "fail 1167", ErrorText(1167), L"Failed" } })
    {
        SCOPED_TRACE(pszBoard);
        CReportTest test =
            RunGroup<CTestCPUBoard>(std::string("DeviceType = u32 20\nHardwareStringW 16 = ") + pszBoard).Test(L"Type");
        EXPECT_EQ(test.result, result);
        EXPECT_EQ(test.status + test.format, pszStatus + std::wstring(L"String"));
    }
}
