// Factory-settings family: the ten tests, every member's ids and sizes, and the per-member gates.
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

// The calls a member makes with every test written, in report order.
std::vector<std::string> ExpectedCalls(DWORD b, DWORD version, DWORD raw, DWORD rawSize,
                                       bool revisionString)
{
    return {
        Call("GetFactoryValue", version, 512),
        Call("GetFactoryValue", b + 2, 4),
        Call("GetFactoryValue", b, 4),
        Call("GetFactoryValue", b + 1, 2),
        Call("GetFactoryValue", b + 6, 4),
        Call("GetFactoryValue", b + 7, 2),
        Call(revisionString ? "GetFactoryStringW" : "GetFactoryValue", b + 3, 512),
        Call("GetFactoryStringW", b + 4, 512),
        Call("GetFactoryStringW", b + 5, 512),
        Call("GetFactoryValue", raw, rawSize),
    };
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
    const struct
    {
        const wchar_t* result;
        const wchar_t* format;
    } expected[] = {
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

    EXPECT_EQ(run.tests[0].description, L"DescrUndef");
    EXPECT_EQ(run.tests[1].description, L"Vek = 0.");
    EXPECT_EQ(run.tests[5].description,
              L"The compatibility ID indicates the device, from which the actual device was "
              L"derived (e.g. at a customer specific variant of a standard device). FFFFh means "
              L"no parent.");
    EXPECT_EQ(run.tests[9].description, L"Complete factory settings of bus unit.");
}

TEST(FamilyFactory, EveryMemberReadsItsIdsAndSizes)
{
    // Type 16 lets every gated test through (memory module 1 then dumps 512 bytes).
    const struct
    {
        const char* name;
        const CFactoryMember* member;
        DWORD b, version, raw, rawSize;
        bool revisionString;
        const wchar_t* rawDescription;
    } cases[] = {
        { "bus unit", &kFactoryBusUnit, 85, 93, 94, 1024, false,
          L"Complete factory settings of bus unit." },
        { "CPU board", &kFactoryCpuBoard, 45, 77, 81, 1536, true,
          L"Complete factory settings of CPU Board." },
        { "display link", &kFactoryDisplayLink, 95, 103, 104, 1024, false,
          L"Complete factory settings of Display Link." },
        { "drive 1", &kFactoryDrives[0], 135, 143, 144, 512, false,
          L"Complete factory settings of slide-in drive." },
        { "drive 2", &kFactoryDrives[1], 145, 153, 154, 512, false,
          L"Complete factory settings of slide-in drive." },
        { "case fan kit", &kFactoryCaseFanKit, 125, 133, 134, 512, false,
          L"Complete factory settings of fan kit." },
        { "bus fan kit", &kFactoryBusFanKit, 155, 163, 164, 384, false,
          L"Complete factory settings of fan kit." },
        { "IF slot 1", &kFactoryIfBoards[0], 53, 78, 82, 1024, false,
          L"Complete factory settings of IF Board." },
        { "IF slot 2", &kFactoryIfBoards[1], 105, 113, 114, 1024, false,
          L"Complete factory settings of IF Board." },
        { "I/O board", &kFactoryIoBoard, 61, 79, 83, 1024, false,
          L"Complete factory settings of I/O Board." },
        { "memory module 1", &kFactoryMemoryModules[0], 69, 80, 84, 512, true,
          L"Complete factory settings of memory module (RAM)" },
        { "memory module 2", &kFactoryMemoryModules[1], 115, 123, 124, 128, true,
          L"Complete factory settings of memory module (RAM)" },
    };
    for (const auto& c : cases)
    {
        // Nothing else listed: every read fails with the simulator's default code.
        CReportOutline run = RunInGroup("DeviceType = u32 16\n",
                                   [&](CTest& t) { WriteFactorySettings(t, *c.member); });
        EXPECT_EQ(WithoutTypeReads(run.calls),
                  ExpectedCalls(c.b, c.version, c.raw, c.rawSize, c.revisionString))
            << c.name;
        ASSERT_EQ(run.Names(), kAllTen) << c.name;
        for (const CReportTest& test : run.tests)
        {
            EXPECT_EQ(test.status, L"Failed") << c.name;
            EXPECT_EQ(test.format, L"String") << c.name;
            EXPECT_EQ(test.result, ErrorText(ERROR_NOT_FOUND)) << c.name;
        }
        EXPECT_EQ(run.tests[9].description, c.rawDescription) << c.name;
    }
}

TEST(FamilyFactory, CpuBoardAndMemoryModuleGates)
{
    const struct
    {
        const char* name;
        const CFactoryMember* member;
        const char* type;  // profile line of the device type
        bool version;
        DWORD rawSize;  // 0: no "Raw data"
    } cases[] = {
        { "CPU board 18", &kFactoryCpuBoard, "DeviceType = u32 18\n", false, 0 },
        { "CPU board 19", &kFactoryCpuBoard, "DeviceType = u32 19\n", false, 0 },
        { "CPU board 15", &kFactoryCpuBoard, "DeviceType = u32 15\n", true, 1536 },
        { "CPU board unreadable", &kFactoryCpuBoard, "DeviceType = fail 31\n", true, 1536 },
        { "module 1 on 16", &kFactoryMemoryModules[0], "DeviceType = u32 16\n", true, 512 },
        { "module 1 on 15", &kFactoryMemoryModules[0], "DeviceType = u32 15\n", true, 512 },
        { "module 1 on 18", &kFactoryMemoryModules[0], "DeviceType = u32 18\n", true, 128 },
        { "module 1 on 19", &kFactoryMemoryModules[0], "DeviceType = u32 19\n", false, 0 },
        { "module 1 on 6", &kFactoryMemoryModules[0], "DeviceType = u32 6\n", true, 0 },
        { "module 1 unreadable", &kFactoryMemoryModules[0], "DeviceType = fail 31\n", true, 0 },
        { "module 2 on 19", &kFactoryMemoryModules[1], "DeviceType = u32 19\n", false, 0 },
        { "module 2 on 18", &kFactoryMemoryModules[1], "DeviceType = u32 18\n", true, 128 },
        { "module 2 unreadable", &kFactoryMemoryModules[1], "DeviceType = fail 31\n", true, 128 },
        // Regular members have no gate and never ask for the type.
        { "bus unit unreadable", &kFactoryBusUnit, "DeviceType = fail 31\n", true, 1024 },
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
        size_t rawReads = 0;
        for (const std::string& call : run.calls)
        {
            if (call == Call("GetFactoryValue", c.member->dwRawId, c.rawSize))
                ++rawReads;
        }
        EXPECT_EQ(rawReads, c.rawSize != 0 ? 1u : 0u) << c.name;
        if (c.member == &kFactoryBusUnit)
        {
            EXPECT_EQ(WithoutTypeReads(run.calls).size(), run.calls.size());
        }
    }
}

TEST(FamilyFactory, DrivesDescribeEveryTest)
{
    CReportOutline run = RunInGroup("", [](CTest& t) { WriteFactorySettings(t, kFactoryDrives, 2); });
    ASSERT_EQ(run.Names(), kAllTen);
    EXPECT_EQ(run.tests[0].description, L"Factory settings version of slide-in drive.");
    EXPECT_EQ(run.tests[1].description, L"Vendor ID of slide-in drive. Vek = 0.");
    EXPECT_EQ(run.tests[8].description, L"Model number of slide-in drive.");
    EXPECT_EQ(run.tests[9].description, L"Complete factory settings of slide-in drive.");
    EXPECT_EQ(run.calls.front(), "TivGetFactoryValue(153,512)");
}

TEST(FamilyFactory, IndexOutOfRangeWritesNothing)
{
    const DWORD indexes[] = { 0, 3, 0xFFFFFFFF };
    for (DWORD index : indexes)
    {
        CReportOutline run = RunInGroup("DeviceType = u32 16\n", [&](CTest& t) {
            WriteFactorySettings(t, kFactoryDrives, index);
            WriteFactorySettings(t, kFactoryIfBoards, index);
            WriteFactorySettings(t, kFactoryMemoryModules, index);
        });
        EXPECT_TRUE(run.tests.empty()) << index;
        EXPECT_TRUE(run.calls.empty()) << index;
    }
}
