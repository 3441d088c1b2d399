// Opening and closing a report: the overwrite question, the stylesheet file, write faults and
// the first of them kept until the close. The Header's values and the stylesheet's href are
// checked end to end (outlines, test_stylesheet.py), the real question box by test_gui.py.
#include "device/TivLibrary.h"
#include "report/XmlReport.h"
#include "support/ReportOpen.h"
#include "support/ReportXml.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// Write number n of the writer (from 1) fails as g_Faults[n - 1] says: 'F' with nothing
// written and ERROR_DISK_FULL, 'C' cut short to half its bytes; any other character succeeds.
std::string g_Faults;
size_t g_nWrites = 0;

BOOL WINAPI FaultyWriteFile(HANDLE h, LPCVOID p, DWORD n, LPDWORD pnWritten, LPOVERLAPPED pOverlapped)
{
    char fault = g_nWrites < g_Faults.size() ? g_Faults[g_nWrites] : '.';
    ++g_nWrites;
    if (fault == 'F')
    {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    return WriteFile(h, p, fault == 'C' ? n / 2 : n, pnWritten, pOverlapped);
}

void InjectFaults(const std::string& faults)
{
    g_Faults = faults;
    g_nWrites = 0;
    CXmlReport::s_pfnWriteFile = faults.empty() ? WriteFile : FaultyWriteFile;
}

}  // namespace

TEST(ReportOpen, WritesStylesheetBesideAndHeader)
{
    CSimDevice device("DeviceType = u32 18\n");
    CScriptedOpen scripted;
    CTempDir dir;
    ASSERT_TRUE(CreateDirectoryW(dir.File(L"rel.2").c_str(), nullptr));
    // A report named like its stylesheet replaces it.
    struct { std::wstring report, stylesheet, href; } const kCases[] = {
        { L"rel.2\\report", L"rel.2\\report.xsl", L"report.xsl" },
        { L"x.xsl", L"", L"x.xsl" },
    };
    for (const auto& c : kCases)
    {
        std::wstring path = dir.File(c.report);
        ASSERT_EQ(OpenAndClose(path, FALSE), 0u) << c.report;
        EXPECT_EQ(ReadReportText(path), L"<?xml version=\"1.0\" encoding=\"utf-16\"?>\r\n<?xml-stylesheet type=\"text/xsl\" href=\"" +
                                            c.href + L"\"?>\r\n<VekQuorvelReport>\r\n" + ExpectedHeader(GetDeviceModelName(18)) +
                                            L"</VekQuorvelReport>\r\n") << c.report;
        EXPECT_TRUE(c.stylesheet.empty() || ReadFileBytes(dir.File(c.stylesheet)) == StylesheetResourceBytes()) << c.stylesheet;
    }
    EXPECT_EQ(scripted.Questions(), 0);
}

TEST(ReportOpen, ExistingReportAsksUnlessOverwriteIsAllowedOrItCannotBeRead)
{
    // locked: held open without sharing, so that there is no question and no report either
    struct { BOOL bOverwrite, bAnswer; bool locked; DWORD dwResult; int nQuestions; bool replaced; } const kCases[] = {
        { FALSE, FALSE, false, 80, 1, false },
        { FALSE, TRUE, false, 0, 1, true },
        { TRUE, FALSE, false, 0, 0, true },
        { FALSE, FALSE, true, 110, 0, false },
    };
    for (const auto& c : kCases)
    {
        CScriptedOpen scripted(c.bAnswer);
        CTempDir dir;
        std::wstring path = dir.File(L"old.xml");
        ASSERT_TRUE(WriteFileBytes(path, "old report"));
        HANDLE h = c.locked ? CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
        EXPECT_EQ(OpenAndClose(path, c.bOverwrite), c.dwResult);
        if (h != nullptr)
            CloseHandle(h);
        EXPECT_EQ(scripted.Questions(), c.nQuestions);
        EXPECT_EQ(scripted.AskedPath(), c.nQuestions > 0 ? path : L"");
        // Replaced: OpenAndClose has checked the new report.
        EXPECT_EQ(ReadFileBytes(path) == "old report", !c.replaced);
    }
}

