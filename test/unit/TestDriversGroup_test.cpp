// Drivers-and-tools group run into a report: file rows by device type, products, files.
#include "groups/TestVekDriversAndTools.h"

#include "support/GroupReport.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

using CLines = std::vector<std::wstring>;

const wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const wchar_t kDriverKey[] = L"SOFTWARE\\VEK_Dovazezozu\\TIV\\Driver";

CReportOutline RunDrivers(const char* pszType = "u32 2")
{
    return RunGroup<CTestVekDriversAndTools>(std::string("DeviceType = ") + pszType + "\n");
}

void StageProduct(CStagedMachineKey& machine, const wchar_t* pszKey, const std::wstring& location,
                  const wchar_t* pszVersion = L"1.2.3", const wchar_t* pszDate = L"20260314")
{
    std::wstring key = std::wstring(kUninstall) + pszKey;
    machine.SetString(key, L"InstallLocation", location);
    machine.SetString(key, L"DisplayVersion", pszVersion);
    if (pszDate != nullptr)
        machine.SetString(key, L"InstallDate", pszDate);
}

// Sets a file's last-write time to 2024-02-29 13:45:07 UTC.
void SetKnownTime(const std::wstring& path)
{
    SYSTEMTIME time = { 2024, 2, 4, 29, 13, 45, 7, 0 };
    FILETIME fileTime = {};
    SystemTimeToFileTime(&time, &fileTime);
    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    SetFileTime(hFile, nullptr, nullptr, &fileTime);
    CloseHandle(hFile);
}

// The tests from the first whose result is `result`, `count` of them (fewer at the end).
std::vector<CReportTest> From(const CReportOutline& report, const std::wstring& result, size_t count)
{
    auto it = std::find_if(report.tests.begin(), report.tests.end(),
                           [&](const CReportTest& t) { return t.result == result; });
    return { it, it + std::min<size_t>(count, report.tests.end() - it) };
}

}  // namespace

TEST(DriversGroup, DriverFileRowsByDeviceType)
{
    const std::wstring tivDriver = IsDrovDriverInstalled() ? L"VekDrovDrv.sys" : L"VekTivDrv.sys";
    CLines ups = { L"S:VekTivUps.dll", L"S:VekUpsMsg.exe", L"S:VekUpsMon.exe" };
    if (IsWindows6xNotVista())
        ups.push_back(L"S:VekTivUpsSvc.exe");
    CLines withUps = { L"S:VekCtrlCenter.cpl", L"S:VekTiv.dll" };
    withUps.insert(withUps.end(), ups.begin(), ups.end());
    withUps.insert(withUps.end(), { L"S:" + tivDriver, L"S:VekBiosDrv.sys" });
    for (const auto& [pszType, rows] :
         { std::pair{ "u32 2", CLines{ L"S:VekCtrlCenter.cpl", L"S:VekTiv.dll", L"S:" + tivDriver, L"S:VekBiosDrv.sys" } },
           { "u32 18", withUps }, { "fail 31", CLines{} } })
    {
        SCOPED_TRACE(pszType);
        CStagedMachineKey machine;
        CReportOutline report = RunDrivers(pszType);
        CLines subs;
        std::copy_if(report.lines.begin(), report.lines.end(), std::back_inserter(subs),
                     [](const std::wstring& line) { return line[0] == L'S' || line[0] == L'C'; });
        if (rows.empty())
        {
            EXPECT_TRUE(report.lines.empty());
            continue;
        }
        // Nothing installed: no product categories, the driver's version not available.
        CLines expected = { L"C:TIV Driver", L"S:Product Information" };
        expected.insert(expected.end(), rows.begin(), rows.end());
        EXPECT_EQ(subs, expected);
        EXPECT_EQ(report.Test(L"Setup version").result + report.Test(L"Setup version").status, L"Not availableFailed");
    }
}

