// Drivers-and-tools group: the maker's installed driver and tool products and their files.
#include "groups/TestVekDriversAndTools.h"

#include "device/Utilities.h"
#include "framework/Handles.h"
#include "framework/Registry.h"
#include "framework/Text.h"
#include "groups/readers/Reading.h"

#include <cwchar>
#include <iterator>

namespace
{

const wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const wchar_t kDriverKey[] = L"SOFTWARE\\VEK_Dovazezozu\\TIV\\Driver";
const DWORD kRegistryValueBytes = 512;
const size_t kPathChars = 260;

const wchar_t* const kSnmpFiles[] = { L"VekTivSnmp.dll" };
const wchar_t* const kCanFiles[] = { L"VEK.CanSettings.exe", L"\\Drivers\\VekCanDrv.sys" };
const wchar_t* const kSramFiles[] = { L"CardReflash.exe", L"NvMemProbe.exe",
                                      L"\\Drivers\\VekSramDrv.sys" };
const wchar_t* const kTouchFiles[] = {
    L"VekTouchApplet.cpl", L"VekTouchApplet.exe",     L"VekTouchCalib.exe", L"VekTouchInit.exe",
    L"VekTouchRightClick.exe", L"VekTouchSelect.exe", L"VekTouchSvc.exe",   L"VekTouchDrv.sys",
};
const wchar_t* const kTouchLockFiles[] = { L"\\VekTouchLockSvc.exe",
                                           L"\\Drivers\\VekUsbTouchLock.sys" };

// Device types with a UPS, with a flash driver, and the panel PCs with their own drivers.
const CTypeGate kUpsTypes = { CTypeGate::kOnlyOn, { { 6, 12, 13, 18, 19 } } };
const CTypeGate kFlashTypes = { CTypeGate::kOnlyOn, { { 4, 5, 8, 10 } } };
const CTypeGate kPanelPcTypes = { CTypeGate::kOnlyOn, { { 4, 5 } } };

// One REG_SZ value into out; on failure out holds the system text of the query's code.
bool ReadStringValue(HKEY hKey, const wchar_t* pszName, std::wstring& out)
{
    bool bOk = false;
    LONG lResult = QueryRegistryString(hKey, pszName, kRegistryValueBytes, out, &bOk);
    if (!bOk)
        out = GetSystemErrorText(static_cast<DWORD>(lResult));
    return bOk;
}

BOOL ReadDriverValue(const wchar_t* pszName, std::wstring& text)
{
    CRegKey key;
    if (OpenMachineKey(kDriverKey, key) != ERROR_SUCCESS)
        return FALSE;
    return ReadStringValue(key.Get(), pszName, text) ? TRUE : FALSE;
}

// The system directory; false when it cannot be read.
bool GetSystemFolder(std::wstring& folder)
{
    wchar_t szFolder[kPathChars] = {};
    UINT n = GetSystemDirectoryW(szFolder, static_cast<UINT>(kPathChars));
    if (n == 0 || n >= kPathChars)
        return false;
    folder.assign(szFolder, n);
    return true;
}

}  // namespace

const CProduct kProducts[5] = {
    { L"Vek TIV SNMP Agent", L"TIV SNMP Agent", kSnmpFiles },
    { L"Vek CAN Driver", L"CAN Driver", kCanFiles },
    { L"Vek SRAM Driver", L"SRAM Driver", kSramFiles },
    { L"VekTouchDriver_is1", L"Touch Driver", kTouchFiles },
    { L"ScreenLatch_is1", L"Touch Lock", kTouchLockFiles },
};