TEST(ReportOpen, StylesheetFailuresComeBeforeTheReport)
{
    CScriptedOpen scripted;
    CTempDir dir;
    std::wstring path = dir.File(L"ro.xml");
    std::wstring old = dir.File(L"ro.xsl");
    ASSERT_TRUE(WriteFileBytes(old, "old stylesheet"));
    ASSERT_TRUE(SetFileAttributesW(old.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(OpenAndClose(path, TRUE), 1175u);
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadFileBytes(old), "old stylesheet");
    // Writable: replaced without a question.
    ASSERT_TRUE(SetFileAttributesW(old.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(OpenAndClose(path, TRUE), 0u);
    EXPECT_EQ(ReadFileBytes(old), StylesheetResourceBytes());

    EXPECT_EQ(CXmlReport::WriteStylesheet(nullptr), 160u);
    CXmlReport report;
    report.Reset();
    EXPECT_EQ(report.Open(nullptr, TRUE), 160u);
    EXPECT_EQ(report.m_hFile, INVALID_HANDLE_VALUE);
    EXPECT_EQ(scripted.Questions(), 0);
}

TEST(ReportOpen, OverwriteQuestionNamesTheWholePath)
{
    std::wstring longPath = L"C:\\" + std::wstring(400, L'p') + L"\\report.xml";
    EXPECT_EQ(FormatOverwriteQuestion(longPath.c_str()), L"The report file " + longPath + L" already exists. Overwrite this file?");
}

TEST(ReportFile, FailedFirstLinesLeaveNoHandleOpen)
{
    // Writes 1 and 2 are the byte-order mark, 3 the declaration, then the stylesheet line and
    // the root start tag.
    struct { const char* faults; const wchar_t* pszStylesheet; DWORD dwLastError; } const kCases[] = {
        { "F", L"r.xsl", ERROR_DISK_FULL },
        { ".C", L"r.xsl", 29 },
        { "..F", nullptr, ERROR_DISK_FULL },
        { "...F", L"r.xsl", ERROR_DISK_FULL },
        { "...C", nullptr, 29 },
        { "....C", L"r.xsl", 29 },
    };
    for (const auto& c : kCases)
    {
        CTempDir dir;
        std::wstring path = dir.File(L"r.xml");
        wchar_t szRoot[260] = {};
        InjectFaults(c.faults);
        SetLastError(0);
        EXPECT_EQ(CreateReportFile(szRoot, path.c_str(), c.pszStylesheet), INVALID_HANDLE_VALUE) << c.faults;
        EXPECT_EQ(GetLastError(), c.dwLastError) << c.faults;
        InjectFaults("");
        // The report was opened without sharing: it can go only once its handle is closed.
        EXPECT_TRUE(DeleteFileW(path.c_str())) << c.faults;
    }
}

TEST(ReportFile, AnyLineFailedOrCutShortFailsTheCloseWithTheFirstFaultsCode)
{
    // Writes 1 to 4 are the prologue, 5 to 7 three lines and 8 the root end tag; the lines
    // after a failed one are written all the same. dwLines: the three results added up.
    struct { const char* faults; DWORD dwLines, dwClose, dwLastError; } const kCases[] = {
        { "", 0, 0, 0 },
        { ".....C", 29, 29, 29 },
        { ".....FC", 58, 29, ERROR_DISK_FULL },
        { ".....CF", 58, 29, 29 },
        { ".......C", 0, 29, 29 },
    };
    for (const auto& c : kCases)
    {
        CTempDir dir;
        wchar_t szRoot[260] = {};
        InjectFaults(c.faults);
        HANDLE h = CreateReportFile(szRoot, dir.File(L"r.xml").c_str(), nullptr);
        EXPECT_EQ(WriteStartTag(h, L"A", 1) + WriteElement(h, L"B", L"b", nullptr, nullptr, 2) + WriteEndTag(h, L"A", 1), c.dwLines)
            << c.faults;
        SetLastError(0);
        EXPECT_EQ(CloseReportFile(szRoot, h), c.dwClose) << c.faults;
        EXPECT_EQ(GetLastError(), c.dwLastError) << c.faults;
        // A failed end tag leaves the handle open.
        EXPECT_EQ(CloseHandle(h) != FALSE, std::string(c.faults) == ".......C") << c.faults;
    }
    InjectFaults("");
}

TEST(ReportOpen, StylesheetOfAReportNeverOpenedGoesUnlessItWasThere)
{
    CScriptedOpen scripted;
    // 1: a folder given as the report, 2: a report held open elsewhere, 3: a report that takes
    // no byte (write 1 is the stylesheet), 4: the stylesheet cut short.
    const DWORD kResults[] = { 110, 110, 110, 29 };
    for (int n = 1; n <= 4; ++n)
    {
        for (bool bThereBefore : { false, true })
        {
            CTempDir dir;
            std::wstring path = dir.File(L"r.xml");
            std::wstring stylesheet = dir.File(L"r.xsl");
            EXPECT_TRUE(!bThereBefore || WriteFileBytes(stylesheet, "old"));
            EXPECT_TRUE(n != 1 || CreateDirectoryW(path.c_str(), nullptr));
            EXPECT_TRUE(n != 2 || WriteFileBytes(path, "old"));
            HANDLE hLock = n == 2 ? CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
            InjectFaults(n == 3 ? ".F" : n == 4 ? "C" : "");
            EXPECT_EQ(OpenAndClose(path, TRUE), kResults[n - 1]) << n;
            InjectFaults("");
            if (hLock != nullptr)
                CloseHandle(hLock);
            EXPECT_EQ(GetFileAttributesW(stylesheet.c_str()) != INVALID_FILE_ATTRIBUTES, bThereBefore)
                << n << (bThereBefore ? ", there before" : "");
        }
    }
}
