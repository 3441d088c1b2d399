// Temperature and fan-speed families: read-first and begin-first, self-opening containers, gates, alarms.
#include "groups/readers/TemperatureFan.h"
#include "report/XmlReport.h"
#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::vector<std::string> Reads(const CReportOutline& run, const std::string& prefix)
{
    std::vector<std::string> out;
    for (const std::string& call : run.calls)
    {
        if (call.rfind(prefix, 0) == 0)
            out.push_back(call);
    }
    return out;
}

}  // namespace

TEST(FamilySensors, SelfOpeningContainers)
{
    // outline: after the group's own first category
    const struct { const char* name; const CSensorMember* member; const char* profile; std::vector<std::wstring> outline;
                   } cases[] = {
        { "IF, none reads", &kTemperaturesIfBoard, "", {} },
        { "IF, second and fourth", &kTemperaturesIfBoard,
          "Temperature 28 = i8 1\nTemperature 30 = i8 2\n",
          { L"S:Temperatures", L"T:Sensor 2", L"T:Sensor 4" } },
        { "system unit, none reads", &kTemperaturesSystemUnitExtra, "", {} },
        { "system unit, third reads", &kTemperaturesSystemUnitExtra, "Temperature 21 = i8 40\n",
          { L"C:Temperatures", L"S:CatUndef", L"T:Sensor 3" } },
    };
    for (const auto& c : cases)
    {
        CReportOutline run = RunInGroup(c.profile, [&](CTest& t) { WriteSensors(t, *c.member); });
        std::vector<std::wstring> outline(run.lines.begin() + 3, run.lines.end());
        EXPECT_EQ(outline, c.outline) << c.name;
    }
}

TEST(FamilySensors, ValuesStatusAndAlarms)
{
    const struct { const char* name; const CSensorMember* member; DWORD index; const char* profile;
                   const wchar_t* result; const wchar_t* format; const wchar_t* status; size_t alarmReads; } cases[] = {
        { "-128 stays a number", &kTemperaturesDisplayLink, 0, "Temperature 35 = i8 -128\n",
          L"-128", L"DegreeCentigrade", L"Passed", 1 },
        { "alarm 1", &kTemperaturesDisplayLink, 0, "Temperature 35 = i8 90\nAlarm 35 = u32 1\n",
          L"90", L"DegreeCentigrade", L"Alarm", 1 },
        { "alarm top bit", &kTemperaturesDisplayLink, 0, "Temperature 35 = i8 90\nAlarm 35 = u32 0x80000000\n",
          L"90", L"DegreeCentigrade", L"Alarm", 1 },
        { "alarm 0", &kTemperaturesDisplayLink, 0, "Temperature 35 = i8 90\nAlarm 35 = u32 0\n",
          L"90", L"DegreeCentigrade", L"Passed", 1 },
        { "no alarm id", &kTemperaturesIoBoard, 0, "Temperature 31 = i8 127\nAlarm 31 = u32 1\n",
          L"127", L"DegreeCentigrade", L"Passed", 0 },
        { "UPS -128", &kTemperaturesUps, 0, "Temperature 7 = i8 -128\nAlarm 18 = u32 1\n",
          L"(n.a.)", L"String", L"Passed", 0 },
        { "UPS -127", &kTemperaturesUps, 0, "Temperature 7 = i8 -127\nAlarm 18 = u32 1\n",
          L"-127", L"DegreeCentigrade", L"Alarm", 1 },
        { "panel -128", &kTemperaturePanel, 4, "Temperature 5 = i8 -128\n", L"-128",
          L"DegreeCentigrade", L"Passed", 1 },
        { "fan 0 with alarm", &kFanSpeedsBusFanKit, 0,
          "HardwareValue 67 = u16 0\nAlarm 41 = u32 0x100\n", L"0", L"Rpm", L"Alarm", 1 },
        { "fan 65535", &kFanSpeedsBusFanKit, 0, "HardwareValue 67 = u16 65535\n", L"65535",
          L"Rpm", L"Passed", 1 },
        { "panel fan fails", &kFanSpeedPanel, 5, "HardwareValue 11 = fail 31\n", nullptr,
          L"String", L"Failed", 0 },
    };
    for (const auto& c : cases)
    {
        CReportOutline run =
            RunInGroup(c.profile, [&](CTest& t) { WriteSensors(t, *c.member, c.index); });
        ASSERT_EQ(run.tests.size(), 1u) << c.name;
        const CReportTest& test = run.tests[0];
        EXPECT_EQ(test.result, c.result != nullptr ? std::wstring(c.result) : ErrorText(31))
            << c.name;
        EXPECT_EQ(test.format, c.format) << c.name;
        EXPECT_EQ(test.status, c.status) << c.name;
        EXPECT_EQ(Reads(run, "TivGetAlarm(").size(), c.alarmReads) << c.name;
    }
}

