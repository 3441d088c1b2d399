// Operating-system group run into a report: tree, key=value file, registration, version text.
#include "groups/TestOS.h"

#include "support/GroupReport.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

namespace
{

const wchar_t kCurrentVersion[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// Points SystemDrive of this process at a folder for one test.
class CSystemDrive
{
public:
    explicit CSystemDrive(const std::wstring& value)
    {
        m_nOld = GetEnvironmentVariableW(L"SystemDrive", m_szOld, 300);
        SetEnvironmentVariableW(L"SystemDrive", value.c_str());
    }
    ~CSystemDrive() { SetEnvironmentVariableW(L"SystemDrive", m_nOld > 0 ? m_szOld : nullptr); }

private:
    wchar_t m_szOld[300] = {};
    DWORD m_nOld = 0;
};

}  // namespace

TEST(OSGroup, TreeWithKeyValueFileAndRegistration)
{
    CStagedMachineKey machine;
    machine.SetString(kCurrentVersion, L"ProductId", L"00000-111-2222222-33333");
    machine.SetString(kCurrentVersion, L"RegisteredOrganization", L"Vek & Sons <Test>");
    machine.SetString(kCurrentVersion, L"RegisteredOwner", L"Operator");
    CTempDir drive;
    CSystemDrive systemDrive(drive.Path());
    // No file: no category; a file without keys: the category alone.
    CReportOutline absent = RunGroup<CTestOS>("");
    EXPECT_TRUE(absent.Section(L"C:DAZIRAVAZ.INI", L"C:").empty());
    EXPECT_EQ(absent.lines[4], L"C:Registration Details");
    ASSERT_TRUE(WriteFileBytes(drive.File(L"DAZIRAVAZ.INI"), "[Main]\r\nno keys here\r\n"));
    EXPECT_EQ(RunGroup<CTestOS>("").Section(L"C:DAZIRAVAZ.INI", L"C:"),
              (std::vector<std::wstring>{ L"C:DAZIRAVAZ.INI", L"S:CatUndef" }));

    ASSERT_TRUE(WriteFileBytes(drive.File(L"DAZIRAVAZ.INI"), "[Main]\r\nMode=Auto\r\n=x\r\nKey=\r\n"));
    CReportOutline report = RunGroup<CTestOS>("");
    EXPECT_EQ(report.lines, (std::vector<std::wstring>{
                                L"G:Operating System", L"C:Version", L"S:CatUndef", L"T:Operating system",
                                L"C:DAZIRAVAZ.INI", L"S:CatUndef", L"T:Mode", L"T:", L"T:Key",
                                L"C:Registration Details", L"S:CatUndef", L"T:Product ID",
                                L"T:Registered organization", L"T:Registered owner", L"C:User Account",
                                L"S:CatUndef", L"T:Administrator privileges" }));
    EXPECT_EQ(report.Test(L"Key").result + report.Test(L"Key").status, L"Passed");
    EXPECT_EQ(report.Test(L"Mode").description, L"DescrUndef");
    EXPECT_EQ(report.Test(L"Registered organization").result, L"Vek & Sons <Test>");
    CReportTest admin = report.Test(L"Administrator privileges");
    EXPECT_EQ(admin.description, L"Checks if the user account has administrator privileges.");
    EXPECT_TRUE(admin.result == L"Yes" || admin.result == L"No") << admin.result;
    EXPECT_EQ(admin.format, L"YesNo");
}

TEST(OSGroup, RegistrationValueFailures)
{
    CStagedMachineKey machine;
    const DWORD dwNumber = 7;
    machine.SetRaw(kCurrentVersion, L"ProductId", REG_DWORD, &dwNumber, sizeof(dwNumber));
    machine.SetString(kCurrentVersion, L"RegisteredOwner", std::wstring(300, L'o'));
    CReportOutline report = RunGroup<CTestOS>("");
    // Another type: the query worked, so the text is that of code 0.
    EXPECT_EQ(report.Test(L"Product ID").result, ErrorText(0));
    EXPECT_EQ(report.Test(L"Product ID").status, L"Failed");
    EXPECT_EQ(report.Test(L"Registered organization").result, ErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(report.Test(L"Registered owner").result, ErrorText(ERROR_MORE_DATA));
    EXPECT_EQ(report.Test(L"Registered owner").format, L"String");
}

TEST(OSGroup, RegistryKeyMissing)
{
    CStagedMachineKey machine;  // no CurrentVersion key at all
    CReportOutline report = RunGroup<CTestOS>("");
    EXPECT_EQ(report.Section(L"C:Registration Details", L"C:"),
              (std::vector<std::wstring>{ L"C:Registration Details", L"S:CatUndef", L"T:Registration details" }));
    CReportTest test = report.Test(L"Registration details");
    EXPECT_EQ(test.result, L"Can not open the registry key SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
    EXPECT_EQ(test.status + test.format, L"FailedString");
}

TEST(OSGroup, ProductNameFromVersion62On)
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info) || info.dwPlatformId != VER_PLATFORM_WIN32_NT || info.dwMajorVersion != 6 ||
        info.dwMinorVersion < 2)
        GTEST_SKIP() << "the system reports a version other than 6.2 or 6.3";
    for (const auto& [type, prefix] : { std::pair{ REG_SZ, L"Vek Test Windows (Build " },
                                        { REG_EXPAND_SZ, L"Unknown Microsoft operating system (Build " } })
    {
        CStagedMachineKey machine;
        machine.SetString(kCurrentVersion, L"ProductName", L"Vek Test Windows", type);
        CReportTest test = RunGroup<CTestOS>("").Test(L"Operating system");
        EXPECT_EQ(test.result.rfind(prefix, 0), 0u) << test.result;
        EXPECT_EQ(test.status, L"Passed");
    }
}
