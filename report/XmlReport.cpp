// The report writer: file primitives, Open with the Header, the stylesheet file and the tree.
#include "report/XmlReport.h"

#include "device/TivLibrary.h"
#include "device/Utilities.h"
#include "framework/Text.h"
#include "res/resource.h"

#include <cwctype>
#include <iterator>

namespace
{

const wchar_t kRootName[] = L"VekQuorvelReport";
const wchar_t kManualSubCategories[] = L"MANUALSUBCATS";
const wchar_t kCatUndef[] = L"CatUndef";
const wchar_t kDescrUndef[] = L"DescrUndef";
const size_t kNameChars = 260;

// Format words, indexed by code; 0, 16 and every code past the end are "Unknown".
const wchar_t* const kFormatWords[] = {
    L"Unknown",           // 0
    L"String",            // 1
    L"Dec",               // 2
    L"Hex",               // 3
    L"Raw",               // 4
    L"MHz",               // 5
    L"DegreeCentigrade",  // 6
    L"GigaByte",          // 7
    L"MegaByte",          // 8
    L"KiloByte",          // 9
    L"Percent",           // 10
    L"Bytes",             // 11
    L"Rpm",               // 12
    L"Volt",              // 13
    L"YesNo",             // 14
    L"Ampere",            // 15
    L"Unknown",           // 16
    L"EnableDisable",     // 17
    L"Minutes",           // 18
    L"Seconds",           // 19
    L"MilliSeconds",      // 20
    L"Watt",              // 21
};

// Status texts by code; any other code gives an empty TestStatus.
const wchar_t* const kStatusTexts[] = { L"Passed", L"Failed", L"Alarm" };

const wchar_t* FormatWord(DWORD dwFormat)
{
    return dwFormat < std::size(kFormatWords) ? kFormatWords[dwFormat] : L"Unknown";
}

const wchar_t* StatusText(DWORD dwStatus)
{
    return dwStatus < std::size(kStatusTexts) ? kStatusTexts[dwStatus] : L"";
}

bool IsEmpty(const wchar_t* psz)
{
    return psz == nullptr || *psz == L'\0';
}

// The file that CreateReportFile opened (NULL while none is open) and the code of the first
// write on it that failed (0 while none has). The groups write through the bare handle and
// go on after a failed line, so a gap in the report would otherwise go unnoticed.
HANDLE s_hReportFile = nullptr;
DWORD s_dwFirstFault = ERROR_SUCCESS;

// One write that counts only when all of its bytes reached the file. 0, or the fault's code,
// which is also left as the thread's last error: the system's code of a failed write, 29 for
// a write that the file system cut short (it reports success).
DWORD WriteBytes(HANDLE hFile, const void* pData, DWORD dwBytes)
{
    DWORD dwWritten = 0;
    DWORD dwFault = ERROR_SUCCESS;
    if (!CXmlReport::s_pfnWriteFile(hFile, pData, dwBytes, &dwWritten, nullptr))
    {
        dwFault = GetLastError();
        if (dwFault == ERROR_SUCCESS)
            dwFault = ERROR_WRITE_FAULT;
    }
    else if (dwWritten != dwBytes)
    {
        dwFault = ERROR_WRITE_FAULT;
    }
    if (dwFault != ERROR_SUCCESS)
    {
        if (hFile == s_hReportFile && s_dwFirstFault == ERROR_SUCCESS)
            s_dwFirstFault = dwFault;
        SetLastError(dwFault);
    }
    return dwFault;
}

// One line, one write.
DWORD WriteLine(HANDLE hFile, const std::wstring& line)
{
    DWORD dwFault = WriteBytes(hFile, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)));
    return dwFault == ERROR_SUCCESS ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

DWORD WriteTag(HANDLE hFile, const wchar_t* pszOpen, const wchar_t* pszName, DWORD dwDepth)
{
    if (hFile == nullptr)
        return ERROR_INVALID_HANDLE;
    if (pszName == nullptr)
        return ERROR_BAD_ARGUMENTS;
    std::wstring line(dwDepth, L'\t');
    line += pszOpen;
    line += pszName;
    line += L">\r\n";
    return WriteLine(hFile, line);
}

