// Module groups run into a report (bus unit, I/O board, display link, slide-in drives, IF boards,
// fan kits): type chains that ask again, presence read anew, the walk over the slots.
#include "groups/TestBusUnit.h"
#include "groups/TestDisplayLink.h"
#include "groups/TestDrive.h"
#include "groups/TestFanKit.h"
#include "groups/TestIF.h"
#include "groups/TestIO.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

namespace
{

// The report's containers without its tests and CatUndef ("G:..|C:..|S:.."), then "#" and the
// ids of the presence reads (4-byte hardware values) in call order.
std::wstring Outline(const CReportOutline& report)
{
    std::wstring out;
    for (const std::wstring& line : report.lines)
        if (line.rfind(L"T:", 0) != 0 && line != L"S:CatUndef")
            out += (out.empty() ? L"" : L"|") + line;
    out += L"#";
    for (const std::string& call : report.calls)
        if (call.rfind("TivGetHardwareValue(", 0) == 0 && call.ends_with(",4)"))
            out += (out.back() == L'#' ? L"" : L" ") + std::wstring(call.begin() + 20, call.end() - 3);
    return out;
}

const std::wstring kDrive = L"|S:Factory Settings|S:Temperatures";
const std::wstring kKit = L"|S:Factory Settings|S:Statistics|S:Fan Speeds";
const std::string kAll = "HardwareValue 57 = u32 1\nHardwareValue 59 = u32 1\nHardwareValue 61 = u32 1\n"
                         "HardwareValue 62 = u32 1\nHardwareValue 63 = u32 1\nHardwareValue 66 = u32 1\n";

}  // namespace

TEST(ModuleGroups, GatesPresenceAndSlots)
{
    struct
    {
        CReportOutline (*run)(const std::string&);
        std::string profile;
        std::wstring outline;
    } const cases[] = {
        // A chain of checks asks for the type again after a failed read, and the check for the
        // later code then finds it. No sensor answers: I/O board's "Temperatures" stands empty.
        { RunGroup<CTestBusUnit>, "DeviceType = fail 31 then u32 19\nHardwareValue 65 = u32 1\n",
          L"G:Bus Unit|C:Factory Settings|C:Statistics#65" },
        { RunGroup<CTestIO>, "DeviceType = fail 31 then u32 16\nHardwareValue 58 = u32 1\n",
          L"G:I/O Board|C:Firmware|C:Factory Settings|C:Temperatures|C:Statistics#58" },
        { RunGroup<CTestDisplayLink>, "DeviceType = fail 31 then u32 20\nHardwareValue 18 = u32 1\n",
          L"G:Display Link|C:Firmware|C:Factory Settings|C:Statistics#18" },
        // The first check's read fails; the later ones compare the type now read (18 or 15) with
        // the codes after the first.
        { RunGroup<CTestDrive>, "DeviceType = fail 31 then u32 18\n" + kAll, L"#" },
        { RunGroup<CTestIF>, "DeviceType = fail 31 then u32 15\n" + kAll, L"#" },
        { RunGroup<CTestFanKit>, "DeviceType = fail 31 then u32 18\n" + kAll, L"#" },
        { RunGroup<CTestBusUnit>, "DeviceType = u32 18\nHardwareValue 65 = u32 0\n", L"#65" },
        { RunGroup<CTestDisplayLink>, "DeviceType = u32 18\nHardwareValue 18 = u32 0\n", L"#18" },
        // The walk begins at the slot found; only the two slots are asked.
        { RunGroup<CTestDrive>, "DeviceType = u32 18\nHardwareValue 62 = u32 0\nHardwareValue 63 = u32 1\n",
          L"G:Slide-In Drives|C:Slide-In Drive 2" + kDrive + L"#62 63 63" },
        { RunGroup<CTestDrive>, "DeviceType = u32 18\nHardwareValue 62 = u32 0\nHardwareValue 63 = fail 31\n", L"#62 63" },
        // Found by the query, absent on the fresh read: its category stays empty.
        { RunGroup<CTestDrive>, "DeviceType = u32 18\nHardwareValue 62 = u32 1 then fail 31\nHardwareValue 63 = u32 1\n",
          L"G:Slide-In Drives|C:Slide-In Drive 1|C:Slide-In Drive 2" + kDrive + L"#62 62 63" },
        // The bus kit is asked only without the case kit; present at the gate but gone on the
        // second reads: no group at all.
        { RunGroup<CTestFanKit>, "DeviceType = u32 20\nHardwareValue 61 = fail 31\nHardwareValue 66 = u32 2\n",
          L"G:Fan Kits|C:Bus Fan Kit" + kKit + L"#61 66 61 66" },
        { RunGroup<CTestFanKit>, "DeviceType = u32 19\nHardwareValue 61 = u32 0\n", L"#61 66" },
        { RunGroup<CTestFanKit>, "DeviceType = u32 19\nHardwareValue 61 = u32 1 then u32 0\n", L"#61 61 66" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.profile);
        EXPECT_EQ(Outline(c.run(c.profile)), c.outline);
    }
}
