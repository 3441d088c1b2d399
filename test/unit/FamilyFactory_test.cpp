// Factory-settings family: the ten tests and their formats, the order of reads, the gates.
#include "device/Utilities.h"
#include "groups/readers/FactorySettings.h"
#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

const std::vector<std::wstring> kAllTen = {
    L"Version",          L"Vendor ID",         L"Device ID",
    L"Compatibility ID", L"Parent Device ID",  L"Parent Compatibility ID",
    L"Hardware revision", L"Serial number",    L"Model number",
    L"Raw data",
};

std::string Call(const char* fn, DWORD id, DWORD size)
{
    return std::string("Tiv") + fn + "(" + std::to_string(id) + "," + std::to_string(size) + ")";
}

std::vector<std::string> WithoutTypeReads(const std::vector<std::string>& calls)
{
    std::vector<std::string> out;
    for (const std::string& call : calls)
    {
        if (call.rfind("TivGetDeviceType(", 0) != 0)
            out.push_back(call);
    }
    return out;
}

}  // namespace

TEST(FamilyFactory, RegularMemberWritesTenTestsWithTheirFormats)
{
    CReportOutline run = RunInGroup(
        "FactoryValue 93 = str \"1.2\"\n"
        "FactoryValue 87 = u32 0\n"
        "FactoryValue 85 = u32 0x00012345\n"
        "FactoryValue 86 = u16 0x00A0\n"
        "FactoryValue 91 = u32 0xFFFFFFFF\n"
        "FactoryValue 92 = u16 0xFFFF\n"
        "FactoryValue 88 = str \"B1\"\n"
        "FactoryStringW 89 = str \"SN-77\"\n"
        "FactoryStringW 90 = str \"MOD 9\"\n"
        "FactoryValue 94 = bytes 5A fill 20 00\n",
        [](CTest& t) { WriteFactorySettings(t, kFactoryBusUnit); });

    ASSERT_EQ(run.Names(), kAllTen);
    const struct { const wchar_t* result; const wchar_t* format; } expected[] = {
        { L"1.2", L"String" },      { L"00000000", L"Hex" }, { L"00012345", L"Hex" },
        { L"00A0", L"Hex" },        { L"FFFFFFFF", L"Hex" }, { L"FFFF", L"Hex" },
        { L"B1", L"String" },       { L"SN-77", L"String" }, { L"MOD 9", L"String" },
    };
    for (size_t i = 0; i < std::size(expected); ++i)
    {
        EXPECT_EQ(run.tests[i].result, expected[i].result) << i;
        EXPECT_EQ(run.tests[i].format, expected[i].format) << i;
        EXPECT_EQ(run.tests[i].status, L"Passed") << i;
    }
    // The block is dumped at the member's full size, however little the library filled.
    BYTE block[1024] = { 0x5A };
    std::wstring dump;
    HexDump(block, 1024, dump);
    EXPECT_EQ(run.tests[9].result, dump);
    EXPECT_EQ(run.tests[9].format, L"Raw");
}

TEST(FamilyFactory, ReadsInReportOrderAndEveryFailureIsWritten)
{
    // The hardware revision is a string on the CPU board and the memory modules only.
    const struct { const char* name; const CFactoryMember* member; DWORD b, version, raw, rawSize;
                   bool revisionString; } cases[] = {
        { "bus unit", &kFactoryBusUnit, 85, 93, 94, 1024, false },
        { "CPU board", &kFactoryCpuBoard, 45, 77, 81, 1536, true },
    };
    for (const auto& c : cases)
    {
        // Nothing else listed: every read fails with the simulator's default code.
        CReportOutline run = RunInGroup("DeviceType = u32 16\n",
                                        [&](CTest& t) { WriteFactorySettings(t, *c.member); });
        const DWORD b = c.b;
        EXPECT_EQ(WithoutTypeReads(run.calls),
                  (std::vector<std::string>{
                      Call("GetFactoryValue", c.version, 512), Call("GetFactoryValue", b + 2, 4),
                      Call("GetFactoryValue", b, 4), Call("GetFactoryValue", b + 1, 2),
                      Call("GetFactoryValue", b + 6, 4), Call("GetFactoryValue", b + 7, 2),
                      Call(c.revisionString ? "GetFactoryStringW" : "GetFactoryValue", b + 3, 512),
                      Call("GetFactoryStringW", b + 4, 512), Call("GetFactoryStringW", b + 5, 512),
                      Call("GetFactoryValue", c.raw, c.rawSize) }))
            << c.name;
        ASSERT_EQ(run.Names(), kAllTen) << c.name;
        for (const CReportTest& test : run.tests)
        {
            EXPECT_EQ(test.status, L"Failed") << c.name;
            EXPECT_EQ(test.format, L"String") << c.name;
            EXPECT_EQ(test.result, ErrorText(ERROR_NOT_FOUND)) << c.name;
        }
    }
}

