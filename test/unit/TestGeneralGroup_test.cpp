// General group run into a report: user settings by device type, boot logo, key configuration.
#include "groups/TestGeneral.h"

#include "support/GroupReport.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

namespace
{

const char kKeyConfiguration[] =
    "KeyCfgState = u32 1\n"
    "KeyCfgStringW 0 = str \"V2.10\"\n"
    "KeyCfgStringW 1 = str \"2025-11-30\"\n"
    "KeyCfgStringW 2 = str \"line 7\"\n"
    "KeyLayer = u8 3\n"
    "KeyLayerMode = u8 2\n";

const char kUserSettings[] =
    "UserSerialId = u32 11259375\n"
    "UserLed = u8 2\n"
    "UserlogoStringW 0 = str \"sendra640.bmp 2003/08/21 15:03:52\"\n"
    "UserlogoValue 1 = u16 0x011A\n"
    "UserlogoValue 2 = u32 307200\n";

const std::vector<std::wstring> kKeyConfigurationTests = {
    L"C:Key Configuration", L"S:CatUndef", L"T:State",     L"T:Version",
    L"T:Build date",        L"T:User information", L"T:Key layer", L"T:Layer mode",
};

std::vector<std::wstring> Join(std::vector<std::wstring> a, const std::vector<std::wstring>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

TEST(GeneralGroup, UserSettingsByDeviceType)
{
    const std::vector<std::wstring> serialOnly = { L"G:General", L"C:User Settings",
                                                   L"S:User Serial ID", L"T:Value" };
    const std::vector<std::wstring> withLogo = {
        L"G:General", L"C:User Settings", L"S:User Serial ID", L"T:Value", L"S:User Bootlogo",
        L"T:Info", L"T:VESA mode", L"T:Size", L"S:User LED", L"T:Status",
    };
    struct
    {
        DWORD dwType;
        std::vector<std::wstring> expected;
    } const cases[] = {
        { 12, Join(serialOnly, kKeyConfigurationTests) },
        { 5, Join(withLogo, kKeyConfigurationTests) },
        { 18, Join(serialOnly, kKeyConfigurationTests) },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.dwType);
        const std::string profile("DeviceType = u32 " + std::to_string(c.dwType) + "\n" + kUserSettings +
                          kKeyConfiguration);
        CReportOutline report = RunGroup<CTestGeneral>(profile);
        EXPECT_EQ(report.lines, c.expected);
    }
}

TEST(GeneralGroup, ValuesAndFormats)
{
    const std::string profile(std::string("DeviceType = u32 5\n") + kUserSettings + kKeyConfiguration);
    CReportOutline report = RunGroup<CTestGeneral>(profile);
    struct
    {
        const wchar_t* pszTest;
        const wchar_t* pszResult;
        const wchar_t* pszFormat;
    } const rows[] = {
        { L"Value", L"00ABCDEFh", L"String" },
        { L"VESA mode", L"11a", L"Hex" },
        { L"Size", L"307200", L"Bytes" },
        { L"State", L"Valid", L"Unknown" },
        { L"Version", L"V2.10", L"String" },
        { L"Layer mode", L"2", L"Dec" },
    };
    for (const auto& row : rows)
    {
        CReportTest test = report.Test(row.pszTest);
        EXPECT_EQ(test.result, row.pszResult) << test.name;
        EXPECT_EQ(test.format, row.pszFormat) << test.name;
        EXPECT_EQ(test.status, L"Passed") << test.name;
    }
    EXPECT_EQ(report.Test(L"Layer mode").description, L"0=Shift, 1=Toggle, 2=One-Shot.");
    EXPECT_EQ(report.Test(L"Version").description, L"DescrUndef");
}

TEST(GeneralGroup, BootLogoAbsent)
{
    const std::string profile("DeviceType = u32 8\nUserlogoStringW 0 = fail 1168\nUserLed = u8 0\n" +
                      std::string(kKeyConfiguration));
    CReportOutline report = RunGroup<CTestGeneral>(profile);
    EXPECT_EQ(report.Section(L"S:User Bootlogo", L"S:"),
              (std::vector<std::wstring>{ L"S:User Bootlogo", L"T:Available" }));
    CReportTest test = report.Test(L"Available");
    EXPECT_EQ(test.result, L"No");
    EXPECT_EQ(test.format, L"YesNo");
    EXPECT_EQ(test.status, L"Passed");
    EXPECT_EQ(report.Test(L"Status").result, L"0");
    // The serial id is not in the profile: its read fails with the library's error.
    EXPECT_EQ(report.Test(L"Value").status, L"Failed");
    EXPECT_EQ(report.Test(L"Value").result, ErrorText(1168));
}

TEST(GeneralGroup, KeyConfigurationEarlyEnds)
{
    struct
    {
        const char* pszState;
        const wchar_t* pszResult;
        const wchar_t* pszStatus;
        const wchar_t* pszFormat;
    } const cases[] = {
        { "KeyCfgState = u32 0\n", L"Invalid", L"Passed", L"Unknown" },
        { "KeyCfgState = fail 1167\n", nullptr, L"Failed", L"String" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszState);
        const std::string profile(std::string("DeviceType = u32 12\nUserSerialId = u32 1\n") + c.pszState +
                          "KeyCfgStringW 0 = str \"never read\"\n");
        CReportOutline report = RunGroup<CTestGeneral>(profile);
        EXPECT_EQ(report.Section(L"C:Key Configuration", L"C:"),
                  (std::vector<std::wstring>{ L"C:Key Configuration", L"S:CatUndef", L"T:State" }));
        CReportTest test = report.Test(L"State");
        EXPECT_EQ(test.result, c.pszResult != nullptr ? c.pszResult : ErrorText(1167));
        EXPECT_EQ(test.status, c.pszStatus);
        EXPECT_EQ(test.format, c.pszFormat);
        for (const std::string& call : report.calls)
            EXPECT_NE(call.rfind("TivGetKeyCfgStringW(", 0), 0u) << call;
    }
}

TEST(GeneralGroup, UserInformationEmptyOrFailed)
{
    {
        const std::string profile("DeviceType = u32 12\nKeyCfgState = u32 5\nKeyCfgStringW 0 = str \"\"\n"
                          "KeyCfgStringW 2 = str \"\"\n");
        CReportOutline report = RunGroup<CTestGeneral>(profile);
        EXPECT_EQ(report.Test(L"User information").result, L"(n.a.)");
        EXPECT_EQ(report.Test(L"User information").status, L"Passed");
        // Only the user information stands in for an empty text.
        EXPECT_EQ(report.Test(L"Version").result, L"");
        EXPECT_EQ(report.Test(L"Build date").status, L"Failed");
        // A failed read in the middle does not end the category.
        EXPECT_EQ(report.Test(L"Layer mode").status, L"Failed");
    }
    {
        const std::string profile("DeviceType = u32 12\nKeyCfgState = u32 1\nKeyCfgStringW 2 = fail 31\n"
                          "KeyCfgStringW 0 = strnt \"ab\"\n");
        CReportOutline report = RunGroup<CTestGeneral>(profile);
        EXPECT_EQ(report.Test(L"User information").result, ErrorText(31));
        EXPECT_EQ(report.Test(L"User information").status, L"Failed");
        // A string that fills the buffer without a terminator keeps its 256 characters.
        std::wstring expected;
        for (int i = 0; i < 128; ++i)
            expected += L"ab";
        EXPECT_EQ(report.Test(L"Version").result, expected);
    }
}

TEST(GeneralGroup, NothingWhenTheTypeCannotBeRead)
{
    const std::string profile("DeviceType = fail 31\nUserSerialId = u32 1\n");
    EXPECT_TRUE(RunGroup<CTestGeneral>(profile).lines.empty());
}
