// Report file primitives: the edges of leaf lines and escaping, argument faults, the file's
// start and its stylesheet line, the stylesheet's path. Escaping of typical device strings,
// depths and CR LF are checked on every scanned report.
#include "report/XmlReport.h"
#include "support/ReportXml.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{

// Runs one write on a fresh file; the file's text after it.
struct CWritten
{
    DWORD dwResult;
    std::wstring text;
};

CWritten WriteOnce(const std::function<DWORD(HANDLE)>& write)
{
    CTempDir dir;
    std::wstring path = dir.File(L"lines.xml");
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE);
    DWORD dwResult = write(h);
    CloseHandle(h);
    return { dwResult, ReadReportText(path) };
}

}  // namespace

TEST(ReportPrimitives, AttributeValueAndLongNameAreWrittenAsGiven)
{
    struct { std::function<DWORD(HANDLE)> write; std::wstring expected; } const kCases[] = {
        // Not escaped; one final LF dropped, and only one.
        { [](HANDLE h) { return WriteElement(h, L"R", L"x", L"Format", L"a'b&c\n", 0); }, L"<R Format=\"a'b&c\">x</R>\r\n" },
        { [](HANDLE h) { return WriteElement(h, L"R", L"", L"F", L"w\n\n", 0); }, L"<R F=\"w\n\"></R>\r\n" },
        { [](HANDLE h) { return WriteStartTag(h, std::wstring(300, L'N').c_str(), 2); }, L"\t\t<" + std::wstring(300, L'N') + L">\r\n" },
    };
    for (const auto& c : kCases)
    {
        CWritten w = WriteOnce(c.write);
        EXPECT_EQ(w.dwResult, 0u);
        EXPECT_EQ(w.text, c.expected);
    }
}

// The rest of the forbidden characters and the markup characters are in a scanned profile.
TEST(ReportPrimitives, LeafTextEdges)
{
    const wchar_t R = 0xFFFD;
    struct { std::wstring text; std::wstring written; } const kCases[] = {
        // One final LF dropped; a CR inside and the apostrophe stay.
        { L"'\rx\r\n", L"'\rx\r" },
        { L"x\n\n", L"x\n" },
        { L"\n", L"" },
        { std::wstring{ 0x1F, 0x20, 0xFFFC, 0xE000 }, std::wstring{ R, 0x20, 0xFFFC, 0xE000 } },
        // Unpaired surrogates: a high one at the end, a low one first, a reversed pair, a high
        // one before a pair.
        { std::wstring{ L'a', 0xD800 }, std::wstring{ L'a', R } },
        { std::wstring{ 0xDC00, L'a' }, std::wstring{ R, L'a' } },
        { std::wstring{ 0xDE00, 0xD83D }, std::wstring{ R, R } },
        { std::wstring{ 0xD800, 0xD800, 0xDC00 }, std::wstring{ R, 0xD800, 0xDC00 } },
    };
    for (const auto& c : kCases)
    {
        CWritten w = WriteOnce([&](HANDLE h) { return WriteElement(h, L"V", c.text.c_str(), nullptr, nullptr, 0); });
        EXPECT_EQ(w.dwResult, 0u);
        EXPECT_EQ(w.text, L"<V>" + c.written + L"</V>\r\n") << "first unit " << std::hex << static_cast<unsigned>(c.text[0]);
        EXPECT_EQ(CheckReportXml(L"<?xml version=\"1.0\" encoding=\"utf-16\"?>" + w.text), "");
    }
}

TEST(ReportPrimitives, BadHandlesAndMissingArgumentsWriteNothing)
{
    struct { const char* what; std::function<DWORD(HANDLE)> write; DWORD dwExpected; } const kCases[] = {
        { "leaf, NULL handle", [](HANDLE) { return WriteElement(nullptr, L"A", L"t", nullptr, nullptr, 1); }, 6 },
        { "close, NULL handle", [](HANDLE) { return CloseReportFile(L"VekQuorvelReport", nullptr); }, 6 },
        { "start tag, invalid handle", [](HANDLE) { return WriteStartTag(INVALID_HANDLE_VALUE, L"A", 1); }, 29 },
        { "close, invalid handle", [](HANDLE) { return CloseReportFile(L"VekQuorvelReport", INVALID_HANDLE_VALUE); }, 29 },
        { "leaf, NULL text", [](HANDLE h) { return WriteElement(h, L"A", nullptr, nullptr, nullptr, 1); }, 160 },
        { "leaf, NULL name", [](HANDLE h) { return WriteElement(h, nullptr, L"t", nullptr, nullptr, 1); }, 160 },
        { "leaf, attribute without value", [](HANDLE h) { return WriteElement(h, L"A", L"t", L"F", nullptr, 1); }, 160 },
        { "start tag, NULL name", [](HANDLE h) { return WriteStartTag(h, nullptr, 1); }, 160 },
    };
    for (const auto& c : kCases)
    {
        CWritten w = WriteOnce(c.write);
        EXPECT_EQ(w.dwResult, c.dwExpected) << c.what;
        EXPECT_EQ(w.text, L"") << c.what;
    }
}