TEST(FamilyFactory, CpuBoardAndMemoryModuleGates)
{
    // type: profile line of the device type
    // rawSize: rawSize 0: no "Raw data"
    const struct { const char* name; const CFactoryMember* member; const char* type; bool version; DWORD rawId, rawSize;
                   } cases[] = {
        { "CPU board 19", &kFactoryCpuBoard, "DeviceType = u32 19\n", false, 81, 0 },
        { "CPU board 15", &kFactoryCpuBoard, "DeviceType = u32 15\n", true, 81, 1536 },
        { "CPU board unreadable", &kFactoryCpuBoard, "DeviceType = fail 31\n", true, 81, 1536 },
        { "module 1 on 16", &kFactoryMemoryModules[0], "DeviceType = u32 16\n", true, 84, 512 },
        { "module 1 on 18", &kFactoryMemoryModules[0], "DeviceType = u32 18\n", true, 84, 128 },
        { "module 1 on 19", &kFactoryMemoryModules[0], "DeviceType = u32 19\n", false, 84, 0 },
        { "module 1 on 6", &kFactoryMemoryModules[0], "DeviceType = u32 6\n", true, 84, 0 },
        { "module 1 unreadable", &kFactoryMemoryModules[0], "DeviceType = fail 31\n", true, 84, 0 },
        { "module 2 on 19", &kFactoryMemoryModules[1], "DeviceType = u32 19\n", false, 124, 0 },
        { "module 2 on 18", &kFactoryMemoryModules[1], "DeviceType = u32 18\n", true, 124, 128 },
        { "module 2 unreadable", &kFactoryMemoryModules[1], "DeviceType = fail 31\n", true, 124, 128 },
        // Regular members have no gate and never ask for the type.
        { "bus unit unreadable", &kFactoryBusUnit, "DeviceType = fail 31\n", true, 94, 1024 },
    };
    for (const auto& c : cases)
    {
        CReportOutline run = RunInGroup(std::string(c.type) + "FactoryValue 84 = bytes 01\n",
                                        [&](CTest& t) { WriteFactorySettings(t, *c.member); });
        std::vector<std::wstring> names(kAllTen.begin() + 1, kAllTen.end() - 1);
        if (c.version)
            names.insert(names.begin(), L"Version");
        if (c.rawSize != 0)
            names.push_back(L"Raw data");
        EXPECT_EQ(run.Names(), names) << c.name;
        std::vector<std::string> rawReads;
        for (const std::string& call : run.calls)
        {
            if (call.rfind("TivGetFactoryValue(" + std::to_string(c.rawId) + ",", 0) == 0)
                rawReads.push_back(call);
        }
        EXPECT_EQ(rawReads, c.rawSize != 0 ? std::vector<std::string>{ Call("GetFactoryValue", c.rawId, c.rawSize) }
                                           : std::vector<std::string>{})
            << c.name;
        if (c.member == &kFactoryBusUnit)
        {
            EXPECT_EQ(WithoutTypeReads(run.calls).size(), run.calls.size());
        }
    }
}

TEST(FamilyFactory, IndexedMembers)
{
    // Index 2 is the second drive; indexes outside the member list write and read nothing.
    const DWORD indexes[] = { 2, 0, 3, 0xFFFFFFFF };
    for (DWORD index : indexes)
    {
        CReportOutline run = RunInGroup("DeviceType = u32 16\n", [&](CTest& t) {
            WriteFactorySettings(t, kFactoryDrives, index);
            if (index != 2)
            {
                WriteFactorySettings(t, kFactoryIfBoards, index);
                WriteFactorySettings(t, kFactoryMemoryModules, index);
            }
        });
        if (index == 2)
        {
            EXPECT_EQ(run.Names(), kAllTen);
            ASSERT_FALSE(run.calls.empty());
            EXPECT_EQ(run.calls.front(), "TivGetFactoryValue(153,512)");
            continue;
        }
        EXPECT_TRUE(run.tests.empty()) << index;
        EXPECT_TRUE(run.calls.empty()) << index;
    }
}
