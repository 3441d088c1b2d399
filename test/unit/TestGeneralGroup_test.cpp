// General group run into a report: user settings by device type, boot logo, key configuration.
#include "groups/TestGeneral.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

namespace
{

using CLines = std::vector<std::wstring>;

const char kKeyConfiguration[] =
    "KeyCfgState = u32 1\nKeyCfgStringW 0 = str \"V2.10\"\nKeyCfgStringW 1 = str \"2025-11-30\"\n"
    "KeyCfgStringW 2 = str \"line 7\"\nKeyLayer = u8 3\nKeyLayerMode = u8 2\n";

const char kUserSettings[] =
    "UserSerialId = u32 11259375\nUserLed = u8 2\n"
    "UserlogoStringW 0 = str \"sendra640.bmp 2003/08/21 15:03:52\"\n"
    "UserlogoValue 1 = u16 0x011A\nUserlogoValue 2 = u32 307200\n";

CReportOutline RunGeneral(const std::string& type, const std::string& entries)
{
    return RunGroup<CTestGeneral>("DeviceType = " + type + "\n" + entries);
}

}  // namespace

TEST(GeneralGroup, UserSettingsByDeviceType)
{
    const CLines keys = { L"C:Key Configuration", L"S:CatUndef", L"T:State", L"T:Version", L"T:Build date",
                          L"T:User information", L"T:Key layer", L"T:Layer mode" };
    CLines serialOnly = { L"G:General", L"C:User Settings", L"S:User Serial ID", L"T:Value" };
    CLines withLogo = serialOnly;
    withLogo.insert(withLogo.end(), { L"S:User Bootlogo", L"T:Info", L"T:VESA mode", L"T:Size", L"S:User LED",
                                      L"T:Status" });
    serialOnly.insert(serialOnly.end(), keys.begin(), keys.end());
    withLogo.insert(withLogo.end(), keys.begin(), keys.end());
    for (const auto& [pszType, expected] : { std::pair{ "u32 5", withLogo }, { "u32 9", serialOnly },
                                             { "u32 10", withLogo }, { "u32 11", serialOnly }, { "fail 31", CLines{} } })
    {
        SCOPED_TRACE(pszType);
        EXPECT_EQ(RunGeneral(pszType, std::string(kUserSettings) + kKeyConfiguration).lines, expected);
    }
}

TEST(GeneralGroup, ValuesAndFormats)
{
    CReportOutline report = RunGeneral("u32 5", std::string(kUserSettings) + kKeyConfiguration);
    struct { const wchar_t* pszTest; const wchar_t* pszResult; const wchar_t* pszFormat; } const rows[] = {
        { L"Value", L"00ABCDEFh", L"String" }, { L"VESA mode", L"11a", L"Hex" }, { L"Size", L"307200", L"Bytes" },
        { L"State", L"Valid", L"Unknown" },   { L"Layer mode", L"2", L"Dec" },
    };
    for (const auto& row : rows)
    {
        CReportTest test = report.Test(row.pszTest);
        EXPECT_EQ(test.result + L"|" + test.format + L"|" + test.status,
                  row.pszResult + std::wstring(L"|") + row.pszFormat + L"|Passed");
    }
    EXPECT_EQ(report.Test(L"Layer mode").description, L"0=Shift, 1=Toggle, 2=One-Shot.");
    EXPECT_EQ(report.Test(L"Version").description, L"DescrUndef");
}

TEST(GeneralGroup, BootLogoAbsent)
{
    CReportOutline report = RunGeneral("u32 8", std::string("UserlogoStringW 0 = fail 1168\nUserLed = u8 0\n") + kKeyConfiguration);
    EXPECT_EQ(report.Section(L"S:User Bootlogo", L"S:"), (CLines{ L"S:User Bootlogo", L"T:Available" }));
    CReportTest test = report.Test(L"Available");
    EXPECT_EQ(test.result + test.format + test.status, L"NoYesNoPassed");
    EXPECT_EQ(report.Test(L"Status").result, L"0");
    // The serial id is not in the profile: its read fails with the library's error.
    EXPECT_EQ(report.Test(L"Value").status, L"Failed");
    EXPECT_EQ(report.Test(L"Value").result, ErrorText(1168));
}

TEST(GeneralGroup, KeyConfigurationEarlyEnds)
{
    struct { const char* pszState; std::wstring result; const wchar_t* pszStatus; const wchar_t* pszFormat; } const cases[] = {
        { "u32 0", L"Invalid", L"Passed", L"Unknown" },
        { "fail 1167", ErrorText(1167), L"Failed", L"String" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszState);
        CReportOutline report = RunGeneral("u32 12", std::string("UserSerialId = u32 1\nKeyCfgState = ") + c.pszState +
                                                  "\nKeyCfgStringW 0 = str \"never read\"\n");
        EXPECT_EQ(report.Section(L"C:Key Configuration", L"C:"),
                  (CLines{ L"C:Key Configuration", L"S:CatUndef", L"T:State" }));
        CReportTest test = report.Test(L"State");
        EXPECT_EQ(test.result, c.result);
        EXPECT_EQ(test.status, c.pszStatus);
        EXPECT_EQ(test.format, c.pszFormat);
        for (const std::string& call : report.calls)
            EXPECT_NE(call.rfind("TivGetKeyCfgStringW(", 0), 0u) << call;
    }
}

TEST(GeneralGroup, UserInformationEmptyOrFailed)
{
    CReportOutline report = RunGeneral("u32 12", "KeyCfgState = u32 5\nKeyCfgStringW 0 = str \"\"\nKeyCfgStringW 2 = str \"\"\n");
    EXPECT_EQ(report.Test(L"User information").result, L"(n.a.)");
    EXPECT_EQ(report.Test(L"User information").status, L"Passed");
    // Only the user information stands in for an empty text.
    EXPECT_EQ(report.Test(L"Version").result, L"");
    EXPECT_EQ(report.Test(L"Build date").status, L"Failed");
    // A failed read in the middle does not end the category.
    EXPECT_EQ(report.Test(L"Layer mode").status, L"Failed");

    report = RunGeneral("u32 12", "KeyCfgState = u32 1\nKeyCfgStringW 2 = fail 31\nKeyCfgStringW 0 = strnt \"ab\"\n");
    EXPECT_EQ(report.Test(L"User information").result, ErrorText(31));
    EXPECT_EQ(report.Test(L"User information").status, L"Failed");
    // A string that fills the buffer without a terminator keeps its 256 characters.
    std::wstring expected;
    for (int i = 0; i < 128; ++i)
        expected += L"ab";
    EXPECT_EQ(report.Test(L"Version").result, expected);
}