TEST(FamilySensors, AlarmOnlyAfterASuccessfulReading)
{
    // profile: only the reading under test answers
    const struct { const char* name; const CSensorMember* member; DWORD index; const char* profile; const wchar_t* test;
                   std::vector<std::string> calls; } cases[] = {
        { "display link sensor 2", &kTemperaturesDisplayLink, 0, "Temperature 36 = i8 20\n", L"Sensor 2",
          { "TivGetTemperature(35,1)", "TivGetTemperature(36,1)", "TivGetAlarm(36,4)",
            "TivGetTemperature(37,1)", "TivGetTemperature(38,1)" } },
        { "panel 7", &kTemperaturePanel, 7, "Temperature 5 = i8 20\n", L"Panel 7",
          { "TivGetTemperature(5,1)", "TivGetAlarm(9,4)" } },
        { "panel 0 fan", &kFanSpeedPanel, 0, "HardwareValue 11 = u16 1200\n", L"Panel 0 fan",
          { "TivGetHardwareValue(11,2)", "TivGetAlarm(10,4)" } },
    };
    for (const auto& c : cases)
    {
        CReportOutline run = RunInGroup(c.profile, [&](CTest& t) { WriteSensors(t, *c.member, c.index); });
        EXPECT_EQ(run.Names(), std::vector<std::wstring>{ c.test }) << c.name;
        EXPECT_EQ(run.calls, c.calls) << c.name;
    }
}

TEST(FamilySensors, Drives)
{
    const struct { DWORD drive; std::vector<std::string> calls; const wchar_t* name; } cases[] = {
        { 1, { "TivGetTemperature(3,1)", "TivGetAlarm(2,4)" }, L"Slide-in drive 1" },
        { 2, { "TivGetTemperature(4,1)", "TivGetAlarm(3,4)" }, L"Slide-in drive 2" },
        { 3, {}, nullptr },
        { 0, {}, nullptr },
    };
    for (const auto& c : cases)
    {
        CReportOutline run = RunInGroup("Temperature 3 = i8 30\nTemperature 4 = i8 31\n",
                                   [&](CTest& t) { WriteSensors(t, kTemperatureDrives, c.drive); });
        EXPECT_EQ(run.calls, c.calls) << c.drive;
        if (c.name == nullptr)
        {
            EXPECT_TRUE(run.tests.empty()) << c.drive;
            continue;
        }
        ASSERT_EQ(run.tests.size(), 1u);
        EXPECT_EQ(run.tests[0].name, c.name);
    }
    // A drive whose reading fails writes nothing.
    CReportOutline run = RunInGroup("", [](CTest& t) { WriteSensors(t, kTemperatureDrives, 1); });
    EXPECT_TRUE(run.tests.empty());
}

