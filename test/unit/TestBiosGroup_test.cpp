// BIOS group run into a report: the boot area's answers and the registry id's shapes.
#include "groups/TestBios.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

namespace
{

const wchar_t kBiosKey[] = L"HARDWARE\\TIV\\Bios";

}  // namespace

TEST(BiosGroup, BootModeAndTypeZero)
{
    // Any non-zero result of the call is a success; only the value 1 is the normal area.
    const std::pair<const char*, std::wstring> cases[] = {
        { "u32 2", L"Backup area|Passed" }, { "u32 1 ret 2", L"Normal area|Passed" }, { "fail 50", ErrorText(50) + L"|Failed" },
    };
    for (const auto& [pszValue, expected] : cases)
    {
        CStagedMachineKey machine;
        CReportTest test = RunGroup<CTestBios>(std::string("DeviceType = u32 15\nFirmwareValue 28 = ") + pszValue).Test(L"Boot mode");
        EXPECT_EQ(test.result + L"|" + test.status, expected) << pszValue;
    }
    // A type read that yields 0 counts as unreadable: no group.
    EXPECT_TRUE(RunGroup<CTestBios>("DeviceType = u32 0\n").lines.empty());
}

TEST(BiosGroup, RegistryIdShapes)
{
    const wchar_t abc[] = { L'A', L'B', L'C' };
    const std::wstring full(256, L'z'), tooLong(300, L'y');
    struct { DWORD dwType; const void* pData; DWORD cbData; std::wstring expected; } const cases[] = {
        { REG_SZ, abc, sizeof(abc), L"ABC|Passed" },      // no terminator: the text ends with the data
        { REG_BINARY, full.data(), 512, full + L"|Passed" },  // 512 bytes without one: all 256 characters
        { REG_SZ, tooLong.c_str(), 602, ErrorText(ERROR_MORE_DATA) + L"|Failed" },
        { REG_BINARY, L"BIN-ID", 14, L"BIN-ID|Passed" },  // the type is not looked at
        { REG_NONE, nullptr, 0, ErrorText(ERROR_FILE_NOT_FOUND) + L"|Failed" },  // the key without the value
        { REG_NONE, nullptr, 1, ErrorText(ERROR_FILE_NOT_FOUND) + L"|Failed" },  // no key
    };
    for (const auto& c : cases)
    {
        CStagedMachineKey machine;
        if (c.pData != nullptr)
            machine.SetRaw(kBiosKey, L"VersionID", c.dwType, c.pData, c.cbData);
        else if (c.cbData == 0)
            machine.CreateKey(kBiosKey);
        CReportTest test = RunGroup<CTestBios>("DeviceType = u32 4\n").Test(L"ID");
        EXPECT_EQ(test.result + L"|" + test.status, c.expected);
    }
}
