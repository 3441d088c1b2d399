// BIOS group run into a report: gate, firmware strings, the registry id and the boot area.
#include "groups/TestBios.h"

#include "support/GroupReport.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

namespace
{

const wchar_t kBiosKey[] = L"HARDWARE\\TIV\\Bios";

const char kFirmware[] =
    "FirmwareStringW 21 = str \"R1.23\"\n"
    "FirmwareStringW 23 = str \"2026/01/31\"\n";

}  // namespace

TEST(BiosGroup, TestsByDeviceType)
{
    struct
    {
        const char* pszProfile;
        std::vector<std::wstring> expected;
    } const cases[] = {
        { "DeviceType = u32 4\n",
          { L"G:BIOS", L"C:CatUndef", L"S:CatUndef", L"T:Vek version", L"T:Build date", L"T:ID" } },
        { "DeviceType = u32 16\nFirmwareValue 28 = u32 1\n",
          { L"G:BIOS", L"C:CatUndef", L"S:CatUndef", L"T:Vek version", L"T:Build date", L"T:ID",
            L"T:Boot mode" } },
        { "DeviceType = u32 9\n", {} },
        { "DeviceType = fail 31\n", {} },
        { "DeviceType = u32 0\n", {} },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszProfile);
        CStagedMachineKey machine;
        machine.SetString(kBiosKey, L"VersionID", L"BIOS-ID-42");
        const std::string profile(std::string(c.pszProfile) + kFirmware);
        CReportOutline report = RunGroup<CTestBios>(profile);
        EXPECT_EQ(report.lines, c.expected);
        if (c.expected.empty())
            continue;
        EXPECT_EQ(report.Test(L"Vek version").result, L"R1.23");
        EXPECT_EQ(report.Test(L"Build date").result, L"2026/01/31");
        EXPECT_EQ(report.Test(L"ID").result, L"BIOS-ID-42");
        EXPECT_EQ(report.Test(L"ID").status, L"Passed");
    }
}

TEST(BiosGroup, BootModeIsTheBiosForm)
{
    struct
    {
        const char* pszValue;
        const wchar_t* pszText;
    } const cases[] = {
        { "u32 1", L"Normal area" },
        { "u32 0", L"Backup area" },
        { "u32 2", L"Backup area" },
        { "u32 1 ret 2", L"Normal area" },  // any non-zero result is a success here
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszValue);
        const std::string profile(std::string("DeviceType = u32 15\nFirmwareValue 28 = ") + c.pszValue +
                          "\n");
        CStagedMachineKey machine;
        CReportTest test = RunGroup<CTestBios>(profile).Test(L"Boot mode");
        EXPECT_EQ(test.result, c.pszText);
        EXPECT_EQ(test.status, L"Passed");
        EXPECT_EQ(test.format, L"String");
    }
}

TEST(BiosGroup, FailuresCarryTheirOwnCodes)
{
    const std::string profile("DeviceType = u32 17\nFirmwareStringW 21 = fail 1167\n"
                      "FirmwareStringW 23 = fail 21\nFirmwareValue 28 = fail 50\n");
    CStagedMachineKey machine;  // no BIOS key
    CReportOutline report = RunGroup<CTestBios>(profile);
    EXPECT_EQ(report.Test(L"Vek version").result, ErrorText(1167));
    EXPECT_EQ(report.Test(L"Vek version").status, L"Failed");
    EXPECT_EQ(report.Test(L"Build date").result, ErrorText(21));
    EXPECT_EQ(report.Test(L"ID").result, ErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(report.Test(L"ID").status, L"Failed");
    EXPECT_EQ(report.Test(L"ID").format, L"String");
    EXPECT_EQ(report.Test(L"Boot mode").result, ErrorText(50));
    EXPECT_EQ(report.Test(L"Boot mode").status, L"Failed");
}

TEST(BiosGroup, RegistryIdShapes)
{
    const std::string profile("DeviceType = u32 4\n");
    {
        // No terminator: the text ends with the data.
        CStagedMachineKey machine;
        const wchar_t data[] = { L'A', L'B', L'C' };
        machine.SetRaw(kBiosKey, L"VersionID", REG_SZ, data, sizeof(data));
        EXPECT_EQ(RunGroup<CTestBios>(profile).Test(L"ID").result, L"ABC");
    }
    {
        // Exactly 512 bytes without a terminator: all 256 characters, nothing beyond.
        CStagedMachineKey machine;
        std::wstring full(256, L'z');
        machine.SetRaw(kBiosKey, L"VersionID", REG_BINARY, full.data(), 512);
        EXPECT_EQ(RunGroup<CTestBios>(profile).Test(L"ID").result, full);
    }
    {
        CStagedMachineKey machine;
        machine.SetString(kBiosKey, L"VersionID", std::wstring(300, L'y'));
        CReportTest test = RunGroup<CTestBios>(profile).Test(L"ID");
        EXPECT_EQ(test.result, ErrorText(ERROR_MORE_DATA));
        EXPECT_EQ(test.status, L"Failed");
    }
    {
        // The type is not looked at: string data under another type is still shown.
        CStagedMachineKey machine;
        machine.SetString(kBiosKey, L"VersionID", L"BINARY-ID", REG_BINARY);
        EXPECT_EQ(RunGroup<CTestBios>(profile).Test(L"ID").result, L"BINARY-ID");
    }
    {
        CStagedMachineKey machine;
        machine.CreateKey(kBiosKey);
        EXPECT_EQ(RunGroup<CTestBios>(profile).Test(L"ID").result, ErrorText(ERROR_FILE_NOT_FOUND));
    }
}