// FactoryRevert.exe, the last entry, lies outside the system directory and is not a row here.
const CDriverFile kDriverFiles[13] = {
    { L"\\VekCtrlCenter.cpl", kAlways, EDriverFileCondition::kAlways },
    { L"\\VekTiv.dll", kAlways, EDriverFileCondition::kAlways },
    { L"\\VekTivUps.dll", kUpsTypes, EDriverFileCondition::kAlways },
    { L"\\VekUpsMsg.exe", kUpsTypes, EDriverFileCondition::kAlways },
    { L"\\VekUpsMon.exe", kUpsTypes, EDriverFileCondition::kAlways },
    { L"\\VekTivUpsSvc.exe", kUpsTypes, EDriverFileCondition::kWindows6xNotVista },
    { L"\\Drivers\\VekDrovDrv.sys", kAlways, EDriverFileCondition::kDrovInstalled },
    { L"\\Drivers\\VekTivDrv.sys", kAlways, EDriverFileCondition::kDrovNotInstalled },
    { L"\\Drivers\\VekBiosDrv.sys", kAlways, EDriverFileCondition::kAlways },
    { L"\\Drivers\\VekFlashDrv.sys", kFlashTypes, EDriverFileCondition::kAlways },
    { L"\\Drivers\\VekGixDrv.sys", kPanelPcTypes, EDriverFileCondition::kAlways },
    { L"\\Drivers\\VekPelmDrv.sys", kPanelPcTypes, EDriverFileCondition::kAlways },
    { L"\\VekZuqSvc.exe", kPanelPcTypes, EDriverFileCondition::kAlways },
};

std::wstring FileEntryName(const wchar_t* pszEntry)
{
    const wchar_t* pszSlash = wcsrchr(pszEntry, L'\\');
    return pszSlash != nullptr ? std::wstring(pszSlash + 1) : std::wstring(pszEntry);
}

BOOL ReadUninstallInfo(const wchar_t* pszKeyName, std::wstring& location, std::wstring& version,
                       std::wstring& date)
{
    CRegKey key;
    std::wstring keyPath = std::wstring(kUninstallKey) + pszKeyName;
    if (OpenMachineKey(keyPath.c_str(), key) != ERROR_SUCCESS)
        return FALSE;
    bool bOk = true;
    if (ReadStringValue(key.Get(), L"InstallLocation", location))
    {
        if (!location.empty() && location.back() == L'\\')
            location.pop_back();
    }
    else
        bOk = false;
    bOk = ReadStringValue(key.Get(), L"DisplayVersion", version) && bOk;
    bOk = ReadStringValue(key.Get(), L"InstallDate", date) && bOk;
    return bOk ? TRUE : FALSE;
}

std::wstring FormatInstallDate(const std::wstring& date)
{
    if (date.size() != 8)
        return std::wstring();
    unsigned int nYear = 0, nMonth = 0, nDay = 0;
    if (swscanf(date.c_str(), L"%4u%2u%2u", &nYear, &nMonth, &nDay) != 3)
        return date;
    if (nMonth > 12 && swscanf(date.c_str(), L"%2u%2u%4u", &nDay, &nMonth, &nYear) != 3)
        return date;
    return StrFormat(L"%04u-%02u-%02u", nYear, nMonth, nDay);
}

BOOL ReadDriverVersion(std::wstring& text)
{
    return ReadDriverValue(L"Version", text);
}

BOOL ReadDriverInstallPath(std::wstring& text)
{
    return ReadDriverValue(L"InstallPath", text);
}

BOOL IsDrovDriverInstalled()
{
    std::wstring folder;
    if (!GetSystemFolder(folder))
        return FALSE;
    folder += L"\\Drivers\\VekDrovDrv.sys";
    return GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES;
}

BOOL IsWindows6xNotVista()
{
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)))
        return FALSE;
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion == 6 &&
           info.dwMinorVersion >= 1;
}

void CTestVekDriversAndTools::Run()
{
    if (!HasReadableDeviceType(m_Library))
        return;
    m_pReport->BeginTestGroup(
        L"Vek Drivers and Tools",
        L"Contains information about Vek drivers and tools like the file path and file version. ",
        L"TIV Driver", L"Product Information");
    TestDriverProductInfo();
    TestDriverFiles();
    TestSnmpAgent();
    TestCanDriver();
    TestSramDriver();
    TestTouchDriver();
    TestTouchLock();
    m_pReport->EndTestGroup();
}

void CTestVekDriversAndTools::WriteProductInfo(const std::wstring& location,
                                               const std::wstring& version,
                                               const std::wstring& date)
{
    WriteTest(*this, L"Setup version", L"", Value(version, kFormatString));
    WriteTest(*this, L"Install location", L"", Value(location, kFormatString));
    WriteTest(*this, L"Install date", L"", Value(FormatInstallDate(date), kFormatString));
}

