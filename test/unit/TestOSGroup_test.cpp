// Operating-system group run into a report: tree, key=value file, registration, version text.
#include "groups/TestOS.h"

#include "support/GroupReport.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

namespace
{

const wchar_t kCurrentVersion[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// Points SystemDrive of this process at a temporary folder (or unsets it) for one test.
class CSystemDrive
{
public:
    explicit CSystemDrive(const wchar_t* pszValue)
    {
        m_nOld = GetEnvironmentVariableW(L"SystemDrive", m_szOld, 300);
        SetEnvironmentVariableW(L"SystemDrive", pszValue);
    }
    ~CSystemDrive() { SetEnvironmentVariableW(L"SystemDrive", m_nOld > 0 ? m_szOld : nullptr); }

private:
    wchar_t m_szOld[300] = {};
    DWORD m_nOld = 0;
};

void StageRegistration(CStagedMachineKey& machine)
{
    machine.SetString(kCurrentVersion, L"ProductId", L"00000-111-2222222-33333");
    machine.SetString(kCurrentVersion, L"RegisteredOrganization", L"Vek & Sons <Test>");
    machine.SetString(kCurrentVersion, L"RegisteredOwner", L"Operator");
}

bool IsVersion62OrLater()
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    return GetVersionExW(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT &&
           info.dwMajorVersion == 6 && info.dwMinorVersion >= 2;
}

}  // namespace

TEST(OSGroup, TreeWithKeyValueFileAndRegistration)
{
    CStagedMachineKey machine;
    StageRegistration(machine);
    CTempDir drive;
    ASSERT_TRUE(WriteFileBytes(drive.File(L"DAZIRAVAZ.INI"),
                               "[Main]\r\nMode=Auto\r\n\r\nPath=C:\\a=b\r\n=x\r\nKey=\r\n"));
    CSystemDrive systemDrive(drive.Path().c_str());

    CReportOutline report = RunGroup<CTestOS>("");
    const std::vector<std::wstring> expected = {
        L"G:Operating System", L"C:Version", L"S:CatUndef", L"T:Operating system",
        L"C:DAZIRAVAZ.INI", L"S:CatUndef", L"T:Mode", L"T:Path", L"T:", L"T:Key",
        L"C:Registration Details", L"S:CatUndef", L"T:Product ID",
        L"T:Registered organization", L"T:Registered owner",
        L"C:User Account", L"S:CatUndef", L"T:Administrator privileges",
    };
    EXPECT_EQ(report.lines, expected);
    EXPECT_EQ(report.Test(L"Path").result, L"C:\\a=b");
    EXPECT_EQ(report.Test(L"Path").status, L"Passed");
    EXPECT_EQ(report.Test(L"Path").description, L"DescrUndef");
    EXPECT_EQ(report.Test(L"").result, L"x");
    EXPECT_EQ(report.Test(L"Key").result, L"");
    EXPECT_EQ(report.Test(L"Key").status, L"Passed");
    EXPECT_EQ(report.Test(L"Registered organization").result, L"Vek & Sons <Test>");
    EXPECT_EQ(report.Test(L"Product ID").format, L"String");

    CReportTest admin = report.Test(L"Administrator privileges");
    EXPECT_EQ(admin.description, L"Checks if the user account has administrator privileges.");
    EXPECT_TRUE(admin.result == L"Yes" || admin.result == L"No") << admin.result;
    EXPECT_EQ(admin.format, L"YesNo");
    EXPECT_EQ(admin.status, L"Passed");

    CReportTest os = report.Test(L"Operating system");
    EXPECT_EQ(os.status, L"Passed");
    EXPECT_EQ(os.format, L"String");
    EXPECT_NE(os.result.find(L" (Build "), std::wstring::npos) << os.result;
}

TEST(OSGroup, KeyValueFileAbsentOrWithoutKeys)
{
    CStagedMachineKey machine;
    StageRegistration(machine);
    CTempDir drive;
    CSystemDrive systemDrive(drive.Path().c_str());

    CReportOutline absent = RunGroup<CTestOS>("");
    EXPECT_TRUE(absent.Section(L"C:DAZIRAVAZ.INI", L"C:").empty());
    EXPECT_EQ(absent.lines[4], L"C:Registration Details");

    ASSERT_TRUE(WriteFileBytes(drive.File(L"DAZIRAVAZ.INI"), "[Main]\r\nno keys here\r\n"));
    CReportOutline empty = RunGroup<CTestOS>("");
    EXPECT_EQ(empty.Section(L"C:DAZIRAVAZ.INI", L"C:"),
              (std::vector<std::wstring>{ L"C:DAZIRAVAZ.INI", L"S:CatUndef" }));
}

TEST(OSGroup, SystemDriveUnsetLooksOnDriveC)
{
    CStagedMachineKey machine;
    CSystemDrive systemDrive(nullptr);
    std::wstring path;
    ASSERT_TRUE(GetRuntimeIniPath(path));
    EXPECT_EQ(path, L"C:\\DAZIRAVAZ.INI");
    // Whatever drive C: holds, the group is written whole.
    CReportOutline report = RunGroup<CTestOS>("");
    EXPECT_EQ(report.lines.front(), L"G:Operating System");
    EXPECT_EQ(report.lines.back(), L"T:Administrator privileges");
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
    EXPECT_EQ(report.Test(L"Registered organization").status, L"Failed");
    EXPECT_EQ(report.Test(L"Registered owner").result, ErrorText(ERROR_MORE_DATA));
    EXPECT_EQ(report.Test(L"Registered owner").format, L"String");
}

TEST(OSGroup, RegistryKeyMissing)
{
    CStagedMachineKey machine;  // no CurrentVersion key at all
    CReportOutline report = RunGroup<CTestOS>("");
    EXPECT_EQ(report.Section(L"C:Registration Details", L"C:"),
              (std::vector<std::wstring>{ L"C:Registration Details", L"S:CatUndef",
                                          L"T:Registration details" }));
    CReportTest test = report.Test(L"Registration details");
    EXPECT_EQ(test.result,
              L"Can not open the registry key SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
    EXPECT_EQ(test.status, L"Failed");
    EXPECT_EQ(test.format, L"String");
}

TEST(OSGroup, ProductNameFromVersion62On)
{
    if (!IsVersion62OrLater())
        GTEST_SKIP() << "the system reports a version before 6.2";
    {
        CStagedMachineKey machine;
        machine.SetString(kCurrentVersion, L"ProductName", L"Vek Test Windows");
        std::wstring text = RunGroup<CTestOS>("").Test(L"Operating system").result;
        EXPECT_EQ(text.rfind(L"Vek Test Windows (Build ", 0), 0u) << text;
    }
    {
        CStagedMachineKey machine;
        machine.SetString(kCurrentVersion, L"ProductName", L"Not a string", REG_EXPAND_SZ);
        CReportTest test = RunGroup<CTestOS>("").Test(L"Operating system");
        EXPECT_EQ(test.result.rfind(L"Unknown Microsoft operating system (Build ", 0), 0u)
            << test.result;
        EXPECT_EQ(test.status, L"Passed");
    }
}