TEST(DriversGroup, MissingSystemFileShowsPathAndError)
{
    CStagedMachineKey machine;
    CReportOutline report = RunDrivers();
    EXPECT_EQ(report.Section(L"S:VekBiosDrv.sys", L"S:"), (CLines{ L"S:VekBiosDrv.sys", L"T:File path", L"T:File version" }));
    wchar_t szSystem[MAX_PATH] = {};
    GetSystemDirectoryW(szSystem, MAX_PATH);
    std::vector<CReportTest> file = From(report, std::wstring(szSystem) + L"\\Drivers\\VekBiosDrv.sys", 2);
    ASSERT_EQ(file.size(), 2u);
    EXPECT_EQ(file[0].status, L"Passed");
    EXPECT_EQ(file[1].result, ErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(file[1].status, L"Failed");
}

TEST(DriversGroup, ProductWithFilesInItsInstallLocation)
{
    const std::wstring fixture = ExeFolder() + L"\\VersionFixture.dll";
    for (const wchar_t* pszTrail : { L"\\", L"\\\\" })
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(pszTrail)));
        CStagedMachineKey machine;
        CTempDir location;
        ASSERT_TRUE(CopyFileW(fixture.c_str(), location.File(L"VEK.CanSettings.exe").c_str(), FALSE));
        SetKnownTime(location.File(L"VEK.CanSettings.exe"));
        StageProduct(machine, L"Vek CAN Driver", location.Path() + pszTrail, L"4.5.6", L"14032026");
        CReportOutline report = RunDrivers();
        EXPECT_EQ(report.Section(L"C:CAN Driver", L"C:"),
                  (CLines{ L"C:CAN Driver", L"S:Product Information", L"T:Setup version", L"T:Install location",
                           L"T:Install date", L"S:VEK.CanSettings.exe", L"T:File path", L"T:File version",
                           L"T:Modification date", L"T:File size", L"S:VekCanDrv.sys", L"T:File path",
                           L"T:File version" }));
        // Only one trailing backslash goes; the file is looked up with one more.
        const std::wstring shown = location.Path() + (pszTrail[1] != 0 ? L"\\" : L"");
        std::vector<CReportTest> can = From(report, shown, 6);
        ASSERT_EQ(can.size(), 6u);
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExW(fixture.c_str(), GetFileExInfoStandard, &data);
        const std::wstring expected[] = { shown, L"2026-03-14", shown + L"\\VEK.CanSettings.exe",
                                          L"9.8.7.6 (fixture)", L"2024-02-29 13:45:07",
                                          std::to_wstring(data.nFileSizeLow) };
        for (size_t i = 0; i < 6; ++i)
            EXPECT_EQ(can[i].result, expected[i]) << can[i].name;
        EXPECT_EQ(can[5].format, L"Bytes");
        EXPECT_EQ(can[3].description, L"DescrUndef");
    }
}

TEST(DriversGroup, ProductNotInstalledOrIncomplete)
{
    CStagedMachineKey machine;
    CTempDir location;
    // Without InstallDate, or with a DisplayVersion of another type, a product is not installed.
    StageProduct(machine, L"Vek SRAM Driver", location.Path(), L"1.0", nullptr);
    StageProduct(machine, L"ScreenLatch_is1", location.Path());
    const DWORD dwVersion = 5;
    machine.SetRaw(std::wstring(kUninstall) + L"ScreenLatch_is1", L"DisplayVersion", REG_DWORD, &dwVersion,
                   sizeof(dwVersion));
    StageProduct(machine, L"VekTouchDriver_is1", location.Path(), L"7.0", L"2026031");
    CReportOutline report = RunDrivers();
    EXPECT_TRUE(report.Section(L"C:SRAM Driver", L"C:").empty());
    EXPECT_TRUE(report.Section(L"C:Touch Lock", L"C:").empty());
    // A 7-character date shows as an empty text, still Passed.
    std::vector<CReportTest> touch = From(report, L"7.0", 3);
    ASSERT_EQ(touch.size(), 3u);
    EXPECT_EQ(touch[2].name, L"Install date");
    EXPECT_EQ(touch[2].result + touch[2].status, L"Passed");
}

TEST(DriversGroup, DriverProductInfoAndItsFallback)
{
    for (bool bInstalled : { false, true })
    {
        CStagedMachineKey machine;
        CTempDir location;
        machine.SetString(kDriverKey, L"Version", L"3.14.0");
        if (bInstalled)
            StageProduct(machine, L"TivDriver_is1", location.Path(), L"2.0.1", L"20251231");
        CReportOutline report = RunDrivers();
        CLines info = { L"S:Product Information", L"T:Setup version" };
        if (bInstalled)
            info.insert(info.end(), { L"T:Install location", L"T:Install date" });
        EXPECT_EQ(report.Section(L"S:Product Information", L"S:"), info);
        EXPECT_EQ(report.Test(L"Setup version").result, bInstalled ? L"2.0.1" : L"3.14.0");
        EXPECT_EQ(report.Test(L"Setup version").status, L"Passed");
        if (bInstalled)
        {
            EXPECT_EQ(report.Test(L"Install date").result, L"2025-12-31");
        }
    }
}

TEST(DriversGroup, FactoryRevertOnlyWhenPresent)
{
    CStagedMachineKey machine;
    CTempDir install;
    machine.SetString(kDriverKey, L"InstallPath", install.Path());
    EXPECT_TRUE(RunDrivers().Section(L"S:FactoryRevert.exe", L"S:").empty());
    // A file without a version resource: the version fails, date and size follow.
    ASSERT_TRUE(WriteFileBytes(install.File(L"FactoryRevert.exe"), "no version here"));
    SetKnownTime(install.File(L"FactoryRevert.exe"));
    CReportOutline report = RunDrivers();
    EXPECT_EQ(report.Section(L"S:FactoryRevert.exe", L"S:"),
              (CLines{ L"S:FactoryRevert.exe", L"T:File path", L"T:File version", L"T:Modification date",
                       L"T:File size" }));
    std::vector<CReportTest> file = From(report, install.Path() + L"\\FactoryRevert.exe", 4);
    ASSERT_EQ(file.size(), 4u);
    EXPECT_EQ(file[1].result + file[1].status, L"Can not get the file versionFailed");
    EXPECT_EQ(file[2].result, L"2024-02-29 13:45:07");
    EXPECT_EQ(file[3].result, L"15");
}
