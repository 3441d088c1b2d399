// Report file primitives: exact bytes of each kind of line, escaping, results, the file's start.
#include "report/XmlReport.h"
#include "support/ReportXml.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{

// Runs one write on a fresh file and hands back what the file then holds.
struct CWritten
{
    DWORD dwResult;
    std::wstring text;
};

CWritten WriteOnce(const std::function<DWORD(HANDLE)>& write)
{
    CTempDir dir;
    std::wstring path = dir.File(L"lines.xml");
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE);
    DWORD dwResult = write(h);
    CloseHandle(h);
    return { dwResult, ReadReportText(path) };
}

std::wstring Leaf(const wchar_t* pszText, DWORD dwDepth = 2)
{
    CWritten w = WriteOnce([&](HANDLE h) { return WriteElement(h, L"V", pszText, nullptr, nullptr, dwDepth); });
    EXPECT_EQ(w.dwResult, 0u);
    return w.text;
}

// Linux's /dev/full through Wine's Z: drive: it opens, and every write fails.
const wchar_t kFullDevice[] = L"Z:\\dev\\full";

HANDLE OpenFullDevice()
{
    return CreateFileW(kFullDevice, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

// The handle value that the next open gets; the process reuses the lowest free slot, so an
// open after a close gets the same value again unless something kept that slot.
HANDLE NextHandleValue()
{
    HANDLE h = OpenFullDevice();
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
    return h;
}

}  // namespace

// The indentation of every depth is in the tree writer's one exact layout (ReportTree).
TEST(ReportPrimitives, LineEdgeCases)
{
    struct { const char* what; std::function<DWORD(HANDLE)> write; std::wstring expected; } const kCases[] = {
        { "leaf, depth 7, attribute",
          [](HANDLE h) { return WriteElement(h, L"TestResult", L"12", L"Format", L"Dec", 7); },
          L"\t\t\t\t\t\t\t<TestResult Format=\"Dec\">12</TestResult>\r\n" },
        { "empty leaf keeps its end tag",
          [](HANDLE h) { return WriteElement(h, L"TestStatus", L"", nullptr, nullptr, 1); },
          L"\t<TestStatus></TestStatus>\r\n" },
        { "attribute value unescaped, final LF dropped",
          [](HANDLE h) { return WriteElement(h, L"R", L"x", L"Format", L"a'b&c\n", 0); },
          L"<R Format=\"a'b&c\">x</R>\r\n" },
        { "attribute value loses only one LF",
          [](HANDLE h) { return WriteElement(h, L"R", L"", L"F", L"w\n\n", 0); }, L"<R F=\"w\n\"></R>\r\n" },
        { "a long name is never cut",
          [](HANDLE h) { return WriteStartTag(h, std::wstring(300, L'N').c_str(), 2); },
          L"\t\t<" + std::wstring(300, L'N') + L">\r\n" },
    };
    for (const auto& c : kCases)
    {
        CWritten w = WriteOnce(c.write);
        EXPECT_EQ(w.dwResult, 0u) << c.what;
        EXPECT_EQ(w.text, c.expected) << c.what;
    }
}

TEST(ReportPrimitives, LeafTextIsEscapedAfterItsFinalLfIsDropped)
{
    struct { std::wstring text; std::wstring written; } const kCases[] = {
        { L"a&b\"c<d>e'f", L"a&amp;b&quot;c&lt;d&gt;e'f" },
        // Already an entity: escaped again.
        { L"&amp; &lt;", L"&amp;amp; &amp;lt;" },
        { L"x\r\n", L"x\r" },
        { L"x\n\n", L"x\n" },
        { L"\n", L"" },
    };
    for (const auto& c : kCases)
        EXPECT_EQ(Leaf(c.text.c_str(), 1), L"\t<V>" + c.written + L"</V>\r\n") << "text of " << c.text.size();
}

TEST(ReportPrimitives, CharactersXmlForbidsBecomeReplacementCharacters)
{
    const wchar_t R = 0xFFFD;
    struct { std::wstring text; std::wstring written; } const kCases[] = {
        { std::wstring{ 0x01, 0x0B, 0x1F }, std::wstring(3, R) },
        { std::wstring{ 0xFFFE, 0xFFFF }, std::wstring(2, R) },
        // Allowed: TAB, LF and CR inside, the first printable, DEL and C1, the replacement itself.
        { L"\t\n\r ", L"\t\n\r " },
        { std::wstring{ 0x7F, 0x80, 0x9F, 0xFFFD, 0xFFFC, 0xE000 }, std::wstring{ 0x7F, 0x80, 0x9F, 0xFFFD, 0xFFFC, 0xE000 } },
        // Surrogates: a pair stays, an unpaired one in any position is replaced.
        { std::wstring{ 0xD83D, 0xDE00 }, std::wstring{ 0xD83D, 0xDE00 } },
        { std::wstring{ L'a', 0xD800 }, std::wstring{ L'a', R } },
        { std::wstring{ 0xD800, L'a' }, std::wstring{ R, L'a' } },
        { std::wstring{ 0xDC00, L'a' }, std::wstring{ R, L'a' } },
        { std::wstring{ 0xDE00, 0xD83D }, std::wstring{ R, R } },
        { std::wstring{ 0xD800, 0xD800, 0xDC00 }, std::wstring{ R, 0xD800, 0xDC00 } },
        // Uninitialised memory read as a device string: escaped and replaced in one pass.
        { std::wstring{ L'<', 0x02, L'&', 0xFFFF }, std::wstring(L"&lt;") + R + L"&amp;" + R },
    };
    for (const auto& c : kCases)
    {
        std::wstring line = Leaf(c.text.c_str(), 0);
        EXPECT_EQ(line, L"<V>" + c.written + L"</V>\r\n") << "first unit " << std::hex << static_cast<unsigned>(c.text[0]);
        EXPECT_EQ(CheckReportXml(L"<?xml version=\"1.0\" encoding=\"utf-16\"?>" + line), "");
    }
}

TEST(ReportPrimitives, BadHandlesAndMissingArguments)
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

TEST(ReportFile, CreateWritesBomDeclarationStylesheetAndRoot)
{
    CTempDir dir;
    const std::wstring longName = std::wstring(250, L'n') + L".xsl";
    // href: empty: no stylesheet line
    struct { const wchar_t* pszStylesheet; std::wstring href; } const kCases[] = {
        { nullptr, L"" },
        // Does not fit a 260-character line: written whole all the same.
        { longName.c_str(), longName },
        // The name as a relative URI.
        { L"R&D #1 100%.xsl", L"R%26D%20%231%20100%25.xsl" },
        { L"a(1)_b-c~d,e;f=g+h!$'@*.xsl", L"a(1)_b-c~d,e;f=g+h!$'@*.xsl" },
        { L"[x]{y}^`.xsl", L"%5Bx%5D%7By%7D%5E%60.xsl" },
        { L"B\u00fcro \u20ac\U0001F600.xsl", L"B%C3%BCro%20%E2%82%AC%F0%9F%98%80.xsl" },
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
        std::wstring stylesheetLine =
            c.href.empty() ? L"" : L"<?xml-stylesheet type=\"text/xsl\" href=\"" + c.href + L"\"?>\r\n";
        EXPECT_EQ(ReadFileBytes(path), "\xFF\xFE" + Utf16Bytes(L"<?xml version=\"1.0\" encoding=\"utf-16\"?>\r\n" +
                                                           stylesheetLine +
                                                           L"<VekQuorvelReport>\r\n</VekQuorvelReport>\r\n"))
            << n;
        EXPECT_EQ(CheckReportXml(ReadReportText(path)), "") << n;
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
    std::wstring missing = dir.File(L"no such folder\\r.xml");
    EXPECT_EQ(CreateReportFile(szRoot, missing.c_str(), L"r.xsl"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_STREQ(szRoot, L"VekQuorvelReport");
}

TEST(ReportFile, FailedFirstLinesLeaveNoHandleOpen)
{
    HANDLE hFree = NextHandleValue();
    if (hFree == INVALID_HANDLE_VALUE || NextHandleValue() != hFree)
        GTEST_SKIP() << "no always-full device, or handle values are not reused";
    HANDLE hProbe = OpenFullDevice();
    char c = 0;
    DWORD n = 0;
    bool writeFails = !WriteFile(hProbe, &c, 1, &n, nullptr);
    CloseHandle(hProbe);
    if (!writeFails)
        GTEST_SKIP() << "writes to the full device succeed";

    for (const wchar_t* pszStylesheet : { L"r.xsl", static_cast<const wchar_t*>(nullptr) })
    {
        wchar_t szRoot[260] = {};
        SetLastError(0);
        EXPECT_EQ(CreateReportFile(szRoot, kFullDevice, pszStylesheet), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
        EXPECT_EQ(NextHandleValue(), hFree) << "the report's handle was left open";
    }
}

TEST(ReportFile, StylesheetPathReplacesTheFileNamesExtension)
{
    struct { std::wstring report; std::wstring stylesheet; } const kCases[] = {
        { L"C:\\rel.2\\report", L"C:\\rel.2\\report.xsl" },
        { L"C:\\Data\\a.b.xml", L"C:\\Data\\a.b.xsl" },
        { L"C:\\Data\\x.xsl", L"C:\\Data\\x.xsl" },
        { L"C:/rel.2/report", L"C:/rel.2/report.xsl" },
        { L".xml", L".xsl" },
        // Longer than a 260-character buffer: nothing is cut.
        { L"C:\\" + std::wstring(256, L'r'), L"C:\\" + std::wstring(256, L'r') + L".xsl" },
    };
    for (const auto& c : kCases)
        EXPECT_EQ(GetStylesheetPath(c.report), c.stylesheet);
}
