// Operating-system group run into a report: the key=value file's category, registration failures.
#include "groups/TestOS.h"

#include "support/GroupReport.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

namespace
{

const wchar_t kCurrentVersion[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

}  // namespace

TEST(OSGroup, KeyValueFileCategoryOnlyWhenTheFileExists)
{
    CStagedMachineKey machine;
    CTempDir drive;
    wchar_t szOld[300] = {};
    const DWORD nOld = GetEnvironmentVariableW(L"SystemDrive", szOld, 300);
    SetEnvironmentVariableW(L"SystemDrive", drive.Path().c_str());
    EXPECT_TRUE(RunGroup<CTestOS>("").Section(L"C:DAZIRAVAZ.INI", L"C:").empty());
    // A file without a single key still shows its category.
    ASSERT_TRUE(WriteFileBytes(drive.File(L"DAZIRAVAZ.INI"), "[Main]\r\nno keys here\r\n"));
    EXPECT_EQ(RunGroup<CTestOS>("").Section(L"C:DAZIRAVAZ.INI", L"C:"),
              (std::vector<std::wstring>{ L"C:DAZIRAVAZ.INI", L"S:CatUndef" }));
    SetEnvironmentVariableW(L"SystemDrive", nOld > 0 ? szOld : nullptr);
}

TEST(OSGroup, RegistrationFailures)
{
    {
        CStagedMachineKey machine;
        const DWORD dwNumber = 7;
        machine.SetRaw(kCurrentVersion, L"ProductId", REG_DWORD, &dwNumber, sizeof(dwNumber));
        machine.SetString(kCurrentVersion, L"RegisteredOwner", std::wstring(300, L'o'));
        CReportOutline report = RunGroup<CTestOS>("");
        // Another type: the query itself worked, so the text is that of code 0.
        EXPECT_EQ(report.Test(L"Product ID").result + report.Test(L"Product ID").status, ErrorText(0) + L"Failed");
        EXPECT_EQ(report.Test(L"Registered organization").result, ErrorText(ERROR_FILE_NOT_FOUND));
        EXPECT_EQ(report.Test(L"Registered owner").result, ErrorText(ERROR_MORE_DATA));
    }
    CStagedMachineKey machine;  // no CurrentVersion key at all
    CReportOutline report = RunGroup<CTestOS>("");
    EXPECT_EQ(report.Section(L"C:Registration Details", L"C:"),
              (std::vector<std::wstring>{ L"C:Registration Details", L"S:CatUndef", L"T:Registration details" }));
    CReportTest test = report.Test(L"Registration details");
    EXPECT_EQ(test.result, L"Can not open the registry key SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
    EXPECT_EQ(test.status + test.format, L"FailedString");
}
