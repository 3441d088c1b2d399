// System-unit group run into a report: gate, layout by device type, byte lists, raw blocks, Kelb slots, LMQ Link.
#include "groups/TestSystemUnit.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

namespace
{

using CLines = std::vector<std::wstring>;

std::string Type(DWORD dwType)
{
    return "DeviceType = u32 " + std::to_string(dwType) + "\n";
}

// Categories with their named subcategories: "Firmware(DROV,LMQ Link);Factory Settings;...".
std::wstring Layout(const CReportOutline& report)
{
    std::wstring layout;
    bool bOpen = false;
    for (const std::wstring& line : report.lines)
    {
        bool bSub = line.rfind(L"S:", 0) == 0 && line != L"S:CatUndef";
        if (line.rfind(L"C:", 0) != 0 && !bSub)
            continue;
        layout += (bSub ? (bOpen ? L"," : L"(") : (bOpen ? L");" : layout.empty() ? L"" : L";")) +
                  line.substr(2);
        bOpen = bSub;
    }
    return layout + (bOpen ? L")" : L"");
}

// The test of that name in that category (an empty record when there is none).
CReportTest Find(const CReportOutline& report, const std::wstring& category, const std::wstring& name)
{
    auto it = std::find_if(report.tests.begin(), report.tests.end(),
                           [&](const CReportTest& t) { return t.category == category && t.name == name; });
    return it != report.tests.end() ? *it : CReportTest{};
}

}  // namespace

TEST(SystemUnitGroup, GateReadsTheTypeOnce)
{
    for (const auto& [pszType, bWritten] : { std::pair{ "u32 0", false }, { "fail 31", false }, { "u32 12", true } })
    {
        SCOPED_TRACE(pszType);
        CReportOutline report = RunGroup<CTestSystemUnit>(std::string("DeviceType = ") + pszType);
        EXPECT_EQ(std::count(report.calls.begin(), report.calls.end(), "TivGetDeviceType()"), 1);
        EXPECT_EQ(!report.lines.empty(), bWritten);
    }
}

TEST(SystemUnitGroup, LayoutByDeviceType)
{
    // The edge types (every type 1 to 21 is checked end to end), and types beyond the list.
    const std::wstring fs = L"Factory Settings;", st = L"Statistics;", later = L"Firmware(DROV);" + fs + st;
    const std::pair<std::vector<DWORD>, std::wstring> cases[] = {
        { { 3, 22, 40 }, L"Firmware(DROV,LMQ Link);" + fs + st + L"Temperatures;Fans;Switches;CMOS Battery" },
        { { 4 }, L"Firmware(SMC,ZUQ,FPGA,Kelb Slot 1 FPGA,Kelb Slot 2 FPGA);" + fs +
                     L"Temperatures;Switches;Kelb Slot 1;Kelb Slot 2;CMOS Battery" },
        { { 9, 11 }, L"Factory Settings;Statistics" },
        { { 15 }, later + L"Switches;CMOS Battery" },
        { { 20, 21 }, L"Firmware(DROV);Factory Settings;Statistics" },
    };
    for (const auto& [types, expected] : cases)
        for (DWORD dwType : types)
        {
            SCOPED_TRACE(dwType);
            EXPECT_EQ(Layout(RunGroup<CTestSystemUnit>(Type(dwType))), expected);
        }
    // On 15 to 21 "Temperatures" opens at the first sensor that reads.
    CReportOutline report = RunGroup<CTestSystemUnit>(Type(20) + "Temperature 21 = i8 30\n");
    EXPECT_EQ(Layout(report), later + L"Temperatures");
    EXPECT_EQ(report.Section(L"C:Temperatures", L"C:"),
              (CLines{ L"C:Temperatures", L"S:CatUndef", L"T:Sensor 3" }));
}

TEST(SystemUnitGroup, ByteListsAndBits)
{
    const std::string bytes = "FactoryValue 1 = u8 0xFF\nFactoryValue 5 = u8 0\nFactoryValue 6 = "
                              "u8 0x80\nFactoryValue 7 = u8 0xFF\nFactoryValue 8 = u8 0x10\n"
                              "FactoryValue 9 = fail 31\nFactoryValue 10 = u8 1\n";
    CReportOutline report = RunGroup<CTestSystemUnit>(Type(4) + bytes);
    EXPECT_EQ(Find(report, L"Factory Settings", L"Version").result, L"255");
    EXPECT_EQ(report.Test(L"Brightness (min/def/max)").result, L"00h 80h FFh");
    // The first read that fails gives the test its error; the later bytes are not read.
    EXPECT_EQ(report.Test(L"Contrast (min/def/max)").result, ErrorText(31));
    EXPECT_EQ(report.Test(L"Contrast (min/def/max)").status, L"Failed");
    EXPECT_EQ(std::count(report.calls.begin(), report.calls.end(), "TivGetFactoryValue(10,1)"), 0);
    report = RunGroup<CTestSystemUnit>(Type(11) + bytes);
    EXPECT_EQ(report.Test(L"Brightness (min/max)").result, L"00h FFh");
    EXPECT_EQ(report.Test(L"Contrast (min/max)").result, L"10h 01h");
    for (const auto& [pszByte, pszBits] : { std::pair{ "0x80", L"10000000" }, { "0xFF", L"11111111" } })
    {
        report = RunGroup<CTestSystemUnit>(Type(7) + "HardwareValue 15 = u8 " + pszByte);
        EXPECT_EQ(report.Test(L"Optimized ID").result, pszBits);
        EXPECT_EQ(report.Test(L"Optimized ID").format, L"Dec");
    }
}

