// Voltage and firmware families: single-precision texts, gates, board check, versions and boot modes.
#include "groups/readers/VoltageFirmware.h"
#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(FamilyVoltages, ThousandthsAreDividedInSinglePrecision)
{
    const struct { DWORD value; const wchar_t* format; const wchar_t* text; } cases[] = {
        { 45, L"%.2f", L"0.05" },  // 0.045 in double would give 0.04
        { 5, L"%.2f", L"0.00" },
        { 4294967295u, L"%.3f", L"4294967.500" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatThousandths(c.value, c.format), c.text) << c.value;
}

TEST(FamilyVoltages, MembersWriteTheirTests)
{
    const struct { const char* name; const char* profile; const CRows* member; std::vector<std::wstring> names;
                   std::vector<std::wstring> results; } cases[] = {
        { "CPU board voltages", "Voltage 1 = u32 3300\nVoltage 5 = u32 5012\nVoltage 2 = u32 0\n",
          &kVoltagesCpuBoard, { L"+3.3Vin", L"+5Vin", L"5Vsb" },
          { L"3.300", L"5.012", L"0.000" } },
        { "power on 15", "DeviceType = u32 15\nVoltage 7 = u32 0\nVoltage 8 = u32 45\n",
          &kPowerCpuBoard, { L"Vin", L"Wcpu" }, { L"0.00", L"0.05" } },
        { "power on 19", "DeviceType = u32 19\nVoltage 8 = u32 24000\n", &kPowerCpuBoard,
          { L"Wcpu" }, { L"24.00" } },
        { "power, type unreadable", "DeviceType = fail 31\nVoltage 7 = u32 24000\n",
          &kPowerCpuBoard, { L"Vin", L"Wcpu" }, { L"24.00", L"" } },
        { "Vbat on 6", "DeviceType = u32 6\nVoltage 3 = u32 3012\n", &kVoltageCmosBattery,
          { L"Vbat" }, { L"3.012" } },
        { "Vbat on 20", "DeviceType = u32 20\nVoltage 3 = u32 3012\n", &kVoltageCmosBattery, {},
          {} },
        { "Vbat unreadable", "DeviceType = fail 31\nVoltage 3 = u32 3012\n",
          &kVoltageCmosBattery, {}, {} },
    };
    for (const auto& c : cases)
    {
        CReportOutline run = RunInGroup(c.profile, [&](CTest& t) { WriteRows(t, *c.member); });
        EXPECT_EQ(run.Names(), c.names) << c.name;
        for (size_t i = 0; i < run.tests.size() && i < c.results.size(); ++i)
        {
            if (c.results[i].empty())
            {
                EXPECT_EQ(run.tests[i].status, L"Failed") << c.name;
                EXPECT_EQ(run.tests[i].result, ErrorText(ERROR_NOT_FOUND)) << c.name;
                continue;
            }
            EXPECT_EQ(run.tests[i].result, c.results[i]) << c.name;
            EXPECT_EQ(run.tests[i].status, L"Passed") << c.name;
            EXPECT_EQ(run.tests[i].format, run.tests[i].name == L"Wcpu" ? L"Watt" : L"Volt")
                << c.name;
        }
    }
}

TEST(FamilyVoltages, VcoreBOnlyOnBoardR563)
{
    // board: HardwareStringW 16 entry
    const struct { const char* board; std::vector<std::wstring> names; } cases[] = {
        { "str \"R563GME\"", { L"VcoreA", L"VcoreB" } },
        { "str \"855GME\"", { L"VcoreA" } },
        { "fail 31", { L"VcoreA" } },
    };
    for (const auto& c : cases)
    {
        CReportOutline run = RunInGroup(std::string("HardwareStringW 16 = ") + c.board +
                                       "\nVoltage 0 = u32 1500\nVoltage 4 = u32 1250\n",
                                   [](CTest& t) { WriteRows(t, kVoltagesCpu); });
        EXPECT_EQ(run.Names(), c.names) << c.board;
        // The board is asked after VcoreA has been read.
        ASSERT_GE(run.calls.size(), 2u);
        EXPECT_EQ(run.calls[0], "TivGetVoltage(0,4)");
        EXPECT_EQ(run.calls[1], "TivGetHardwareStringW(16,520)");
        if (run.tests.size() == 2)
        {
            EXPECT_EQ(run.tests[1].result, L"1.250");
            EXPECT_EQ(run.tests[1].description, L"Only supported on R563 CPU boards");
        }
    }
}

TEST(FamilyFirmware, BootModeForms)
{
    // entry: FirmwareValue <id> = ...; a null text: a failure
    const struct { const char* entry; const wchar_t* common; const wchar_t* bios; } cases[] = {
        { "u32 1", L"High area", L"Normal area" },
        { "u32 0", L"Low area", L"Backup area" },
        { "u32 2", L"Low area", L"Backup area" },
        { "u32 1 ret 2", nullptr, L"Normal area" },
        { "u32 0 ret 2", nullptr, L"Backup area" },
        { "fail 31", nullptr, nullptr },
    };
    for (const auto& c : cases)
    {
        CReportOutline run = RunInGroup(std::string("DeviceType = u32 16\nFirmwareValue 31 = ") + c.entry +
                                       "\nFirmwareValue 28 = " + c.entry + "\n",
                                   [](CTest& t) {
                                       WriteBootMode(t, L"Boot mode", 31, false);
                                       WriteFirmware(t, kFirmwareBiosBootMode);
                                   });
        ASSERT_EQ(run.tests.size(), 2u) << c.entry;
        const wchar_t* expected[] = { c.common, c.bios };
        for (size_t i = 0; i < 2; ++i)
        {
            const CReportTest& test = run.tests[i];
            EXPECT_EQ(test.name, L"Boot mode");
            EXPECT_EQ(test.format, L"String") << c.entry;
            if (expected[i] != nullptr)
            {
                EXPECT_EQ(test.result, expected[i]) << c.entry;
                EXPECT_EQ(test.status, L"Passed") << c.entry;
            }
            else
            {
                EXPECT_EQ(test.status, L"Failed") << c.entry;
            }
        }
        if (std::string(c.entry) == "fail 31")
        {
            EXPECT_EQ(run.tests[0].result, ErrorText(31));
        }
    }
}

TEST(FamilyFirmware, Members)
{
    // outline: after the group's first category
    const struct { const char* name; const char* type; const CFirmwareMember* member; std::vector<std::wstring> outline;
                   std::vector<std::string> reads; } cases[] = {
        { "display link", "u32 18", &kFirmwareDisplayLink,
          { L"T:FPGA firmware version", L"T:Boot mode" },
          { "TivGetFirmwareStringW(24,512)", "TivGetFirmwareValue(32,4)" } },
        { "DROV on 20", "u32 20", &kFirmwareDrov,
          { L"S:DROV", L"T:DROV version", L"T:Boot mode" },
          { "TivGetFirmwareStringW(27,512)", "TivGetFirmwareValue(29,4)" } },
        { "DROV on 6", "u32 6", &kFirmwareDrov,
          { L"S:DROV", L"T:FPGA version", L"T:KJ58 version" },
          { "TivGetFirmwareStringW(18,512)", "TivGetFirmwareStringW(19,512)" } },
        { "DROV unreadable", "fail 31", &kFirmwareDrov,
          { L"S:DROV", L"T:FPGA version", L"T:KJ58 version" },
          { "TivGetFirmwareStringW(18,512)", "TivGetFirmwareStringW(19,512)" } },
        // The chain reads the type again at each code: readable by the second, it decides.
        { "DROV readable late", "fail 31 then u32 20", &kFirmwareDrov,
          { L"S:DROV", L"T:DROV version", L"T:Boot mode" },
          { "TivGetFirmwareStringW(27,512)", "TivGetFirmwareValue(29,4)" } },
        { "BIOS boot mode on 15", "u32 15", &kFirmwareBiosBootMode, { L"T:Boot mode" },
          { "TivGetFirmwareValue(28,4)" } },
        { "BIOS boot mode on 18", "u32 18", &kFirmwareBiosBootMode, {}, {} },
        { "BIOS boot mode unreadable", "fail 31", &kFirmwareBiosBootMode, {}, {} },
    };
    for (const auto& c : cases)
    {
        CReportOutline run = RunInGroup(std::string("DeviceType = ") + c.type +
                                       "\nFirmwareStringW 24 = str \"V1.07\"\n",
                                   [&](CTest& t) { WriteFirmware(t, *c.member); });
        std::vector<std::wstring> outline(run.lines.begin() + 3, run.lines.end());
        EXPECT_EQ(outline, c.outline) << c.name;
        std::vector<std::string> reads;
        for (const std::string& call : run.calls)
        {
            if (call.rfind("TivGetFirmware", 0) == 0)
                reads.push_back(call);
        }
        EXPECT_EQ(reads, c.reads) << c.name;
        for (const CReportTest& test : run.tests)
            EXPECT_EQ(test.description, L"DescrUndef");
    }
    CReportOutline run = RunInGroup("FirmwareStringW 24 = str \"V1.07\"\n",
                               [](CTest& t) { WriteFirmware(t, kFirmwareDisplayLink); });
    ASSERT_EQ(run.tests.size(), 2u);
    EXPECT_EQ(run.tests[0].result, L"V1.07");
    EXPECT_EQ(run.tests[0].format, L"String");
}
