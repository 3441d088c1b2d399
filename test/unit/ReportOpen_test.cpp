// Opening a report: file names, the overwrite question, the stylesheet file, the Header.
#include "device/TivLibrary.h"
#include "report/XmlReport.h"
#include "support/ReportOpen.h"
#include "support/ReportXml.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace
{

std::wstring StylesheetLine(const std::wstring& name)
{
    return L"<?xml-stylesheet type=\"text/xsl\" href=\"" + name + L"\"?>\r\n";
}

// Keeps the last non-empty static text of a window's children (the message of a box).
BOOL CALLBACK CollectStaticText(HWND hChild, LPARAM lParam)
{
    wchar_t szClass[32] = {};
    GetClassNameW(hChild, szClass, 32);
    int n = GetWindowTextLengthW(hChild);
    if (_wcsicmp(szClass, L"Static") == 0 && n > 0)
    {
        std::wstring text(n + 1, L'\0');
        text.resize(GetWindowTextW(hChild, &text[0], n + 1));
        *reinterpret_cast<std::wstring*>(lParam) = text;
    }
    return TRUE;
}

const wchar_t kDeclaration[] = L"<?xml version=\"1.0\" encoding=\"utf-16\"?>\r\n";

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

    struct
    {
        std::wstring report;
        std::wstring stylesheet;  // file in the folder
        std::wstring href;
    } const kCases[] = {
        { L"unit7.xml", L"unit7.xsl", L"unit7.xsl" },
        { L"report", L"report.xsl", L"report.xsl" },
        { L"a.b.xml", L"a.b.xsl", L"a.b.xsl" },
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
    struct
    {
        BOOL bOverwrite;
        BOOL bAnswer;
        DWORD dwResult;
        int nQuestions;
        bool replaced;
    } const kCases[] = {
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

TEST(ReportOpen, DeviceTypeInTheHeader)
{
    CScriptedOpen scripted;
    struct
    {
        const char* profile;
        std::wstring deviceType;
    } const kCases[] = {
        { "DeviceType = u32 1\n", GetDeviceModelName(1) },
        { "DeviceType = u32 22\n", L"Not supported" },
        { "DeviceType = fail 31\n", L"Unknown" },
    };
    for (const auto& c : kCases)
    {
        CSimDevice device(c.profile);
        CTempDir dir;
        std::wstring path = dir.File(L"h.xml");
        ASSERT_EQ(OpenAndClose(path, FALSE), 0u);
        EXPECT_NE(ReadReportText(path).find(ExpectedHeader(c.deviceType)), std::wstring::npos) << c.profile;
    }
}

TEST(ReportOpen, OverwriteQuestionIsAYesNoBoxWithTheWholePath)
{
    std::wstring longPath = L"C:\\" + std::wstring(400, L'p') + L"\\report.xml";
    EXPECT_EQ(FormatOverwriteQuestion(longPath.c_str()),
              L"The report file " + longPath + L" already exists. Overwrite this file?");

    // The real box: found by its caption, its text read and answered with No from a second
    // thread; No means the report is left alone.
    CTempDir dir;
    std::wstring path = dir.File(L"asked.xml");
    ASSERT_TRUE(WriteFileBytes(path, "old"));
    std::wstring shownText;
    bool yesNoOnly = false;
    std::thread answer([&] {
        for (int i = 0; i < 200; ++i)
        {
            HWND hBox = FindWindowW(L"#32770", L"Vek Quorvel");
            if (hBox != nullptr)
            {
                EnumChildWindows(hBox, CollectStaticText, reinterpret_cast<LPARAM>(&shownText));
                yesNoOnly = GetDlgItem(hBox, IDYES) != nullptr && GetDlgItem(hBox, IDNO) != nullptr &&
                            GetDlgItem(hBox, IDOK) == nullptr && GetDlgItem(hBox, IDCANCEL) == nullptr;
                PostMessageW(hBox, WM_COMMAND, IDNO, 0);
                return;
            }
            Sleep(50);
        }
    });
    EXPECT_EQ(OpenAndClose(path, FALSE), 80u);
    answer.join();
    EXPECT_EQ(shownText, FormatOverwriteQuestion(path.c_str()));
    EXPECT_TRUE(yesNoOnly);
    EXPECT_EQ(ReadFileBytes(path), "old");
}
