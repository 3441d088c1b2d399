// Drivers-and-tools group run into a report: file rows by device type, products, files.
#include "groups/TestVekDriversAndTools.h"

#include "support/GroupReport.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

namespace
{

const wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const wchar_t kDriverKey[] = L"SOFTWARE\\VEK_Dovazezozu\\TIV\\Driver";

std::wstring SystemFolder()
{
    wchar_t sz[MAX_PATH] = {};
    GetSystemDirectoryW(sz, MAX_PATH);
    return sz;
}

std::wstring Fixture()
{
    return ExeFolder() + L"\\VersionFixture.dll";
}

void StageProduct(CStagedMachineKey& machine, const wchar_t* pszKey, const std::wstring& location,
                  const wchar_t* pszVersion = L"1.2.3", const wchar_t* pszDate = L"20260314")
{
    std::wstring key = std::wstring(kUninstall) + pszKey;
    machine.SetString(key, L"InstallLocation", location);
    machine.SetString(key, L"DisplayVersion", pszVersion);
    machine.SetString(key, L"InstallDate", pszDate);
}

// The SubCategories of the category "TIV Driver" after "Product Information".
std::vector<std::wstring> DriverFileRows(const CReportOutline& report)
{
    std::vector<std::wstring> rows;
    for (const std::wstring& line : report.Section(L"C:TIV Driver", L"C:"))
        if (line.compare(0, 2, L"S:") == 0 && line != L"S:Product Information")
            rows.push_back(line.substr(2));
    return rows;
}

// Sets a file's last-write time to 2024-02-29 13:45:07 UTC.
void SetKnownTime(const std::wstring& path)
{
    SYSTEMTIME time = { 2024, 2, 4, 29, 13, 45, 7, 0 };
    FILETIME fileTime = {};
    ASSERT_TRUE(SystemTimeToFileTime(&time, &fileTime));
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    SetFileTime(hFile, nullptr, nullptr, &fileTime);
    CloseHandle(hFile);
}

}  // namespace

TEST(DriversGroup, DriverFileRowsByDeviceType)
{
    const bool bUpsService = IsWindows6xNotVista() != FALSE;
    const bool bDrov = IsDrovDriverInstalled() != FALSE;
    const std::wstring tivDriver = bDrov ? L"VekDrovDrv.sys" : L"VekTivDrv.sys";
    std::vector<std::wstring> ups = { L"VekTivUps.dll", L"VekUpsMsg.exe", L"VekUpsMon.exe" };
    if (bUpsService)
        ups.push_back(L"VekTivUpsSvc.exe");

    struct
    {
        DWORD dwType;
        std::vector<std::wstring> expected;
    } cases[] = {
        { 2, { L"VekCtrlCenter.cpl", L"VekTiv.dll", tivDriver, L"VekBiosDrv.sys" } },
        { 18, { L"VekCtrlCenter.cpl", L"VekTiv.dll" } },
    };
    cases[1].expected.insert(cases[1].expected.end(), ups.begin(), ups.end());
    cases[1].expected.push_back(tivDriver);
    cases[1].expected.push_back(L"VekBiosDrv.sys");

    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.dwType);
        CStagedMachineKey machine;
        const std::string profile("DeviceType = u32 " + std::to_string(c.dwType) + "\n");
        CReportOutline report = RunGroup<CTestVekDriversAndTools>(profile);
        ASSERT_FALSE(report.lines.empty());
        EXPECT_EQ(report.lines[0], L"G:Vek Drivers and Tools");
        EXPECT_EQ(DriverFileRows(report), c.expected);
        // Nothing installed: no product categories, the driver's version not available.
        EXPECT_EQ(report.Section(L"C:TIV Driver", L"S:VekCtrlCenter.cpl"),
                  (std::vector<std::wstring>{ L"C:TIV Driver", L"S:Product Information",
                                              L"T:Setup version" }));
        EXPECT_EQ(report.Test(L"Setup version").result, L"Not available");
        EXPECT_EQ(report.Test(L"Setup version").status, L"Failed");
        EXPECT_EQ(report.lines.back().compare(0, 2, L"T:"), 0);
        for (const CProduct& product : kProducts)
            EXPECT_TRUE(report.Section(std::wstring(L"C:") + product.pszCategory, L"C:").empty());
    }
}