void CTestVekDriversAndTools::TestDriverProductInfo()
{
    std::wstring location, version, date;
    if (ReadUninstallInfo(L"TivDriver_is1", location, version, date))
    {
        WriteProductInfo(location, version, date);
        return;
    }
    std::wstring driverVersion;
    if (ReadDriverVersion(driverVersion))
        WriteTest(*this, L"Setup version", L"", Value(driverVersion, kFormatString));
    else
        WriteTest(*this, L"Setup version", L"",
                  Value(L"Not available", kFormatString, kStatusFailed));
}

bool CTestVekDriversAndTools::DriverFileApplies(const CDriverFile& row, bool bDrovInstalled)
{
    if (!PassesGate(m_Library, row.gate))
        return false;
    switch (row.eCondition)
    {
    case EDriverFileCondition::kDrovInstalled:
        return bDrovInstalled;
    case EDriverFileCondition::kDrovNotInstalled:
        return !bDrovInstalled;
    case EDriverFileCondition::kWindows6xNotVista:
        return IsWindows6xNotVista() != FALSE;
    case EDriverFileCondition::kAlways:
        break;
    }
    return true;
}

void CTestVekDriversAndTools::TestDriverFiles()
{
    // Asked once, so that exactly one of the two driver rows is written.
    const bool bDrovInstalled = IsDrovDriverInstalled() != FALSE;
    for (const CDriverFile& row : kDriverFiles)
    {
        if (!DriverFileApplies(row, bDrovInstalled))
            continue;
        m_pReport->NextSubCategory(FileEntryName(row.pszPath).c_str());
        TestSystemFile(row.pszPath);
    }

    std::wstring installPath;
    if (!ReadDriverInstallPath(installPath))
        return;
    std::wstring path = installPath + L"\\FactoryRevert.exe";
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    m_pReport->NextSubCategory(L"FactoryRevert.exe");
    TestFile(path);
}

void CTestVekDriversAndTools::TestProduct(const CProduct& product)
{
    std::wstring location, version, date;
    if (!ReadUninstallInfo(product.pszUninstallKey, location, version, date))
        return;
    m_pReport->NextCategory(product.pszCategory, L"Product Information");
    WriteProductInfo(location, version, date);
    for (const wchar_t* pszEntry : product.files)
    {
        m_pReport->NextSubCategory(FileEntryName(pszEntry).c_str());
        if (pszEntry[0] == L'\\')
            TestSystemFile(pszEntry);
        else
            TestFile(location + L"\\" + pszEntry);
    }
}

void CTestVekDriversAndTools::TestSnmpAgent() { TestProduct(kProducts[0]); }
void CTestVekDriversAndTools::TestCanDriver() { TestProduct(kProducts[1]); }
void CTestVekDriversAndTools::TestSramDriver() { TestProduct(kProducts[2]); }
void CTestVekDriversAndTools::TestTouchDriver() { TestProduct(kProducts[3]); }
void CTestVekDriversAndTools::TestTouchLock() { TestProduct(kProducts[4]); }

void CTestVekDriversAndTools::TestSystemFile(const wchar_t* pszRelativePath)
{
    std::wstring folder;
    if (!GetSystemFolder(folder))
        return;
    TestFile(folder + pszRelativePath);
}

void CTestVekDriversAndTools::TestFile(const std::wstring& path)
{
    // The path is shown even when the file does not exist.
    WriteTest(*this, L"File path", L"", Value(path, kFormatString));

    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes))
    {
        WriteTest(*this, L"File version", L"", Failure(GetLastError()));
        return;
    }

    std::wstring version;
    if (GetFileVersionString(path.c_str(), version))
        WriteTest(*this, L"File version", L"", Value(version, kFormatString));
    else
        WriteTest(*this, L"File version", L"",
                  Value(L"Can not get the file version", kFormatString, kStatusFailed));

    // UTC as the file system keeps it, not converted to local time.
    BeginFirstTest(*this, L"Modification date", L"", [&] {
        SYSTEMTIME time = {};
        if (!FileTimeToSystemTime(&attributes.ftLastWriteTime, &time))
            return Failure(GetLastError());
        return Value(StrFormat(L"%04u-%02u-%02u %02u:%02u:%02u", time.wYear, time.wMonth,
                               time.wDay, time.wHour, time.wMinute, time.wSecond),
                     kFormatString);
    });

    // Only the low 32 bits of the size, as the report has always shown it.
    WriteTest(*this, L"File size", L"",
              Value(StrFormat(L"%lu", attributes.nFileSizeLow), kFormatBytes));
}