TEST(FamilySensors, DeviceTypeGates)
{
    const char* kAllFans =
        "HardwareValue 6 = u16 1000\nHardwareValue 7 = u16 1100\nHardwareValue 8 = u16 1200\n"
        "HardwareValue 9 = u16 1300\n";
    const std::vector<std::wstring> kCase4 = { L"Case fan 1", L"Case fan 2", L"Case fan 3",
                                               L"Case fan 4" };
    const std::vector<std::wstring> kCase3 = { L"Case fan 1", L"Case fan 2", L"Case fan 3" };
    const struct { const char* name; const char* type; const CSensorMember* member; std::vector<std::wstring> names; } cases[] = {
        { "case fan kit on 18", "u32 18", &kFanSpeedsCaseFanKit, kCase4 },
        { "case fan kit on 20", "u32 20", &kFanSpeedsCaseFanKit, kCase3 },
        { "system fans on 3", "u32 3", &kFanSpeedsSystemUnit, kCase3 },
        { "system fans on 8", "u32 8", &kFanSpeedsSystemUnit, { L"Case fan 1" } },
        { "system fans on 12", "u32 12", &kFanSpeedsSystemUnit, kCase4 },
    };
    for (const auto& c : cases)
    {
        CReportOutline run = RunInGroup(std::string("DeviceType = ") + c.type + "\n" + kAllFans,
                                   [&](CTest& t) { WriteSensors(t, *c.member); });
        EXPECT_EQ(run.Names(), c.names) << c.name;
        for (const CReportTest& test : run.tests)
            EXPECT_EQ(test.format, L"Rpm");
    }
    // On 8 and 10 the member ends after fan 1: the later fans are not even read.
    CReportOutline run = RunInGroup(std::string("DeviceType = u32 10\n") + kAllFans,
                               [](CTest& t) { WriteSensors(t, kFanSpeedsSystemUnit); });
    EXPECT_EQ(Reads(run, "TivGetHardwareValue("),
              (std::vector<std::string>{ "TivGetHardwareValue(6,2)" }));
}

TEST(FamilySensors, CpuBoardSensorsOrBoardTemperature)
{
    const struct { const char* name; const char* profile; std::vector<std::wstring> names; const wchar_t* status; } cases[] = {
        { "type 16, all read", "DeviceType = u32 16\nTemperature 15 = i8 1\nTemperature 16 = i8 2\n"
                               "Temperature 17 = i8 3\nTemperature 18 = i8 4\nAlarm 29 = u32 1\n",
          { L"Sensor 1", L"Sensor 2", L"Sensor 3", L"Sensor 4" }, nullptr },
        { "type 16, none reads", "DeviceType = u32 16\nTemperature 6 = i8 50\n", {}, nullptr },
        { "type 12, board reads", "DeviceType = u32 12\nTemperature 6 = i8 50\nAlarm 6 = u32 1\n",
          { L"Board temperature" }, L"Passed" },
        { "type 12, board fails", "DeviceType = u32 12\nTemperature 6 = fail 31\n",
          { L"Board temperature" }, L"Failed" },
    };
    for (const auto& c : cases)
    {
        CReportOutline run = RunInGroup(c.profile, [](CTest& t) { WriteSensors(t, kTemperaturesCpuBoard); });
        EXPECT_EQ(run.Names(), c.names) << c.name;
        if (c.status != nullptr && !run.tests.empty())
        {
            EXPECT_EQ(run.tests[0].status, c.status) << c.name;
            EXPECT_TRUE(Reads(run, "TivGetAlarm(").empty()) << c.name;
            if (std::wstring(c.status) == L"Failed")
            {
                EXPECT_EQ(run.tests[0].result, ErrorText(31));
                EXPECT_EQ(run.tests[0].format, L"String");
            }
        }
        if (run.tests.size() == 4)
        {
            EXPECT_EQ(run.tests[2].status, L"Alarm");
        }
    }
}

TEST(FamilySensors, NamedTemperatureForGroups)
{
    CReportOutline run = RunInGroup("Temperature 12 = i8 -5\nAlarm 24 = u32 3\nTemperature 2 = fail 5\n",
                               [](CTest& t) {
                                   WriteTemperature(t, L"Board out", L"Outlet.", 12, 24);
                                   WriteTemperature(t, L"Power supply", L"", 2, 1);
                               });
    ASSERT_EQ(run.tests.size(), 2u);
    EXPECT_EQ(run.tests[0].result, L"-5");
    EXPECT_EQ(run.tests[0].status, L"Alarm");
    EXPECT_EQ(run.tests[0].description, L"Outlet.");
    EXPECT_EQ(run.tests[1].result, ErrorText(5));
    EXPECT_EQ(run.tests[1].status, L"Failed");
    EXPECT_EQ(Reads(run, "TivGetAlarm("), (std::vector<std::string>{ "TivGetAlarm(24,4)" }));
}