TEST(DriversGroup, NothingWhenTheTypeCannotBeRead)
{
    CStagedMachineKey machine;
    const std::string profile("DeviceType = fail 31\n");
    EXPECT_TRUE(RunGroup<CTestVekDriversAndTools>(profile).lines.empty());
}

TEST(DriversGroup, MissingSystemFileShowsPathAndError)
{
    CStagedMachineKey machine;
    const std::string profile("DeviceType = u32 2\n");
    CReportOutline report = RunGroup<CTestVekDriversAndTools>(profile);
    EXPECT_EQ(report.Section(L"S:VekBiosDrv.sys", L"S:"),
              (std::vector<std::wstring>{ L"S:VekBiosDrv.sys", L"T:File path", L"T:File version" }));
    std::wstring path = SystemFolder() + L"\\Drivers\\VekBiosDrv.sys";
    bool bFound = false;
    for (size_t i = 0; i + 1 < report.tests.size(); ++i)
    {
        if (report.tests[i].name == L"File path" && report.tests[i].result == path)
        {
            bFound = true;
            EXPECT_EQ(report.tests[i].status, L"Passed");
            EXPECT_EQ(report.tests[i + 1].result, ErrorText(ERROR_FILE_NOT_FOUND));
            EXPECT_EQ(report.tests[i + 1].status, L"Failed");
        }
    }
    EXPECT_TRUE(bFound);
}

TEST(DriversGroup, ProductWithFilesInItsInstallLocation)
{
    for (const wchar_t* pszTrail : { L"\\", L"\\\\" })
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(pszTrail)));
        CStagedMachineKey machine;
        CTempDir location;
        ASSERT_TRUE(CopyFileW(Fixture().c_str(), location.File(L"VEK.CanSettings.exe").c_str(),
                              FALSE));
        SetKnownTime(location.File(L"VEK.CanSettings.exe"));
        StageProduct(machine, L"Vek CAN Driver", location.Path() + pszTrail, L"4.5.6",
                     L"14032026");
        const std::string profile("DeviceType = u32 2\n");
        CReportOutline report = RunGroup<CTestVekDriversAndTools>(profile);

        EXPECT_EQ(report.Section(L"C:CAN Driver", L"C:"),
                  (std::vector<std::wstring>{
                      L"C:CAN Driver", L"S:Product Information", L"T:Setup version",
                      L"T:Install location", L"T:Install date", L"S:VEK.CanSettings.exe",
                      L"T:File path", L"T:File version", L"T:Modification date", L"T:File size",
                      L"S:VekCanDrv.sys", L"T:File path", L"T:File version" }));
        // Only one trailing backslash goes; the file is looked up with one more.
        const std::wstring shown = location.Path() + (pszTrail[1] != 0 ? L"\\" : L"");
        const size_t n = report.tests.size();
        std::vector<CReportTest> can;
        for (size_t i = 0; i < n; ++i)
            if (report.tests[i].result == shown)
                can.assign(report.tests.begin() + i - 1, report.tests.begin() + i + 7);
        ASSERT_EQ(can.size(), 8u);
        EXPECT_EQ(can[0].result, L"4.5.6");
        EXPECT_EQ(can[1].name, L"Install location");
        EXPECT_EQ(can[2].result, L"2026-03-14");
        EXPECT_EQ(can[3].result, shown + L"\\VEK.CanSettings.exe");
        EXPECT_EQ(can[4].result, L"9.8.7.6 (fixture)");
        EXPECT_EQ(can[4].status, L"Passed");
        EXPECT_EQ(can[5].result, L"2024-02-29 13:45:07");
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExW(Fixture().c_str(), GetFileExInfoStandard, &data);
        EXPECT_EQ(can[6].name, L"File size");
        EXPECT_EQ(can[6].result, std::to_wstring(data.nFileSizeLow));
        EXPECT_EQ(can[6].format, L"Bytes");
        for (const CReportTest& test : can)
            EXPECT_EQ(test.description, L"DescrUndef");
    }
}

