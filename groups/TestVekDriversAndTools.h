// Drivers-and-tools group: the maker's installed driver and tool products and their files.
#pragma once

#include <span>

#include "app/GroupBase.h"
#include "groups/readers/Reading.h"

#include <string>

// A product of rows 2 to 6 of the product table. Each file is either a bare file name in the
// product's install location or a path below the system directory beginning with '\'; its
// SubCategory is the part after the last backslash.
struct CProduct
{
    const wchar_t* pszUninstallKey;  // below ...\CurrentVersion\Uninstall
    const wchar_t* pszCategory;
    std::span<const wchar_t* const> files;
};

// Extra condition of a driver file row besides its device types.
enum class EDriverFileCondition
{
    kAlways,
    kDrovInstalled,
    kDrovNotInstalled,
    kWindows6xNotVista,
};

// A row of the device-interface driver's file list: a path below the system directory, written
// when the device-type gate passes and then the condition holds.
struct CDriverFile
{
    const wchar_t* pszPath;
    CTypeGate gate;
    EDriverFileCondition eCondition;
};

extern const CProduct kProducts[5];
extern const CDriverFile kDriverFiles[13];

// The SubCategory of a file entry: the part of the path after its last backslash.
std::wstring FileEntryName(const wchar_t* pszEntry);

// Reads InstallLocation, DisplayVersion and InstallDate (each REG_SZ, at most 512 bytes) of an
// Uninstall key. FALSE when the key does not open (outputs untouched) or any value fails; a
// failed value's output then holds the system text of the query's code. One trailing backslash
// of the install location is removed.
BOOL ReadUninstallInfo(const wchar_t* pszKeyName, std::wstring& location, std::wstring& version,
                       std::wstring& date);
// "YYYY-MM-DD" of an 8-character date in YYYYMMDD order, or in DDMMYYYY order when the first
// reading yields a month above 12; "" for any other length. An 8-character text that does not
// scan as three numbers is returned unchanged.
std::wstring FormatInstallDate(const std::wstring& date);
// "Version" / "InstallPath" of the device-interface driver's key; FALSE when the key does not
// open (text untouched) or the value fails (text = system text of the query's code).
BOOL ReadDriverVersion(std::wstring& text);
BOOL ReadDriverInstallPath(std::wstring& text);
BOOL IsDrovDriverInstalled();
// NT 6.1 or later 6.x.
BOOL IsWindows6xNotVista();

class CTestVekDriversAndTools : public CTest
{
public:
    explicit CTestVekDriversAndTools(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;

    void TestDriverProductInfo();
    void TestDriverFiles();
    void TestSnmpAgent();
    void TestCanDriver();
    void TestSramDriver();
    void TestTouchDriver();
    void TestTouchLock();

    // The four per-file tests of a full path, and of a path below the system directory.
    void TestFile(const std::wstring& path);
    void TestSystemFile(const wchar_t* pszRelativePath);

    // Whether a row of the driver file list is written on this device (reads the device type).
    bool DriverFileApplies(const CDriverFile& row, bool bDrovInstalled);

private:
    void TestProduct(const CProduct& product);
    void WriteProductInfo(const std::wstring& location, const std::wstring& version,
                          const std::wstring& date);
};
