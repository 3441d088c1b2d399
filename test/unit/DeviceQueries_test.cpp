// Device identification: model names, CPU boards, panels and slots against the simulator.
#include "device/TivLibrary.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace
{

struct CBoardCase
{
    const char* hardwareString;  // profile text of hardware string 16
    DWORD code;
    const wchar_t* name;
};

}  // namespace

TEST(CpuBoard, PrefixesGiveCodeAndShortName)
{
    const CBoardCase cases[] = {
        { "815E rev 3", 1, L"H302" }, { "R563x", 3, L"R563" }, { "ZLVR", 8, L"ZLVR" },
        // Case matters, and a board matching no prefix keeps the library's text.
        { "855gme", 0, L"855gme" },   { "ZLV", 0, L"ZLV" },
    };
    for (const CBoardCase& c : cases)
    {
        CSimDevice device(std::string("HardwareStringW 16 = str \"") + c.hardwareString + "\"\n");
        CTivLibrary lib;
        DWORD code = 99;
        wchar_t name[260] = {};
        EXPECT_TRUE(lib.GetCpuBoardType(&code, name)) << c.hardwareString;
        EXPECT_EQ(code, c.code) << c.hardwareString;
        EXPECT_STREQ(name, c.name);
        for (DWORD board = 1; board <= 8; ++board)
            EXPECT_EQ(lib.IsCpuBoardType(board) != FALSE, board == c.code) << c.hardwareString;
    }
}

TEST(CpuBoard, NameWithoutTerminatorEndsInsideTheBuffer)
{
    CSimDevice device("HardwareStringW 16 = strnt \"AB\"\n");
    CTivLibrary lib;
    DWORD code = 99;
    wchar_t name[261];
    name[260] = L'#';
    EXPECT_TRUE(lib.GetCpuBoardType(&code, name));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(wcslen(name), 259u);
    EXPECT_EQ(name[260], L'#');
}

TEST(CpuBoard, FailedReadGivesFalseAndCodeZero)
{
    CSimDevice device("HardwareStringW 16 = fail 31\n");
    CTivLibrary lib;
    DWORD code = 99;
    wchar_t name[260] = {};
    EXPECT_FALSE(lib.GetCpuBoardType(&code, name));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(lib.IsCpuBoardType(0));
    EXPECT_EQ(device.CountCalls("TivGetHardwareStringW(16,520)"), 2u);
}

TEST(Panels, FirstPanelByDeviceType)
{
    const struct
    {
        const char* profile;
        BOOL found;
        DWORD index;
        std::vector<std::string> selects;
    } cases[] = {
        // Single-panel types need no selection; type 9 asks whether panel 0 is connected.
        { "DeviceType = u32 4\n", TRUE, 0, {} },
        { "DeviceType = u32 9\n", TRUE, 0, {} },
        // Each index is tried in turn up to the first that answers non-zero.
        { "DeviceType = u32 18\n[panel 0]\nHardwareValue 12 = u32 0\n[panel 1]\n"
          "HardwareValue 12 = fail 31\n[panel 3]\nHardwareValue 12 = u32 7\n",
          TRUE, 3, { "TivSelectPanel(0)", "TivSelectPanel(1)", "TivSelectPanel(2)", "TivSelectPanel(3)" } },
        // None: sixteen indexes tried, the index left unwritten.
        { "DeviceType = u32 18\n", FALSE, 99, std::vector<std::string>(16) },
    };
    for (const auto& c : cases)
    {
        CSimDevice device(c.profile);
        CTivLibrary lib;
        DWORD index = 99;
        EXPECT_EQ(lib.FindFirstPanel(&index), c.found) << c.profile;
        EXPECT_EQ(index, c.index) << c.profile;
        std::vector<std::string> selects;
        for (const std::string& call : device.Calls())
        {
            if (call.rfind("TivSelectPanel(", 0) == 0)
                selects.push_back(c.selects.size() == 16 ? "" : call);
        }
        EXPECT_EQ(selects, c.selects) << c.profile;
        if (c.found && c.selects.empty()) {
            EXPECT_EQ(device.CountCalls("TivGetHardwareValue("), 0u);
        }
    }
    CSimDevice device("DeviceType = u32 9\n");
    CTivLibrary lib;
    EXPECT_TRUE(lib.IsPanelConnected(0));
    EXPECT_FALSE(lib.IsPanelConnected(1));
}

TEST(Slots, FirstPresentSlotOfIfBoardsAndDrives)
{
    struct { const char* profile; BOOL ifFound; DWORD ifSlot; BOOL driveFound; DWORD driveSlot; } cases[] = {
        { "HardwareValue 57 = u32 0\nHardwareValue 59 = u32 1\n"
          "HardwareValue 62 = fail 31\nHardwareValue 63 = u32 2\n", TRUE, 2, TRUE, 2 },
        { "HardwareValue 57 = u32 1\nHardwareValue 59 = u32 1\n"
          "HardwareValue 62 = u32 5\nHardwareValue 63 = u32 1\n", TRUE, 1, TRUE, 1 },
        { "HardwareValue 57 = u32 0\nHardwareValue 59 = u32 0\n", FALSE, 99, FALSE, 99 },
    };
    for (const auto& c : cases)
    {
        CSimDevice device(c.profile);
        CTivLibrary lib;
        DWORD slot = 99;
        EXPECT_EQ(lib.FindFirstIfBoardSlot(&slot), c.ifFound) << c.profile;
        EXPECT_EQ(slot, c.ifSlot) << c.profile;
        slot = 99;
        EXPECT_EQ(lib.FindFirstDriveSlot(&slot), c.driveFound) << c.profile;
        EXPECT_EQ(slot, c.driveSlot) << c.profile;
    }
}

TEST(IoBoard, PresenceValueOrZero)
{
    for (const auto& [profile, value] : { std::pair("HardwareValue 58 = u32 0x10\n", 0x10u),
                                          std::pair("HardwareValue 58 = fail 31\n", 0u) })
    {
        CSimDevice device(profile);
        CTivLibrary lib;
        EXPECT_EQ(lib.IsIoBoardPresent(), value);
    }
}

TEST(DeviceTypeName, ModelNamesAndFallbacks)
{
    struct { const char* profile; BOOL result; DWORD code; const wchar_t* name; } cases[] = {
        { "DeviceType = u32 1\n", TRUE, 1, L"Vek Ostell 340" },
        { "DeviceType = u32 21\n", TRUE, 21, L"Vek Mirral 960" },
        { "DeviceType = u32 22\n", TRUE, 22, L"Not supported" },
        { "DeviceType = u32 0\n", TRUE, 0, L"Not supported" },
        { "DeviceType = fail 31\n", FALSE, 0, L"Unknown" },
    };
    for (const auto& c : cases)
    {
        CSimDevice device(c.profile);
        CTivLibrary lib;
        DWORD code = 99;
        wchar_t name[260] = {};
        EXPECT_EQ(lib.GetDeviceTypeName(&code, name), c.result) << c.profile;
        EXPECT_EQ(code, c.code) << c.profile;
        EXPECT_STREQ(name, c.name);
        // The query never touches the gate's cache; a null name gives the code only.
        EXPECT_EQ(lib.m_dwDeviceType, 0u);
        EXPECT_EQ(lib.GetDeviceTypeName(&code, nullptr), c.result) << c.profile;
    }
}