TEST(SystemUnitGroup, RawBlockSizeByType)
{
    const std::string block = "FactoryValue 17 = bytes 01 02 fill 2046 FF\n";
    for (const auto& [dwType, dwSize] : { std::pair{ 15u, 2048u }, { 21u, 2048u }, { 14u, 256u },
                                         { 22u, 256u } })
    {
        SCOPED_TRACE(dwType);
        CReportOutline report = RunGroup<CTestSystemUnit>(Type(dwType) + block);
        EXPECT_EQ(std::count(report.calls.begin(), report.calls.end(), "TivGetFactoryValue(17," + std::to_string(dwSize) + ")"), 1);
        // Only the 0xFF run beyond the first 256 bytes is summed up.
        EXPECT_EQ(report.Test(L"Raw data").result.find(L"(remaining 1792 bytes are FF)") != std::wstring::npos,
                  dwSize == 2048);
    }
}

TEST(SystemUnitGroup, BootStatusTexts)
{
    // Only the low byte counts.
    for (const auto& [dwStatus, pszText] : { std::pair{ 2u, L"Kelb module not found" }, { 9u, L"Boot is active)" },
                                            { 11u, L"Unknown" }, { 0x105u, L"Boot OK" }, { 256u, L"FPGA firmware not found" } })
        EXPECT_STREQ(GetFpgaBootStatusText(dwStatus), pszText);
}

TEST(SystemUnitGroup, KelbSlotByBootStatus)
{
    const CLines only = { L"T:Kelb boot status" },
                 fpga = { L"T:Kelb boot status", L"T:Kelb info", L"T:Kelb extended info", L"T:Kelb size" },
                 module = { L"T:Model number", L"T:Device ID", L"T:Variant", L"T:EEPROM data" };
    const std::tuple<const char*, std::wstring, const wchar_t*, bool> cases[] = {
        { "u8 2", L"Kelb module not found", L"Passed", false },
        { "u8 4", L"Boot failed", L"Passed", true },
        { "u8 5", L"Boot OK", L"Passed", true },
        // A failed read is a failed test in both places, never an empty slot.
        { "fail 31", ErrorText(31), L"Failed", false },
    };
    for (const auto& [pszStatus, text, pszStatusWord, bModule] : cases)
    {
        SCOPED_TRACE(pszStatus);
        CReportOutline report = RunGroup<CTestSystemUnit>(
            Type(8) + "FirmwareValue 14 = u8 2\nFirmwareValue 13 = " + pszStatus);
        CLines fpgaSection = report.Section(L"S:Kelb Slot 1 FPGA", L"S:");
        CLines moduleSection = report.Section(L"C:Kelb Slot 1", L"C:");
        EXPECT_EQ(CLines(fpgaSection.begin() + 1, fpgaSection.end()), bModule ? fpga : only);
        EXPECT_EQ(CLines(moduleSection.begin() + 2, moduleSection.end()), bModule ? module : only);
        EXPECT_EQ(report.Section(L"C:Kelb Slot 2", L"C:").back(), L"T:Kelb boot status");
        for (const wchar_t* pszCategory : { L"Firmware", bModule ? L"Firmware" : L"Kelb Slot 1" })
        {
            EXPECT_EQ(Find(report, pszCategory, L"Kelb boot status").result, text);
            EXPECT_EQ(Find(report, pszCategory, L"Kelb boot status").status, pszStatusWord);
        }
    }
}

TEST(SystemUnitGroup, LmqLinkByLinkType)
{
    const std::tuple<const char*, CLines, std::wstring> cases[] = {
        { "HardwareValue 18 = u32 0\n", { L"T:Type" }, L"Not available" },
        // A failed call's value is never used, whatever it wrote.
        { "HardwareValue 18 = u32 1 ret 0\n", { L"T:Type" }, L"Not available" },
        { "HardwareValue 18 = fail 31\n", { L"T:Type" }, L"Not available" },
        { "HardwareValue 18 = u32 1\nHardwareStringW 19 = fail 50\n", { L"T:Type" },
          ErrorText(50) },
        { "HardwareValue 18 = u32 3\nHardwareStringW 19 = str \"RX\"\n",
          { L"T:Type", L"T:FPGA version" }, L"RX" },
    };
    for (const auto& [pszProfile, tests, type] : cases)
    {
        SCOPED_TRACE(pszProfile);
        CReportOutline report = RunGroup<CTestSystemUnit>(Type(6) + pszProfile);
        CLines section = report.Section(L"S:LMQ Link", L"C:");
        EXPECT_EQ(CLines(section.begin() + 1, section.end()), tests);
        EXPECT_EQ(report.Test(L"Type").result, type);
    }
}
