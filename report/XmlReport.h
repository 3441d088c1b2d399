// The report writer: the UTF-16 XML report file, its primitives and the report tree.
#pragma once

#include <windows.h>

#include <string>

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
    // the stylesheet beside it, the XML prologue and the Header. 0; 80 when the user declines
    // (nothing written); a code of WriteStylesheet (the report not touched); 110 when the
    // report cannot be created; 29 when a Header line fails (m_hFile then stays open);
    // 160 for a NULL path. A stylesheet file that this call created is removed again when it
    // fails before the report is open; one that was there before is never removed.
    // Runs on the user-interface thread: the question is a message box.
    DWORD Open(const wchar_t* pszPath, BOOL bOverwrite);

    // Writes the stylesheet file beside the report: 0, 160, 1175, 1450, 82 or 29.
    static DWORD WriteStylesheet(const wchar_t* pszReportPath);

    // The overwrite question of Open: TRUE when the user allows the existing report at the
    // path to be replaced. The default shows the message box; tests put their own answer here.
    typedef BOOL (*PFN_ASK_OVERWRITE)(const wchar_t* pszPath);
    static PFN_ASK_OVERWRITE s_pfnAskOverwrite;
    // The clock of the Header (GetLocalTime unless a test fixes it).
    typedef void (*PFN_GET_TIME)(SYSTEMTIME* pTime);
    static PFN_GET_TIME s_pfnGetLocalTime;
    // Every write of the report and of the stylesheet file (WriteFile unless a test injects a
    // fault).
    typedef BOOL(WINAPI* PFN_WRITE_FILE)(HANDLE hFile, LPCVOID pData, DWORD dwBytes,
                                         LPDWORD pdwWritten, LPOVERLAPPED pOverlapped);
    static PFN_WRITE_FILE s_pfnWriteFile;

    // The report tree; each returns 0, or 29 as soon as a line could not be written. A name
    // that the operation needs (or the value of WriteTestResult) given as NULL gives 29 before
    // anything is written, so that the tree stays balanced.
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
// Every line is UTF-16LE, begins with one TAB per depth level, ends with CR LF and goes to the
// file with one WriteFile at once (no buffering). Results: 0, 6 for a NULL handle, 160 for a
// missing name or text, 29 when the write fails (also for INVALID_HANDLE_VALUE) or writes
// fewer bytes than the line has; the thread's last error then holds the system's code, or 29
// for a write cut short. The first such fault on the file that CreateReportFile opened is
// kept until CloseReportFile: the groups do not look at write results, so the close is where
// a gap in the report shows.

// Creates the report (replacing an existing file) and writes the BOM, the XML declaration, the
// stylesheet line when pszStylesheetName is not NULL (the bare file name as a relative URI:
// characters outside the unreserved set and the sub-delimiters, "&" among them,
// percent-encoded as UTF-8, so that browsers and XSLT processors find the file) and
// the root start tag; stores the root name in pszRootName. INVALID_HANDLE_VALUE on failure,
// with the thread's last error set and no handle left open.
HANDLE CreateReportFile(wchar_t* pszRootName /* [260] */, const wchar_t* pszPath,
                        const wchar_t* pszStylesheetName);
// Writes the root end tag and closes hFile: 0; 29 (handle left open) when the end tag cannot
// be written; 29 after closing when an earlier write on the report failed, with that write's
// code as the thread's last error; 6 when the handle is NULL or cannot be closed.
DWORD CloseReportFile(const wchar_t* pszRootName, HANDLE hFile);
DWORD WriteStartTag(HANDLE hFile, const wchar_t* pszName, DWORD dwDepth);
DWORD WriteEndTag(HANDLE hFile, const wchar_t* pszName, DWORD dwDepth);
// One leaf line. One final LF is dropped from the text and from the attribute value; the text
// is escaped (& " < >, the apostrophe stays) and every character that XML 1.0 forbids becomes
// U+FFFD; names and the attribute value are written as given. A NULL attribute name means no
// attribute.
DWORD WriteElement(HANDLE hFile, const wchar_t* pszName, const wchar_t* pszText,
                   const wchar_t* pszAttributeName, const wchar_t* pszAttributeValue,
                   DWORD dwDepth);

// The text of the overwrite question (string 102 with the whole path, however long).
std::wstring FormatOverwriteQuestion(const wchar_t* pszPath);

// The leaf text as WriteElement writes it (escaped, forbidden characters replaced); the final
// LF is not dropped here.
std::wstring EscapeXmlText(const std::wstring& text);
// The stylesheet file of a report: the path with the extension of its file name replaced by
// ".xsl" (appended when the name has none). Both separators, \ and /, end a folder name.
std::wstring GetStylesheetPath(const std::wstring& reportPath);