TEST(ReportFile, CreateWritesBomDeclarationStylesheetHrefAndRoot)
{
    CTempDir dir;
    const std::wstring longName = std::wstring(250, L'n') + L".xsl";
    const std::wstring unpaired = std::wstring(L"\u00b0") + wchar_t(0xD800) + L"\U00010000.xsl";
    // No name: no stylesheet line. The href is the name as a relative URI in UTF-8, however long.
    struct { const wchar_t* pszStylesheet; std::wstring href; } const kCases[] = {
        { nullptr, L"" },
        { longName.c_str(), longName },
        { L"R&D #1 100%.xsl", L"R%26D%20%231%20100%25.xsl" },
        { L"a(1)_b-c~d,e;f=g+h!$'@*.xsl", L"a(1)_b-c~d,e;f=g+h!$'@*.xsl" },
        { L"[x]{y}^`.xsl", L"%5Bx%5D%7By%7D%5E%60.xsl" },
        { L"B\u00fcro \u20ac\U0001F600.xsl", L"B%C3%BCro%20%E2%82%AC%F0%9F%98%80.xsl" },
        { unpaired.c_str(), L"%C2%B0%EF%BF%BD%F0%90%80%80.xsl" },
    };
    int n = 0;
    for (const auto& c : kCases)
    {
        std::wstring path = dir.File(L"report" + std::to_wstring(++n) + L".xml");
        ASSERT_TRUE(WriteFileBytes(path, std::string(1000, 'x')));  // truncated by the create
        wchar_t szRoot[260] = L"junk";
        HANDLE h = CreateReportFile(szRoot, path.c_str(), c.pszStylesheet);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << n;
        EXPECT_STREQ(szRoot, L"VekQuorvelReport");
        EXPECT_EQ(CloseReportFile(szRoot, h), 0u);
        std::wstring stylesheetLine = c.href.empty() ? L"" : L"<?xml-stylesheet type=\"text/xsl\" href=\"" + c.href + L"\"?>\r\n";
        EXPECT_EQ(ReadFileBytes(path), "\xFF\xFE" + Utf16Bytes(L"<?xml version=\"1.0\" encoding=\"utf-16\"?>\r\n" + stylesheetLine +
                                                           L"<VekQuorvelReport>\r\n</VekQuorvelReport>\r\n")) << n;
    }
}

TEST(ReportFile, CreateFailures)
{
    CTempDir dir;
    wchar_t szRoot[260] = L"junk";
    SetLastError(0);
    EXPECT_EQ(CreateReportFile(szRoot, nullptr, L"a.xsl"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), 160u);
    EXPECT_STREQ(szRoot, L"junk");
    // The root name is stored even when the file cannot be created; the error is the create's.
    EXPECT_EQ(CreateReportFile(szRoot, dir.File(L"no such folder\\r.xml").c_str(), L"r.xsl"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_STREQ(szRoot, L"VekQuorvelReport");
}

TEST(ReportFile, StylesheetPathReplacesTheFileNamesExtension)
{
    struct { std::wstring report; std::wstring stylesheet; } const kCases[] = {
        { L"C:\\rel.2\\report", L"C:\\rel.2\\report.xsl" },
        { L"C:/rel.2/report", L"C:/rel.2/report.xsl" },
        { L"C:\\Data\\a.b.xml", L"C:\\Data\\a.b.xsl" },
        { L".xml", L".xsl" },
        // Longer than a 260-character buffer: nothing is cut.
        { L"C:\\" + std::wstring(256, L'r'), L"C:\\" + std::wstring(256, L'r') + L".xsl" },
    };
    for (const auto& c : kCases)
        EXPECT_EQ(GetStylesheetPath(c.report), c.stylesheet);
}
