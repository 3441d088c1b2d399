// Simulated library profiles: a mistyped one fails loudly (the shipped ones are scanned end to
// end, where a profile error fails the scan). Its answers (sizes, sequences, return values,
// panels, WMI) are checked through the reader and group tests.
#include "device/TivLibrary.h"
#include "sim/Profile.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <string>

TEST(SimProfileParse, RejectsMalformedLinesNamingTheLine)
{
    const struct { const char* text; const char* message; } kCases[] = {
        { "Alarm 1 = u9 1", "unknown value kind" },
        { "Alarm 1 = u8 256", "out of range" },
        { "HardwareStringW 16 = str \"abc", "unterminated" },
        { "Alarm 1 = u8 1 then", "missing value" },
    };
    for (const auto& c : kCases)
    {
        CSimProfile profile;
        std::string error;
        EXPECT_FALSE(profile.Parse(std::string("# first line\n") + c.text + "\n", error)) << c.text;
        EXPECT_NE(error.find("line 2"), std::string::npos) << c.text << ": " << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.text << ": " << error;
    }
}

TEST(SimLibrary, BrokenProfileFailsEveryCallAndSaysWhy)
{
    CSimDevice device("DeviceType = u32 18\nAlarm 1 = u8 300\n");
    CTivLibrary lib;
    DWORD type = 0;
    SetLastError(0);
    EXPECT_FALSE(lib.m_pTivGetDeviceType(&type));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_CONFIGURATION));
    EXPECT_EQ(device.CountCalls("profile error: line 2"), 1u);
}