TEST(DriversGroup, ProductNotInstalledOrIncomplete)
{
    CStagedMachineKey machine;
    CTempDir location;
    // Without InstallDate the product counts as not installed.
    std::wstring key = std::wstring(kUninstall) + L"Vek SRAM Driver";
    machine.SetString(key, L"InstallLocation", location.Path());
    machine.SetString(key, L"DisplayVersion", L"1.0");
    // A DisplayVersion of another type counts the same.
    StageProduct(machine, L"ScreenLatch_is1", location.Path());
    const DWORD dwVersion = 5;
    machine.SetRaw(std::wstring(kUninstall) + L"ScreenLatch_is1", L"DisplayVersion", REG_DWORD,
                   &dwVersion, sizeof(dwVersion));
    StageProduct(machine, L"VekTouchDriver_is1", location.Path(), L"7.0", L"2026031");
    const std::string profile("DeviceType = u32 2\n");
    CReportOutline report = RunGroup<CTestVekDriversAndTools>(profile);
    EXPECT_TRUE(report.Section(L"C:SRAM Driver", L"C:").empty());
    EXPECT_TRUE(report.Section(L"C:Touch Lock", L"C:").empty());
    // A 7-character date shows as an empty text, still Passed.
    std::vector<std::wstring> touch = report.Section(L"C:Touch Driver", L"C:");
    ASSERT_GE(touch.size(), 5u);
    EXPECT_EQ(touch[4], L"T:Install date");
    bool bSeen = false;
    for (const CReportTest& test : report.tests)
        if (test.name == L"Install date")
        {
            EXPECT_EQ(test.result, L"");
            EXPECT_EQ(test.status, L"Passed");
            bSeen = true;
        }
    EXPECT_TRUE(bSeen);
}

TEST(DriversGroup, DriverProductInfoAndItsFallback)
{
    {
        CStagedMachineKey machine;
        machine.SetString(kDriverKey, L"Version", L"3.14.0");
        const std::string profile("DeviceType = u32 2\n");
        CReportOutline report = RunGroup<CTestVekDriversAndTools>(profile);
        EXPECT_EQ(report.Section(L"S:Product Information", L"S:"),
                  (std::vector<std::wstring>{ L"S:Product Information", L"T:Setup version" }));
        EXPECT_EQ(report.Test(L"Setup version").result, L"3.14.0");
        EXPECT_EQ(report.Test(L"Setup version").status, L"Passed");
    }
    {
        CStagedMachineKey machine;
        CTempDir location;
        StageProduct(machine, L"TivDriver_is1", location.Path(), L"2.0.1", L"20251231");
        machine.SetString(kDriverKey, L"Version", L"not shown");
        const std::string profile("DeviceType = u32 2\n");
        CReportOutline report = RunGroup<CTestVekDriversAndTools>(profile);
        EXPECT_EQ(report.Section(L"S:Product Information", L"S:"),
                  (std::vector<std::wstring>{ L"S:Product Information", L"T:Setup version",
                                              L"T:Install location", L"T:Install date" }));
        EXPECT_EQ(report.Test(L"Setup version").result, L"2.0.1");
        EXPECT_EQ(report.Test(L"Install location").result, location.Path());
        EXPECT_EQ(report.Test(L"Install date").result, L"2025-12-31");
    }
}

TEST(DriversGroup, FactoryRevertOnlyWhenPresent)
{
    CStagedMachineKey machine;
    CTempDir install;
    machine.SetString(kDriverKey, L"InstallPath", install.Path());
    const std::string profile("DeviceType = u32 2\n");
    {
        CReportOutline report = RunGroup<CTestVekDriversAndTools>(profile);
        std::vector<std::wstring> rows = DriverFileRows(report);
        EXPECT_EQ(rows.back(), L"VekBiosDrv.sys");
    }
    // A file without a version resource: the version fails, date and size follow.
    ASSERT_TRUE(WriteFileBytes(install.File(L"FactoryRevert.exe"), "no version here"));
    SetKnownTime(install.File(L"FactoryRevert.exe"));
    CReportOutline report = RunGroup<CTestVekDriversAndTools>(profile);
    EXPECT_EQ(report.Section(L"S:FactoryRevert.exe", L"S:"),
              (std::vector<std::wstring>{ L"S:FactoryRevert.exe", L"T:File path",
                                          L"T:File version", L"T:Modification date",
                                          L"T:File size" }));
    const std::vector<CReportTest>& tests = report.tests;
    ASSERT_GE(tests.size(), 4u);
    const CReportTest* last = &tests[tests.size() - 4];
    EXPECT_EQ(last[0].result, install.Path() + L"\\FactoryRevert.exe");
    EXPECT_EQ(last[1].result, L"Can not get the file version");
    EXPECT_EQ(last[1].status, L"Failed");
    EXPECT_EQ(last[2].result, L"2024-02-29 13:45:07");
    EXPECT_EQ(last[3].result, L"15");
}
