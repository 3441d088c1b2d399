// CPU-board group run into a report: its read-once gate, the categories by type and board, "Type".
#include "groups/TestCPUBoard.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

// The categories of the report, in order.
std::vector<std::wstring> Categories(const CReportOutline& report)
{
    std::vector<std::wstring> names;
    for (const std::wstring& line : report.lines)
    {
        if (line.rfind(L"C:", 0) == 0)
            names.push_back(line.substr(2));
    }
    return names;
}

}  // namespace

TEST(CPUBoardGroup, CategoriesByTypeAndBoard)
{
    const std::wstring id = L"Identification", temps = L"Temperatures", volts = L"Voltages";
    const std::wstring factory = L"Factory Settings", stats = L"Statistics";
    struct
    {
        const char* pszProfile;
        std::vector<std::wstring> categories;
        long boardReads;  // "Type", and on 6 and 7 the temperatures' board check
    } const cases[] = {
        { "DeviceType = u32 6\nHardwareStringW 16 = str \"R563GME 1.8 GHz\"\n", { id, temps, volts }, 2 },
        { "DeviceType = u32 7\nHardwareStringW 16 = str \"R563\"\n", { id, temps, volts }, 2 },
        { "DeviceType = u32 6\nHardwareStringW 16 = str \"W871\"\n", { id, volts }, 2 },
        { "DeviceType = u32 7\nHardwareStringW 16 = str \"r563\"\n", { id, volts }, 2 },
        { "DeviceType = u32 7\nHardwareStringW 16 = fail 31\n", { id, volts }, 2 },
        { "DeviceType = u32 13\n", { id, temps }, 1 },
        { "DeviceType = u32 16\n", { id, factory, stats, temps, volts }, 1 },
        { "DeviceType = u32 18\n", { id, factory, temps, volts }, 1 },
        { "DeviceType = u32 20\n", { id }, 1 },
        { "DeviceType = u32 3\n", {}, 0 },
        { "DeviceType = u32 0\n", {}, 0 },
        // The type is read once: a read that fails is not tried again by the type chain.
        { "DeviceType = fail 31 then u32 20\n", {}, 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszProfile);
        CReportOutline report = RunGroup<CTestCPUBoard>(c.pszProfile);
        EXPECT_EQ(Categories(report), c.categories);
        EXPECT_EQ(std::count(report.calls.begin(), report.calls.end(), "TivGetHardwareStringW(16,520)"),
                  c.boardReads);
    }
}

TEST(CPUBoardGroup, TypeShowsTheBoardName)
{
    struct
    {
        const char* pszBoard;
        std::wstring result;
        const wchar_t* pszStatus;
    } const cases[] = {
        { "str \"855GME-1.4\"", L"G417", L"Passed" },
        { "str \"Custom board 9\"", L"Custom board 9", L"Passed" },
        { "fail 1167", ErrorText(1167), L"Failed" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszBoard);
        CReportTest test = RunGroup<CTestCPUBoard>(std::string("DeviceType = u32 20\n"
                                                               "HardwareStringW 16 = ") +
                                                   c.pszBoard + "\n")
                               .Test(L"Type");
        EXPECT_EQ(test.result, c.result);
        EXPECT_EQ(test.status, c.pszStatus);
        EXPECT_EQ(test.format, L"String");
    }
}
