// Simulated library profiles: a mistyped one fails loudly, every shipped one parses. Its answers
// (sizes, sequences, return values, panels, WMI) are checked through the reader and group tests.
#include "device/TivLibrary.h"
#include "sim/Profile.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <string>

TEST(SimProfileParse, RejectsMalformedLinesNamingTheLine)
{
    const struct
    {
        const char* text;
        const char* message;
    } kCases[] = {
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

TEST(SimProfileFiles, EveryShippedProfileParses)
{
    std::wstring folder = SourceFolder();
    ASSERT_FALSE(folder.empty()) << "VEK_SOURCE is not set";
    folder += L"\\sim\\profiles\\";
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((folder + L"*.ini").c_str(), &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    int typeProfiles = 0, all = 0;
    do
    {
        std::wstring name = data.cFileName;
        std::string narrow(name.begin(), name.end());
        CSimProfile profile;
        std::string error;
        EXPECT_TRUE(profile.Parse(ReadFileBytes(folder + name), error)) << narrow << ": " << error;
        ++all;
        // typeNN.ini answers device type NN.
        if (name.size() == 10 && name.compare(0, 4, L"type") == 0)
        {
            ++typeProfiles;
            const CSimValue* type = profile.Find("DeviceType", 0, -1);
            ASSERT_NE(type, nullptr) << narrow;
            EXPECT_EQ(type->number, std::wcstoul(name.substr(4, 2).c_str(), nullptr, 10)) << narrow;
        }
    } while (FindNextFileW(h, &data));
    FindClose(h);
    EXPECT_EQ(typeProfiles, 21);
    EXPECT_GT(all, typeProfiles);
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
