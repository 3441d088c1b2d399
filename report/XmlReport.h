// The report writer: the UTF-16 XML report file, its primitives and the report tree.
#pragma once

#include <windows.h>

// Report status codes and Result Format codes.
enum : DWORD
{
    kStatusPassed = 0,
    kStatusFailed = 1,
    kStatusAlarm = 2,
};

enum : DWORD
{
    kFormatString = 1,
    kFormatDec = 2,
    kFormatHex = 3,
    kFormatRaw = 4,
    kFormatMHz = 5,
    kFormatDegreeCentigrade = 6,
    kFormatGigaByte = 7,
    kFormatMegaByte = 8,
    kFormatKiloByte = 9,
    kFormatPercent = 10,
    kFormatBytes = 11,
    kFormatRpm = 12,
    kFormatVolt = 13,
    kFormatYesNo = 14,
    kFormatAmpere = 15,
    kFormatUnknown = 16,
    kFormatEnableDisable = 17,
    kFormatMinutes = 18,
    kFormatSeconds = 19,
    kFormatMilliSeconds = 20,
    kFormatWatt = 21,
};

// One report per run, shared by every group. A plain record: the owner sets the closed state
// (see Reset) and closing is an explicit call of CloseReportFile.
class CXmlReport
{
public:
    // The closed state: no file, empty root name, counters 0.
    void Reset();

    // Opens the report (asking before an existing file is replaced unless bOverwrite), writes
    // the stylesheet beside it, the XML prologue and the Header. 0, 80, 110, 29 or a code of
    // WriteStylesheet.
    DWORD Open(const wchar_t* pszPath, BOOL bOverwrite);

    // Writes the stylesheet file beside the report: 0, 160, 1175, 1450, 82 or 29.
    static DWORD WriteStylesheet(const wchar_t* pszReportPath);

    // The report tree; each returns 0, or 29 as soon as a line could not be written.
    DWORD BeginTestGroup(const wchar_t* pszName, const wchar_t* pszDescription,
                         const wchar_t* pszCategory, const wchar_t* pszSubCategoryMode);
    DWORD EndTestGroup();
    DWORD NextCategory(const wchar_t* pszCategory, const wchar_t* pszSubCategoryMode);
    DWORD NextSubCategory(const wchar_t* pszName);
    DWORD BeginTest(const wchar_t* pszName, const wchar_t* pszDescription);
    DWORD WriteTestResult(const wchar_t* pszValue, DWORD dwStatus, DWORD dwFormat);

    HANDLE m_hFile;
    wchar_t m_szRootName[260];
    int m_nGroupNumber;
    BOOL m_bSubCategoryOpen;
    int m_nTestNumber;
};

// File primitives; they take the handle itself so that test code can write through m_hFile.
HANDLE CreateReportFile(wchar_t* pszRootName /* [260] */, const wchar_t* pszPath,
                        const wchar_t* pszStylesheetName);
DWORD CloseReportFile(const wchar_t* pszRootName, HANDLE hFile);
DWORD WriteStartTag(HANDLE hFile, const wchar_t* pszName, DWORD dwDepth);
DWORD WriteEndTag(HANDLE hFile, const wchar_t* pszName, DWORD dwDepth);
DWORD WriteElement(HANDLE hFile, const wchar_t* pszName, const wchar_t* pszText,
                   const wchar_t* pszAttributeName, const wchar_t* pszAttributeValue,
                   DWORD dwDepth);
