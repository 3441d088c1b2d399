// Slide-in drive, fan kit and IF board groups run into a report: gates, presence and the walks.
#include "groups/TestDrive.h"
#include "groups/TestFanKit.h"
#include "groups/TestIF.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

namespace
{

// The report's containers without its tests ("G:..|C:..|S:.."), then "#" and the ids of the
// presence reads (4-byte hardware values) in call order.
std::wstring Outline(const CReportOutline& report)
{
    std::wstring out;
    for (const std::wstring& line : report.lines)
        if (line.rfind(L"T:", 0) != 0)
            out += (out.empty() ? L"" : L"|") + line;
    out += L"#";
    for (const std::string& call : report.calls)
        if (call.rfind("TivGetHardwareValue(", 0) == 0 && call.ends_with(",4)"))
            out += (out.back() == L'#' ? L"" : L" ") + std::wstring(call.begin() + 20, call.end() - 3);
    return out;
}

const std::wstring kDrive = L"|S:Factory Settings|S:Temperatures";
const std::wstring kIf = L"|S:Factory Settings|S:Statistics";
const std::wstring kIfTemps = L"|S:Factory Settings|S:Temperatures|S:Statistics";
const std::wstring kKit = L"|S:Factory Settings|S:Statistics|S:Fan Speeds";
const std::string kSensors = "Temperature 27 = i8 30\nTemperature 30 = i8 31\n";
const std::string kAll = "HardwareValue 57 = u32 1\nHardwareValue 59 = u32 1\nHardwareValue 61 = u32 1\n"
                         "HardwareValue 62 = u32 1\nHardwareValue 63 = u32 1\nHardwareValue 66 = u32 1\n";

}  // namespace

TEST(ModuleGroups, GatesPresenceAndCategories)
{
    struct
    {
        CReportOutline (*run)(const std::string&);
        std::string profile;
        std::wstring outline;
    } const cases[] = {
        { RunGroup<CTestDrive>, "DeviceType = u32 18\nHardwareValue 62 = u32 0\nHardwareValue 63 = u32 1\n",
          L"G:Slide-In Drives|C:Slide-In Drive 2" + kDrive + L"#62 63 63" },
        { RunGroup<CTestDrive>, "DeviceType = u32 19\nHardwareValue 62 = u32 1\nHardwareValue 63 = u32 2\n",
          L"G:Slide-In Drives|C:Slide-In Drive 1" + kDrive + L"|C:Slide-In Drive 2" + kDrive + L"#62 62 63" },
        { RunGroup<CTestDrive>, "DeviceType = u32 18\nHardwareValue 62 = u32 0\nHardwareValue 63 = fail 31\n", L"#62 63" },
        // Found by the query, absent on the fresh read: its category stays empty.
        { RunGroup<CTestDrive>, "DeviceType = u32 18\nHardwareValue 62 = u32 1 then fail 31\nHardwareValue 63 = u32 1\n",
          L"G:Slide-In Drives|C:Slide-In Drive 1|C:Slide-In Drive 2" + kDrive + L"#62 62 63" },
        { RunGroup<CTestDrive>, "DeviceType = u32 20\n" + kAll, L"#" },
        // Each type of the chain is its own check in the order given: the first read fails, the
        // later checks compare the type now read (18 or 15) with the codes after the first.
        { RunGroup<CTestDrive>, "DeviceType = fail 31 then u32 18\n" + kAll, L"#" },
        { RunGroup<CTestIF>, "DeviceType = fail 31 then u32 15\n" + kAll, L"#" },
        { RunGroup<CTestFanKit>, "DeviceType = fail 31 then u32 18\n" + kAll, L"#" },
        { RunGroup<CTestIF>, "DeviceType = u32 15\nHardwareValue 57 = u32 0\nHardwareValue 59 = u32 1\n" + kSensors,
          L"G:IF Boards|C:IF Board 2" + kIfTemps + L"#57 59 59" },
        { RunGroup<CTestIF>, "DeviceType = u32 18\n" + kAll + kSensors,
          L"G:IF Boards|C:IF Board 1" + kIf + L"|C:IF Board 2" + kIf + L"#57 57 59" },
        // No sensor reads: no "Temperatures".
        { RunGroup<CTestIF>, "DeviceType = u32 17\nHardwareValue 57 = u32 1\n", L"G:IF Boards|C:IF Board 1" + kIf + L"#57 57 59" },
        { RunGroup<CTestIF>, "DeviceType = u32 14\n" + kAll, L"#" },
        { RunGroup<CTestFanKit>, "DeviceType = u32 21\nHardwareValue 61 = u32 1\n", L"G:Fan Kits|C:Case Fan Kit" + kKit + L"#61 61 66" },
        { RunGroup<CTestFanKit>, "DeviceType = u32 20\nHardwareValue 61 = fail 31\nHardwareValue 66 = u32 2\n",
          L"G:Fan Kits|C:Bus Fan Kit" + kKit + L"#61 66 61 66" },
        { RunGroup<CTestFanKit>, "DeviceType = u32 19\nHardwareValue 61 = u32 0\n", L"#61 66" },
        // Present at the gate, gone on the second reads: no group at all.
        { RunGroup<CTestFanKit>, "DeviceType = u32 19\nHardwareValue 61 = u32 1 then u32 0\n", L"#61 61 66" },
        { RunGroup<CTestFanKit>, "DeviceType = u32 17\n" + kAll, L"#" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.profile);
        EXPECT_EQ(Outline(c.run(c.profile)), c.outline);
    }
}
