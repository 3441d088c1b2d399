// Opening and closing a report: file names, the overwrite question, the stylesheet file, the
// Header, write faults. The real question box is checked end to end (test_gui.py).
#include "device/TivLibrary.h"
#include "report/XmlReport.h"
#include "support/ReportOpen.h"
#include "support/ReportXml.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

std::wstring StylesheetLine(const std::wstring& name)
{
    return L"<?xml-stylesheet type=\"text/xsl\" href=\"" + name + L"\"?>\r\n";
}

const wchar_t kDeclaration[] = L"<?xml version=\"1.0\" encoding=\"utf-16\"?>\r\n";

// The writer's write number g_nFaultAt fails: cut short by one character, or with nothing
// written and ERROR_DISK_FULL.
int g_nFaultAt = 0;
bool g_bCutShort = false;
int g_nWrites = 0;

BOOL WINAPI FaultyWriteFile(HANDLE h, LPCVOID p, DWORD n, LPDWORD pnWritten, LPOVERLAPPED pOverlapped)
{
    bool bFault = ++g_nWrites == g_nFaultAt;
    if (bFault && !g_bCutShort)
    {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    return WriteFile(h, p, bFault ? n - 2 : n, pnWritten, pOverlapped);
}

void InjectFault(int nFaultAt, bool bCutShort)
{
    g_nFaultAt = nFaultAt;
    g_bCutShort = bCutShort;
    g_nWrites = 0;
    CXmlReport::s_pfnWriteFile = nFaultAt != 0 ? FaultyWriteFile : WriteFile;
}

}  // namespace

TEST(ReportOpen, WritesStylesheetBesideAndHeader)
{
    CSimDevice device("DeviceType = u32 18\n");
    CScriptedOpen scripted;
    CTempDir dir;
    ASSERT_TRUE(CreateDirectoryW(dir.File(L"rel.2").c_str(), nullptr));
    const std::string stylesheet = StylesheetResourceBytes();
    ASSERT_GT(stylesheet.size(), 3u);
    EXPECT_EQ(stylesheet.substr(0, 3), "\xEF\xBB\xBF");

    // stylesheet: file in the folder
    struct { std::wstring report; std::wstring stylesheet; std::wstring href; } const kCases[] = {
        { L"rel.2\\report", L"rel.2\\report.xsl", L"report.xsl" },
        { L"My Report.xml", L"My Report.xsl", L"My%20Report.xsl" },
    };
    for (const auto& c : kCases)
    {
        std::wstring path = dir.File(c.report);
        ASSERT_EQ(OpenAndClose(path, FALSE), 0u) << c.report;
        bool bom = false;
        std::wstring text = ReadReportText(path, &bom);
        EXPECT_TRUE(bom);
        EXPECT_EQ(text, kDeclaration + StylesheetLine(c.href) + L"<VekQuorvelReport>\r\n" +
                            ExpectedHeader(GetDeviceModelName(18)) + L"</VekQuorvelReport>\r\n")
            << c.report;
        EXPECT_EQ(ReadFileBytes(dir.File(c.stylesheet)), stylesheet) << c.stylesheet;
    }
    EXPECT_EQ(scripted.Questions(), 0);
}

TEST(ReportOpen, ReportNamedLikeItsStylesheetReplacesIt)
{
    CScriptedOpen scripted;
    CTempDir dir;
    std::wstring path = dir.File(L"x.xsl");
    ASSERT_EQ(OpenAndClose(path, FALSE), 0u);
    std::wstring text = ReadReportText(path);
    EXPECT_EQ(text.substr(0, wcslen(kDeclaration)), kDeclaration);
    EXPECT_NE(text.find(StylesheetLine(L"x.xsl")), std::wstring::npos);
    EXPECT_EQ(scripted.Questions(), 0);
}

