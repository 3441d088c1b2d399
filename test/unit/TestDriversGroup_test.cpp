// Drivers-and-tools group run into a report: incomplete products, the driver's version without its
// product, the file tests of files that exist.
#include "groups/TestVekDriversAndTools.h"

#include "framework/Handles.h"

#include "support/GroupReport.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

namespace
{

const wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const wchar_t kDriverKey[] = L"SOFTWARE\\VEK_Dovazezozu\\TIV\\Driver";

CReportOutline RunDrivers()
{
    return RunGroup<CTestVekDriversAndTools>("DeviceType = u32 2\n");
}

void StageProduct(CStagedMachineKey& machine, const wchar_t* pszKey, const std::wstring& location,
                  const wchar_t* pszVersion, const wchar_t* pszDate)
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
    CFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &fileTime));
}

// "name=result" of a subcategory's tests, " (failed)" after a failed one.
std::vector<std::wstring> Sub(const CReportOutline& report, const wchar_t* pszCategory, const wchar_t* pszSub)
{
    std::vector<std::wstring> out;
    for (const CReportTest& t : report.tests)
        if (t.category == pszCategory && t.subCategory == pszSub)
            out.push_back(t.name + L"=" + t.result + (t.status == L"Failed" ? L" (failed)" : L""));
    return out;
}

}  // namespace

TEST(DriversGroup, ProductWithoutAllThreeStringsIsNotInstalled)
{
    CStagedMachineKey machine;
    CTempDir location;
    StageProduct(machine, L"Vek SRAM Driver", location.Path(), L"1.0", nullptr);
    StageProduct(machine, L"ScreenLatch_is1", location.Path(), L"1.0", L"20260314");
    const DWORD dwVersion = 5;
    machine.SetRaw(std::wstring(kUninstall) + L"ScreenLatch_is1", L"DisplayVersion", REG_DWORD, &dwVersion, 4);
    StageProduct(machine, L"VekTouchDriver_is1", location.Path(), L"7.0", L"2026031");
    // The driver's own product is not installed either: its key tells the version.
    machine.SetString(kDriverKey, L"Version", L"3.14.0");
    CReportOutline report = RunDrivers();
    EXPECT_EQ(Sub(report, L"TIV Driver", L"Product Information"), std::vector<std::wstring>{ L"Setup version=3.14.0" });
    EXPECT_TRUE(report.Section(L"C:SRAM Driver", L"C:").empty());
    EXPECT_TRUE(report.Section(L"C:Touch Lock", L"C:").empty());
    // A 7-character date shows as an empty text, still passed.
    EXPECT_EQ(Sub(report, L"Touch Driver", L"Product Information"),
              (std::vector<std::wstring>{ L"Setup version=7.0", L"Install location=" + location.Path(), L"Install date=" }));
}

TEST(DriversGroup, FilesThatExist)
{
    const std::wstring fixture = ExeFolder() + L"\\VersionFixture.dll";
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ASSERT_TRUE(GetFileAttributesExW(fixture.c_str(), GetFileExInfoStandard, &data));
    for (const wchar_t* pszTrail : { L"\\", L"\\\\" })
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(pszTrail)));
        CStagedMachineKey machine;
        CTempDir location, install;
        ASSERT_TRUE(CopyFileW(fixture.c_str(), location.File(L"VEK.CanSettings.exe").c_str(), FALSE));
        SetKnownTime(location.File(L"VEK.CanSettings.exe"));
        StageProduct(machine, L"Vek CAN Driver", location.Path() + pszTrail, L"4.5.6", L"20260314");
        // A file without a version resource: the version fails, date and size follow.
        machine.SetString(kDriverKey, L"InstallPath", install.Path());
        ASSERT_TRUE(WriteFileBytes(install.File(L"FactoryRevert.exe"), "no version here"));
        SetKnownTime(install.File(L"FactoryRevert.exe"));
        CReportOutline report = RunDrivers();
        // The driver's key without a version: none to show.
        EXPECT_EQ(Sub(report, L"TIV Driver", L"Product Information"),
                  std::vector<std::wstring>{ L"Setup version=Not available (failed)" });
        // Only one trailing backslash goes; the file is looked up with one more.
        const std::wstring shown = location.Path() + (pszTrail[1] != 0 ? L"\\" : L"");
        EXPECT_EQ(Sub(report, L"CAN Driver", L"VEK.CanSettings.exe"),
                  (std::vector<std::wstring>{ L"File path=" + shown + L"\\VEK.CanSettings.exe",
                                              L"File version=9.8.7.6 (fixture)", L"Modification date=2024-02-29 13:45:07",
                                              L"File size=" + std::to_wstring(data.nFileSizeLow) }));
        EXPECT_EQ(Sub(report, L"TIV Driver", L"FactoryRevert.exe"),
                  (std::vector<std::wstring>{ L"File path=" + install.Path() + L"\\FactoryRevert.exe",
                                              L"File version=Can not get the file version (failed)",
                                              L"Modification date=2024-02-29 13:45:07", L"File size=15" }));
    }
}
