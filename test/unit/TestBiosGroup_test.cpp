// BIOS group run into a report: gate, firmware strings, the registry id and the boot area.
#include "groups/TestBios.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

namespace
{

const wchar_t kBiosKey[] = L"HARDWARE\\TIV\\Bios";

}  // namespace

TEST(BiosGroup, TestsByDeviceType)
{
    const std::vector<std::wstring> three = { L"G:BIOS", L"C:CatUndef", L"S:CatUndef", L"T:Vek version",
                                              L"T:Build date", L"T:ID" };
    std::vector<std::wstring> four = three;
    four.push_back(L"T:Boot mode");
    for (const auto& [pszType, expected] : { std::pair{ "u32 14", three }, { "u32 15", four }, { "u32 17", four },
                                             { "u32 18", three }, { "u32 9", {} }, { "fail 31", {} }, { "u32 0", {} } })
    {
        SCOPED_TRACE(pszType);
        CStagedMachineKey machine;
        machine.SetString(kBiosKey, L"VersionID", L"BIOS-ID-42");
        CReportOutline report = RunGroup<CTestBios>(std::string("DeviceType = ") + pszType + "\n"
                                                    "FirmwareStringW 21 = str \"R1.23\"\n"
                                                    "FirmwareStringW 23 = str \"2026/01/31\"\n");
        EXPECT_EQ(report.lines, expected);
        if (!expected.empty())
        {
            EXPECT_EQ(report.Test(L"Build date").result + L"|" + report.Test(L"ID").result, L"2026/01/31|BIOS-ID-42");
        }
    }
}

TEST(BiosGroup, BootModeIsTheBiosForm)
{
    // Any non-zero result is a success here.
    for (const auto& [pszValue, pszText] : { std::pair{ "u32 1", L"Normal area" }, { "u32 0", L"Backup area" },
                                             { "u32 2", L"Backup area" }, { "u32 1 ret 2", L"Normal area" } })
    {
        SCOPED_TRACE(pszValue);
        CStagedMachineKey machine;
        CReportTest test = RunGroup<CTestBios>(std::string("DeviceType = u32 15\nFirmwareValue 28 = ") + pszValue)
                               .Test(L"Boot mode");
        EXPECT_EQ(test.result, pszText);
        EXPECT_EQ(test.status + test.format, L"PassedString");
    }
}

TEST(BiosGroup, FailuresCarryTheirOwnCodes)
{
    CStagedMachineKey machine;  // no BIOS key
    CReportOutline report = RunGroup<CTestBios>("DeviceType = u32 17\nFirmwareStringW 21 = fail 1167\n"
                                                "FirmwareStringW 23 = fail 21\nFirmwareValue 28 = fail 50\n");
    EXPECT_EQ(report.Test(L"Vek version").result, ErrorText(1167));
    EXPECT_EQ(report.Test(L"Vek version").status, L"Failed");
    EXPECT_EQ(report.Test(L"Build date").result, ErrorText(21));
    EXPECT_EQ(report.Test(L"ID").result, ErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(report.Test(L"ID").status + report.Test(L"ID").format, L"FailedString");
    EXPECT_EQ(report.Test(L"Boot mode").result, ErrorText(50));
    EXPECT_EQ(report.Test(L"Boot mode").status, L"Failed");
}

TEST(BiosGroup, RegistryIdShapes)
{
    const wchar_t abc[] = { L'A', L'B', L'C' };
    const std::wstring full(256, L'z');
    const std::wstring tooLong(300, L'y');
    struct { DWORD dwType; const void* pData; DWORD cbData; std::wstring expected; bool bFailed; } const cases[] = {
        { REG_SZ, abc, sizeof(abc), L"ABC", false },    // no terminator: the text ends with the data
        { REG_BINARY, full.data(), 512, full, false },  // 512 bytes without one: all 256 characters
        { REG_SZ, tooLong.c_str(), 602, ErrorText(ERROR_MORE_DATA), true },
        { REG_BINARY, L"BIN-ID", 14, L"BIN-ID", false },  // the type is not looked at
        { REG_NONE, nullptr, 0, ErrorText(ERROR_FILE_NOT_FOUND), true },  // the key without the value
    };
    for (const auto& c : cases)
    {
        CStagedMachineKey machine;
        if (c.pData != nullptr)
            machine.SetRaw(kBiosKey, L"VersionID", c.dwType, c.pData, c.cbData);
        else
            machine.CreateKey(kBiosKey);
        CReportTest test = RunGroup<CTestBios>("DeviceType = u32 4\n").Test(L"ID");
        EXPECT_EQ(test.result, c.expected);
        EXPECT_EQ(test.status, c.bFailed ? L"Failed" : L"Passed");
    }
}