TEST(ReportOpen, ExistingReportAsksUnlessOverwriteIsAllowed)
{
    struct { BOOL bOverwrite; BOOL bAnswer; DWORD dwResult; int nQuestions; bool replaced; } const kCases[] = {
        { FALSE, FALSE, 80, 1, false },
        { FALSE, TRUE, 0, 1, true },
        { TRUE, FALSE, 0, 0, true },
    };
    for (const auto& c : kCases)
    {
        CScriptedOpen scripted(c.bAnswer);
        CTempDir dir;
        std::wstring path = dir.File(L"old.xml");
        ASSERT_TRUE(WriteFileBytes(path, "old report"));
        EXPECT_EQ(OpenAndClose(path, c.bOverwrite), c.dwResult);
        EXPECT_EQ(scripted.Questions(), c.nQuestions);
        if (c.nQuestions > 0)
        {
            EXPECT_EQ(scripted.AskedPath(), path);
        }
        bool stylesheetWritten = GetFileAttributesW(dir.File(L"old.xsl").c_str()) != INVALID_FILE_ATTRIBUTES;
        EXPECT_EQ(stylesheetWritten, c.replaced);
        // Replaced: OpenAndClose has checked the new report.
        EXPECT_EQ(ReadFileBytes(path) == "old report", !c.replaced);
    }
}

TEST(ReportOpen, UnreadableExistingReportIsNotAskedAbout)
{
    CScriptedOpen scripted(FALSE);
    CTempDir dir;
    std::wstring path = dir.File(L"busy.xml");
    ASSERT_TRUE(WriteFileBytes(path, "old"));
    // Held open without sharing: it cannot be read, so there is no question; the report then
    // cannot be created either.
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(OpenAndClose(path, FALSE), 110u);
    CloseHandle(h);
    EXPECT_EQ(scripted.Questions(), 0);
    EXPECT_EQ(ReadFileBytes(path), "old");
}

TEST(ReportOpen, StylesheetFailuresComeBeforeTheReport)
{
    CScriptedOpen scripted;
    CTempDir dir;
    std::wstring missing = dir.File(L"no such folder\\r.xml");
    EXPECT_EQ(OpenAndClose(missing, TRUE), 82u);

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
    EXPECT_EQ(FormatOverwriteQuestion(longPath.c_str()),
              L"The report file " + longPath + L" already exists. Overwrite this file?");
}

TEST(ReportFile, AnyLineFailedOrCutShortFailsTheClose)
{
    // Writes 1 to 4 are the prologue (two for the byte-order mark), 5 to 7 three lines and 8
    // the root end tag; the lines after a failed one are written all the same.
    // dwLines: the three results added up
    struct { int nFaultAt; bool bCutShort; DWORD dwLines; DWORD dwClose; DWORD dwLastError; } const kCases[] = {
        { 0, false, 0, 0, 0 },
        { 6, false, 29, 29, ERROR_DISK_FULL },
        { 6, true, 29, 29, 29 },
        { 8, true, 0, 29, 29 },
    };
    for (const auto& c : kCases)
    {
        CTempDir dir;
        wchar_t szRoot[260] = {};
        InjectFault(c.nFaultAt, c.bCutShort);
        HANDLE h = CreateReportFile(szRoot, dir.File(L"r.xml").c_str(), nullptr);
        EXPECT_EQ(WriteStartTag(h, L"A", 1) + WriteElement(h, L"B", L"b", nullptr, nullptr, 2) +
                      WriteEndTag(h, L"A", 1), c.dwLines) << c.nFaultAt;
        SetLastError(0);
        EXPECT_EQ(CloseReportFile(szRoot, h), c.dwClose) << c.nFaultAt;
        EXPECT_EQ(GetLastError(), c.dwLastError) << c.nFaultAt;
        // A failed end tag leaves the handle open.
        EXPECT_EQ(CloseHandle(h) != FALSE, c.nFaultAt == 8) << c.nFaultAt;
    }
    InjectFault(0, false);
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
            HANDLE hLock = n == 2 ? CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                  : nullptr;
            InjectFault(n == 3 ? 2 : n == 4 ? 1 : 0, n == 4);
            EXPECT_EQ(OpenAndClose(path, TRUE), kResults[n - 1]) << n;
            InjectFault(0, false);
            if (hLock != nullptr)
                CloseHandle(hLock);
            EXPECT_EQ(GetFileAttributesW(stylesheet.c_str()) != INVALID_FILE_ATTRIBUTES, bThereBefore)
                << n << (bThereBefore ? ", there before" : "");
        }
    }
}
