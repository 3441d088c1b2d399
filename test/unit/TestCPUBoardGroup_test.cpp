// CPU-board group run into a report: its read-once gate, and the board asked about only where it decides.
#include "groups/TestCPUBoard.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(CPUBoardGroup, CategoriesAndBoardReads)
{
    const std::wstring id = L"C:Identification", temps = L"C:Temperatures", volts = L"C:Voltages";
    struct
    {
        const char* pszProfile;
        std::vector<std::wstring> categories;
        long boardReads;  // "Type", and on 6 and 7 the temperatures' board check
    } const cases[] = {
        { "DeviceType = u32 7\nHardwareStringW 16 = str \"r563\"\n", { id, volts }, 2 },
        // The R563 board gives a temperature only on 6 and 7.
        { "DeviceType = u32 20\nHardwareStringW 16 = str \"R563\"\n", { id }, 1 },
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