void DropFinalLf(std::wstring& text)
{
    if (!text.empty() && text.back() == L'\n')
        text.pop_back();
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The file-name part of a path: after its last backslash or slash.
size_t FileNameStart(const std::wstring& path)
{
    size_t n = path.find_last_of(L"\\/");
    return n == std::wstring::npos ? 0 : n + 1;
}

// The href of the stylesheet line: the file name as a relative URI, so that browsers and XSLT
// processors find the file whatever characters its name holds (a blank, "#", "%", "&",
// letters beyond ASCII). Characters outside the unreserved set and the sub-delimiters are
// percent-encoded as UTF-8; "&" among them, so that the line needs no entity.
std::wstring StylesheetHref(const wchar_t* pszName)
{
    static const wchar_t kLiteral[] = L"-._~!$'()*+,;=@";
    std::wstring href;
    auto appendByte = [&href](unsigned byte) { href += StrFormat(L"%%%02X", byte); };
    for (const wchar_t* p = pszName; *p != L'\0'; ++p)
    {
        unsigned c = *p;
        if ((c < 0x80 && iswalnum(static_cast<wint_t>(c))) || (c < 0x80 && wcschr(kLiteral, *p) != nullptr))
        {
            href += *p;
            continue;
        }
        if (IsHighSurrogate(*p) && IsLowSurrogate(p[1]))
        {
            c = 0x10000 + ((c - 0xD800) << 10) + (p[1] - 0xDC00);
            ++p;
        }
        else if (IsHighSurrogate(*p) || IsLowSurrogate(*p))
        {
            c = 0xFFFD;
        }
        if (c < 0x80)
        {
            appendByte(c);
        }
        else if (c < 0x800)
        {
            appendByte(0xC0 | (c >> 6));
            appendByte(0x80 | (c & 0x3F));
        }
        else if (c < 0x10000)
        {
            appendByte(0xE0 | (c >> 12));
            appendByte(0x80 | ((c >> 6) & 0x3F));
            appendByte(0x80 | (c & 0x3F));
        }
        else
        {
            appendByte(0xF0 | (c >> 18));
            appendByte(0x80 | ((c >> 12) & 0x3F));
            appendByte(0x80 | ((c >> 6) & 0x3F));
            appendByte(0x80 | (c & 0x3F));
        }
    }
    return href;
}

// Keeps the thread's last error across the cleanup of a failed CreateReportFile.
HANDLE FailCreate(HANDLE hFile)
{
    DWORD dwError = GetLastError();
    s_hReportFile = nullptr;
    CloseHandle(hFile);
    SetLastError(dwError != ERROR_SUCCESS ? dwError : ERROR_WRITE_FAULT);
    return INVALID_HANDLE_VALUE;
}

// A primitive that reports anything but 0 ends the tree operation with 29.
#define VEK_CHECK(expr)                                   \
    do                                                    \
    {                                                     \
        if ((expr) != ERROR_SUCCESS)                      \
            return ERROR_WRITE_FAULT;                     \
    } while (0)

// Opens a Category's subcategory as the mode says: NULL gives "CatUndef", "MANUALSUBCATS"
// none (the group opens its own with NextSubCategory), any other text a SubCategory of that name.
DWORD OpenModeSubCategory(CXmlReport& report, const wchar_t* pszMode)
{
    if (pszMode != nullptr && wcscmp(pszMode, kManualSubCategories) == 0)
        return ERROR_SUCCESS;
    VEK_CHECK(WriteStartTag(report.m_hFile, L"SubCategory", 4));
    VEK_CHECK(WriteElement(report.m_hFile, L"SubCategoryName", pszMode != nullptr ? pszMode : kCatUndef,
                           nullptr, nullptr, 5));
    report.m_bSubCategoryOpen = TRUE;
    return ERROR_SUCCESS;
}

DWORD CloseOpenSubCategory(CXmlReport& report)
{
    if (report.m_bSubCategoryOpen)
    {
        VEK_CHECK(WriteEndTag(report.m_hFile, L"SubCategory", 3));
        report.m_bSubCategoryOpen = FALSE;
    }
    return ERROR_SUCCESS;
}

BOOL AskOverwriteByMessageBox(const wchar_t* pszPath)
{
    std::wstring text = FormatOverwriteQuestion(pszPath);
    std::wstring title = LoadResString(IDS_APP_TITLE);
    return MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace

CXmlReport::PFN_ASK_OVERWRITE CXmlReport::s_pfnAskOverwrite = AskOverwriteByMessageBox;
CXmlReport::PFN_GET_TIME CXmlReport::s_pfnGetLocalTime = [](SYSTEMTIME* pTime) { GetLocalTime(pTime); };
CXmlReport::PFN_WRITE_FILE CXmlReport::s_pfnWriteFile = WriteFile;

std::wstring FormatOverwriteQuestion(const wchar_t* pszPath)
{
    // StrFormat has no length limit: the whole path is shown however long it is.
    return StrFormat(LoadResString(IDS_OVERWRITE_QUESTION).c_str(), pszPath);
}

std::wstring EscapeXmlText(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        wchar_t c = text[i];
        switch (c)
        {
        case L'&': out += L"&amp;"; continue;
        case L'"': out += L"&quot;"; continue;
        case L'<': out += L"&lt;"; continue;
        case L'>': out += L"&gt;"; continue;
        default: break;
        }
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
        {
            out += c;
            out += text[++i];
        }
        else if ((c < 0x20 && c != L'\t' && c != L'\n' && c != L'\r') || c == 0xFFFE ||
                 c == 0xFFFF || IsHighSurrogate(c) || IsLowSurrogate(c))
        {
            // Not allowed anywhere in an XML 1.0 document: one such character would make
            // the whole report unreadable.
            out += static_cast<wchar_t>(0xFFFD);
        }
        else
        {
            out += c;
        }
    }
    return out;
}

std::wstring GetStylesheetPath(const std::wstring& reportPath)
{
    size_t nameStart = FileNameStart(reportPath);
    size_t dot = reportPath.rfind(L'.');
    std::wstring path = dot != std::wstring::npos && dot >= nameStart ? reportPath.substr(0, dot)
                                                                      : reportPath;
    return path + L".xsl";
}

HANDLE CreateReportFile(wchar_t* pszRootName, const wchar_t* pszPath, const wchar_t* pszStylesheetName)
{
    if (pszPath == nullptr || pszRootName == nullptr)
    {
        SetLastError(ERROR_BAD_ARGUMENTS);
        return INVALID_HANDLE_VALUE;
    }
    CopyToBuffer(pszRootName, kNameChars, kRootName);
    HANDLE hFile = CreateFileW(pszPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return INVALID_HANDLE_VALUE;

    s_hReportFile = hFile;
    s_dwFirstFault = ERROR_SUCCESS;

    // The byte-order mark as two one-byte writes.
    static const BYTE kBom[] = { 0xFF, 0xFE };
    for (BYTE b : kBom)
    {
        if (WriteBytes(hFile, &b, 1) != ERROR_SUCCESS)
            return FailCreate(hFile);
    }
    if (WriteLine(hFile, L"<?xml version=\"1.0\" encoding=\"utf-16\"?>\r\n") != ERROR_SUCCESS)
        return FailCreate(hFile);
    if (pszStylesheetName != nullptr)
    {
        std::wstring line = L"<?xml-stylesheet type=\"text/xsl\" href=\"" +
                            StylesheetHref(pszStylesheetName) + L"\"?>\r\n";
        if (WriteLine(hFile, line) != ERROR_SUCCESS)
            return FailCreate(hFile);
    }
    if (WriteTag(hFile, L"<", pszRootName, 0) != ERROR_SUCCESS)
        return FailCreate(hFile);
    return hFile;
}

DWORD CloseReportFile(const wchar_t* pszRootName, HANDLE hFile)
{
    if (hFile == nullptr)
        return ERROR_INVALID_HANDLE;
    DWORD dwResult = WriteTag(hFile, L"</", pszRootName, 0);
    if (dwResult != ERROR_SUCCESS)
        return ERROR_WRITE_FAULT;
    DWORD dwFault = ERROR_SUCCESS;
    if (hFile == s_hReportFile)
    {
        dwFault = s_dwFirstFault;
        s_hReportFile = nullptr;
    }
    if (!CloseHandle(hFile))
        return ERROR_INVALID_HANDLE;
    // The end tag alone does not make a report whole: a line lost earlier is still missing.
    if (dwFault != ERROR_SUCCESS)
    {
        SetLastError(dwFault);
        return ERROR_WRITE_FAULT;
    }
    return ERROR_SUCCESS;
}

DWORD WriteStartTag(HANDLE hFile, const wchar_t* pszName, DWORD dwDepth)
{
    return WriteTag(hFile, L"<", pszName, dwDepth);
}

DWORD WriteEndTag(HANDLE hFile, const wchar_t* pszName, DWORD dwDepth)
{
    return WriteTag(hFile, L"</", pszName, dwDepth);
}

DWORD WriteElement(HANDLE hFile, const wchar_t* pszName, const wchar_t* pszText,
                   const wchar_t* pszAttributeName, const wchar_t* pszAttributeValue, DWORD dwDepth)
{
    if (hFile == nullptr)
        return ERROR_INVALID_HANDLE;
    if (pszName == nullptr || pszText == nullptr ||
        (pszAttributeName != nullptr && pszAttributeValue == nullptr))
        return ERROR_BAD_ARGUMENTS;

    std::wstring text = pszText;
    DropFinalLf(text);
    std::wstring line(dwDepth, L'\t');
    line += L'<';
    line += pszName;
    if (pszAttributeName != nullptr)
    {
        std::wstring value = pszAttributeValue;
        DropFinalLf(value);
        line += L' ';
        line += pszAttributeName;
        line += L"=\"";
        line += value;
        line += L'"';
    }
    line += L'>';
    line += EscapeXmlText(text);
    line += L"</";
    line += pszName;
    line += L">\r\n";
    return WriteLine(hFile, line);
}

void CXmlReport::Reset()
{
    m_hFile = INVALID_HANDLE_VALUE;
    m_szRootName[0] = L'\0';
    m_nGroupNumber = 0;
    m_bSubCategoryOpen = FALSE;
    m_nTestNumber = 0;
}

DWORD CXmlReport::WriteStylesheet(const wchar_t* pszReportPath)
{
    if (pszReportPath == nullptr)
        return ERROR_BAD_ARGUMENTS;
    std::wstring path = GetStylesheetPath(pszReportPath);

    // An old stylesheet is always replaced, without a question.
    HANDLE hOld = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hOld != INVALID_HANDLE_VALUE)
    {
        CloseHandle(hOld);
        if (!DeleteFileW(path.c_str()))
            return ERROR_UNABLE_TO_REMOVE_REPLACED;
    }

    HMODULE hModule = GetModuleHandleW(nullptr);
    std::wstring name = StrFormat(L"#%d", IDR_STYLESHEET);
    HRSRC hInfo = FindResourceW(hModule, name.c_str(), L"XSL");
    HGLOBAL hData = hInfo != nullptr ? LoadResource(hModule, hInfo) : nullptr;
    const void* pData = hData != nullptr ? LockResource(hData) : nullptr;
    if (pData == nullptr)
        return ERROR_NO_SYSTEM_RESOURCES;
    DWORD dwSize = SizeofResource(hModule, hInfo);

    HANDLE hFile = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return ERROR_CANNOT_MAKE;
    DWORD dwFault = WriteBytes(hFile, pData, dwSize);
    CloseHandle(hFile);
    return dwFault == ERROR_SUCCESS ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

DWORD CXmlReport::Open(const wchar_t* pszPath, BOOL bOverwrite)
{
    if (pszPath == nullptr)
        return ERROR_BAD_ARGUMENTS;
    std::wstring title = LoadResString(IDS_APP_TITLE);
    // Serves only the Header's device type; freed on every way out.
    CTivLibrary library;

    // Whatever keeps the file from being opened for reading means there is no question.
    HANDLE hExisting = CreateFileW(pszPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hExisting != INVALID_HANDLE_VALUE)
    {
        CloseHandle(hExisting);
        if (!bOverwrite && !s_pfnAskOverwrite(pszPath))
            return ERROR_FILE_EXISTS;
    }

    // A stylesheet beside a report that was never opened is clutter, but only one that this
    // run created is removed: a file whose presence cannot be told is taken as there before.
    std::wstring stylesheet = GetStylesheetPath(pszPath);
    bool bNewStylesheet = false;
    if (GetFileAttributesW(stylesheet.c_str()) == INVALID_FILE_ATTRIBUTES)
    {
        DWORD dwError = GetLastError();
        bNewStylesheet = dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND;
    }
    auto fail = [&](DWORD dwError) {
        if (bNewStylesheet)
            DeleteFileW(stylesheet.c_str());
        return dwError;
    };

    DWORD dwResult = WriteStylesheet(pszPath);
    if (dwResult != ERROR_SUCCESS)
        return fail(dwResult);

    std::wstring stylesheetName = stylesheet.substr(FileNameStart(stylesheet));
    m_hFile = CreateReportFile(m_szRootName, pszPath, stylesheetName.c_str());
    if (m_hFile == INVALID_HANDLE_VALUE)
        return fail(ERROR_OPEN_FAILED);

    // The Header: every value is taken once, now.
    wchar_t szVersion[kNameChars] = {};
    std::wstring version = title;
    if (GetOwnVersionString(szVersion))
        version += L" " + std::wstring(szVersion);

    wchar_t szDeviceType[kNameChars] = {};
    DWORD dwDeviceType = 0;
    library.GetDeviceTypeName(&dwDeviceType, szDeviceType);

    SYSTEMTIME now = {};
    s_pfnGetLocalTime(&now);
    std::wstring month;
    GetMonthName(now.wMonth, month);
    std::wstring time = StrFormat(L"%02d:%02d:%02d", now.wHour, now.wMinute, now.wSecond);
    std::wstring date = StrFormat(L"%d %s %d", now.wDay, month.c_str(), now.wYear);

    wchar_t szUser[kNameChars] = {};
    DWORD dwUserChars = kNameChars;
    std::wstring author = GetUserNameW(szUser, &dwUserChars) ? std::wstring(szUser)
                                                              : GetSystemErrorText(GetLastError());
    wchar_t szComputer[kNameChars] = {};
    DWORD dwComputerChars = kNameChars;
    std::wstring computer = GetComputerNameW(szComputer, &dwComputerChars)
                                ? std::wstring(szComputer)
                                : GetSystemErrorText(GetLastError());

    const struct
    {
        const wchar_t* pszName;
        const std::wstring& text;
    } kHeader[] = {
        { L"Version", version },
        { L"VekDeviceType", szDeviceType },
        { L"Time", time },
        { L"Date", date },
        { L"Author", author },
        { L"ComputerName", computer },
    };
    if (WriteStartTag(m_hFile, L"Header", 1) != ERROR_SUCCESS)
        return ERROR_WRITE_FAULT;
    for (const auto& row : kHeader)
    {
        if (WriteElement(m_hFile, row.pszName, row.text.c_str(), nullptr, nullptr, 2) != ERROR_SUCCESS)
            return ERROR_WRITE_FAULT;
    }
    if (WriteEndTag(m_hFile, L"Header", 1) != ERROR_SUCCESS)
        return ERROR_WRITE_FAULT;
    return ERROR_SUCCESS;
}

DWORD CXmlReport::BeginTestGroup(const wchar_t* pszName, const wchar_t* pszDescription,
                                 const wchar_t* pszCategory, const wchar_t* pszSubCategoryMode)
{
    if (pszName == nullptr)
        return ERROR_WRITE_FAULT;
    ++m_nGroupNumber;
    std::wstring number = StrFormat(L"%d", m_nGroupNumber);
    VEK_CHECK(WriteStartTag(m_hFile, L"TestGroup", 1));
    VEK_CHECK(WriteElement(m_hFile, L"GroupNumber", number.c_str(), nullptr, nullptr, 2));
    VEK_CHECK(WriteElement(m_hFile, L"GroupName", pszName, nullptr, nullptr, 2));
    VEK_CHECK(WriteElement(m_hFile, L"GroupDescription",
                           IsEmpty(pszDescription) ? kDescrUndef : pszDescription, nullptr, nullptr, 2));
    VEK_CHECK(WriteStartTag(m_hFile, L"Category", 2));
    VEK_CHECK(WriteElement(m_hFile, L"CategoryName", pszCategory != nullptr ? pszCategory : kCatUndef,
                           nullptr, nullptr, 3));
    return OpenModeSubCategory(*this, pszSubCategoryMode);
}

DWORD CXmlReport::EndTestGroup()
{
    VEK_CHECK(CloseOpenSubCategory(*this));
    VEK_CHECK(WriteEndTag(m_hFile, L"Category", 2));
    VEK_CHECK(WriteEndTag(m_hFile, L"TestGroup", 1));
    return ERROR_SUCCESS;
}

DWORD CXmlReport::NextCategory(const wchar_t* pszCategory, const wchar_t* pszSubCategoryMode)
{
    if (pszCategory == nullptr)
        return ERROR_WRITE_FAULT;
    VEK_CHECK(CloseOpenSubCategory(*this));
    VEK_CHECK(WriteEndTag(m_hFile, L"Category", 2));
    VEK_CHECK(WriteStartTag(m_hFile, L"Category", 2));
    VEK_CHECK(WriteElement(m_hFile, L"CategoryName", pszCategory, nullptr, nullptr, 3));
    return OpenModeSubCategory(*this, pszSubCategoryMode);
}

DWORD CXmlReport::NextSubCategory(const wchar_t* pszName)
{
    if (pszName == nullptr)
        return ERROR_WRITE_FAULT;
    VEK_CHECK(CloseOpenSubCategory(*this));
    VEK_CHECK(WriteStartTag(m_hFile, L"SubCategory", 3));
    VEK_CHECK(WriteElement(m_hFile, L"SubCategoryName", pszName, nullptr, nullptr, 4));
    m_bSubCategoryOpen = TRUE;
    return ERROR_SUCCESS;
}

DWORD CXmlReport::BeginTest(const wchar_t* pszName, const wchar_t* pszDescription)
{
    if (pszName == nullptr)
        return ERROR_WRITE_FAULT;
    VEK_CHECK(WriteStartTag(m_hFile, L"Test", 6));
    VEK_CHECK(WriteElement(m_hFile, L"TestName", pszName, nullptr, nullptr, 7));
    VEK_CHECK(WriteElement(m_hFile, L"TestDescription",
                           IsEmpty(pszDescription) ? kDescrUndef : pszDescription, nullptr, nullptr, 7));
    ++m_nTestNumber;
    std::wstring number = StrFormat(L"%d", m_nTestNumber);
    VEK_CHECK(WriteElement(m_hFile, L"TestNumber", number.c_str(), nullptr, nullptr, 7));
    return ERROR_SUCCESS;
}

DWORD CXmlReport::WriteTestResult(const wchar_t* pszValue, DWORD dwStatus, DWORD dwFormat)
{
    if (pszValue == nullptr)
        return ERROR_WRITE_FAULT;
    // One final LF dropped here and one more by WriteElement: a value ending in two loses both.
    std::wstring value = pszValue;
    DropFinalLf(value);
    VEK_CHECK(WriteElement(m_hFile, L"TestResult", value.c_str(), L"Format", FormatWord(dwFormat),
                           7));
    VEK_CHECK(WriteElement(m_hFile, L"TestStatus", StatusText(dwStatus), nullptr, nullptr, 7));
    return ERROR_SUCCESS;
}
