// CPU-board group run into a report: its read-once gate, the categories by type and board, "Type".
#include "groups/TestCPUBoard.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

// The outline without the subcategories (every one is "CatUndef" here).
std::vector<std::wstring> Outline(const CReportOutline& report)
{
    std::vector<std::wstring> lines;
    for (const std::wstring& line : report.lines)
    {
        if (line.rfind(L"S:", 0) != 0)
            lines.push_back(line);
    }
    return lines;
}

}  // namespace

TEST(CPUBoardGroup, CategoriesByTypeAndBoard)
{
    const std::vector<std::wstring> kSensors = { L"C:Temperatures", L"T:Sensor 1", L"T:Sensor 2",
                                                 L"T:Sensor 3", L"T:Sensor 4" };
    auto join = [](std::initializer_list<std::vector<std::wstring>> parts) {
        std::vector<std::wstring> all;
        for (const auto& part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    const std::vector<std::wstring> head = { L"G:CPU Board", L"C:Identification", L"T:Type" };
    const std::vector<std::wstring> board = { L"C:Temperatures", L"T:Board temperature" };
    const std::vector<std::wstring> volts = { L"C:Voltages", L"T:+3.3Vin", L"T:+5Vin", L"T:5Vsb" };
    const std::vector<std::wstring> factory = { L"C:Factory Settings", L"T:Version",
        L"T:Vendor ID", L"T:Device ID", L"T:Compatibility ID", L"T:Parent Device ID",
        L"T:Parent Compatibility ID", L"T:Hardware revision", L"T:Serial number",
        L"T:Model number", L"T:Raw data" };
    const std::vector<std::wstring> factoryNoVersion(factory.begin() + 2, factory.end() - 1);
    const std::vector<std::wstring> stats = { L"C:Statistics", L"T:Power-on cycles",
                                              L"T:Power-on hours" };
    struct
    {
        const char* pszProfile;
        std::vector<std::wstring> expected;
    } const cases[] = {
        { "DeviceType = u32 6\nHardwareStringW 16 = str \"R563GME 1.8 GHz\"\n",
          join({ head, board, volts }) },
        { "DeviceType = u32 7\nHardwareStringW 16 = str \"R563 2.0 GHz\"\n",
          join({ head, board, volts }) },
        { "DeviceType = u32 6\nHardwareStringW 16 = str \"W871\"\n", join({ head, volts }) },
        { "DeviceType = u32 7\nHardwareStringW 16 = str \"r563 custom\"\n", join({ head, volts }) },
        { "DeviceType = u32 7\nHardwareStringW 16 = fail 31\n", join({ head, volts }) },
        { "DeviceType = u32 13\n", join({ head, board }) },
        { "DeviceType = u32 16\n",
          join({ head, factory, stats, kSensors, { L"C:Voltages", L"T:Vin", L"T:Wcpu" } }) },
        { "DeviceType = u32 18\n",
          join({ head, { L"C:Factory Settings" }, factoryNoVersion, kSensors,
                 { L"C:Voltages", L"T:Wcpu" } }) },
        { "DeviceType = u32 20\n", head },
        { "DeviceType = u32 3\n", {} },
        { "DeviceType = u32 0\n", {} },
        { "DeviceType = fail 31\n", {} },
        // The type is read once: a read that fails is not tried again by the type chain.
        { "DeviceType = fail 31 then u32 20\n", {} },
    };
    const std::string sensors =
        "Temperature 15 = i8 40\nTemperature 16 = i8 41\nTemperature 17 = i8 42\n"
        "Temperature 18 = i8 43\n";
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszProfile);
        CReportOutline report = RunGroup<CTestCPUBoard>(c.pszProfile + sensors);
        EXPECT_EQ(Outline(report), c.expected);
        // The board is asked about for "Type", and again for the temperatures on 6 and 7 only.
        size_t boardReads = std::count(report.calls.begin(), report.calls.end(),
                                       "TivGetHardwareStringW(16,520)");
        bool bSixOrSeven = c.expected == join({ head, board, volts }) ||
                           c.expected == join({ head, volts });
        EXPECT_EQ(boardReads, c.expected.empty() ? 0u : bSixOrSeven ? 2u : 1u);
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
        { "str \"\"", L"", L"Passed" },
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
