// Report tree writer: the SubCategory depth of each way to open one, default names, the mode
// word's edges, Format and status codes past the lists, missing names and write faults. The
// running numbers, depths and typical words are checked on every scanned report.
#include "report/XmlReport.h"
#include "support/ReportXml.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

const std::wstring kFileStart = L"<?xml version=\"1.0\" encoding=\"utf-16\"?>\r\n<VekQuorvelReport>\r\n";

// A report file with the tree operations' record: Body() is what was written after the root
// start tag; Finish() closes the file, checks the whole of it as XML and gives its outline.
class ReportTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_Report.Reset();
        m_Path = m_Dir.File(L"tree.xml");
        // Like CreateReportFile, but shared for reading so that the test can look in between.
        m_Report.m_hFile = CreateFileW(m_Path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(m_Report.m_hFile, INVALID_HANDLE_VALUE);
        wcscpy(m_Report.m_szRootName, L"VekQuorvelReport");
        std::string start = "\xFF\xFE" + Utf16Bytes(kFileStart);
        DWORD n = 0;
        ASSERT_TRUE(WriteFile(m_Report.m_hFile, start.data(), static_cast<DWORD>(start.size()), &n, nullptr));
    }

    void TearDown() override
    {
        if (m_Report.m_hFile != INVALID_HANDLE_VALUE)
            CloseHandle(m_Report.m_hFile);
        m_Report.m_hFile = INVALID_HANDLE_VALUE;
    }

    std::wstring Body()
    {
        std::wstring text = ReadReportText(m_Path);
        EXPECT_EQ(text.compare(0, kFileStart.size(), kFileStart), 0);
        return text.substr(kFileStart.size());
    }

    CReportOutline Finish()
    {
        EXPECT_EQ(CloseReportFile(m_Report.m_szRootName, m_Report.m_hFile), 0u);
        m_Report.m_hFile = INVALID_HANDLE_VALUE;
        std::wstring text = ReadReportText(m_Path);
        EXPECT_EQ(CheckReportXml(text), "");
        return ParseReport(text);
    }

    CTempDir m_Dir;
    std::wstring m_Path;
    CXmlReport m_Report;
};

}  // namespace

// The one exact layout: a SubCategory of the mode one level deeper than one of NextSubCategory;
// an empty or missing description is "DescrUndef".
TEST_F(ReportTree, GroupWithTestsInBothSubCategoryDepths)
{
    ASSERT_EQ(m_Report.BeginTestGroup(L"System unit", L"", L"Statistics", L"Counters"), 0u);
    ASSERT_EQ(m_Report.BeginTest(L"Power-on hours", nullptr), 0u);
    ASSERT_EQ(m_Report.WriteTestResult(L"12", 2, 6), 0u);
    ASSERT_EQ(WriteEndTag(m_Report.m_hFile, L"Test", 6), 0u);
    ASSERT_EQ(m_Report.NextSubCategory(L"Fans"), 0u);
    ASSERT_EQ(m_Report.EndTestGroup(), 0u);
    EXPECT_EQ(Body(), L"\t<TestGroup>\r\n\t\t<GroupNumber>1</GroupNumber>\r\n"
                      L"\t\t<GroupName>System unit</GroupName>\r\n"
                      L"\t\t<GroupDescription>DescrUndef</GroupDescription>\r\n"
                      L"\t\t<Category>\r\n\t\t\t<CategoryName>Statistics</CategoryName>\r\n"
                      L"\t\t\t\t<SubCategory>\r\n\t\t\t\t\t<SubCategoryName>Counters</SubCategoryName>\r\n"
                      L"\t\t\t\t\t\t<Test>\r\n"
                      L"\t\t\t\t\t\t\t<TestName>Power-on hours</TestName>\r\n"
                      L"\t\t\t\t\t\t\t<TestDescription>DescrUndef</TestDescription>\r\n"
                      L"\t\t\t\t\t\t\t<TestNumber>1</TestNumber>\r\n"
                      L"\t\t\t\t\t\t\t<TestResult Format=\"DegreeCentigrade\">12</TestResult>\r\n"
                      L"\t\t\t\t\t\t\t<TestStatus>Alarm</TestStatus>\r\n"
                      L"\t\t\t\t\t\t</Test>\r\n\t\t\t</SubCategory>\r\n"
                      L"\t\t\t<SubCategory>\r\n\t\t\t\t<SubCategoryName>Fans</SubCategoryName>\r\n"
                      L"\t\t\t</SubCategory>\r\n\t\t</Category>\r\n\t</TestGroup>\r\n");
    EXPECT_FALSE(m_Report.m_bSubCategoryOpen);
    Finish();
}

// The mode through BeginTestGroup (no names: "CatUndef" twice), then through NextCategory. Only
// the exact word is the mode; anything else is a name.
TEST_F(ReportTree, SubCategoryModes)
{
    struct { const wchar_t* pszCategory; const wchar_t* pszMode; bool bOpen; } const kSteps[] = {
        { nullptr, nullptr, true }, { L"Fans", L"MANUALSUBCATS", false }, { L"Keys", L"manualsubcats", true },
        { L"LEDs", L"MANUALSUBCATS ", true }, { L"End", L"MANUALSUBCATS", false },
    };
    ASSERT_EQ(m_Report.BeginTestGroup(L"G", nullptr, kSteps[0].pszCategory, kSteps[0].pszMode), 0u);
    for (const auto& c : kSteps)
    {
        ASSERT_EQ(&c == kSteps ? 0u : m_Report.NextCategory(c.pszCategory, c.pszMode), 0u);
        EXPECT_EQ(m_Report.m_bSubCategoryOpen != FALSE, c.bOpen);
    }
    // EndTestGroup closes only what is open (Finish checks the nesting).
    ASSERT_EQ(m_Report.EndTestGroup(), 0u);
    EXPECT_EQ(Finish().lines, (std::vector<std::wstring>{ L"G:G", L"C:CatUndef", L"S:CatUndef", L"C:Fans", L"C:Keys", L"S:manualsubcats",
                                                          L"C:LEDs", L"S:MANUALSUBCATS ", L"C:End" }));
}

TEST_F(ReportTree, FormatAndStatusCodesPastTheirListsAndFinalLineEnds)
{
    const struct { DWORD format, status; std::wstring value; const wchar_t* word; const wchar_t* statusText; std::wstring written; } kCases[] = {
        // The ends of the word list, a gap in it, and codes past its end.
        { 0, 0, L"", L"Unknown", L"Passed", L"" },
        { 16, 1, L"v", L"Unknown", L"Failed", L"v" },
        { 21, 3, L"v", L"Watt", L"", L"v" },
        { 22, 2, L"v", L"Unknown", L"Alarm", L"v" },
        // The writer drops one final LF and the primitive one more.
        { 4, 0, L"x\n\n\n", L"Raw", L"Passed", L"x\n" },
        { 4, 0, L"x\r\n", L"Raw", L"Passed", L"x\r" },
    };
    ASSERT_EQ(m_Report.BeginTestGroup(L"G", nullptr, nullptr, nullptr), 0u);
    for (const auto& c : kCases)
    {
        ASSERT_EQ(m_Report.BeginTest(L"t", nullptr), 0u);
        ASSERT_EQ(m_Report.WriteTestResult(c.value.c_str(), c.status, c.format), 0u);
        ASSERT_EQ(WriteEndTag(m_Report.m_hFile, L"Test", 6), 0u);
    }
    ASSERT_EQ(m_Report.EndTestGroup(), 0u);
    CReportOutline outline = Finish();
    ASSERT_EQ(outline.tests.size(), std::size(kCases));
    for (size_t i = 0; i < std::size(kCases); ++i)
    {
        EXPECT_EQ(outline.tests[i].format, kCases[i].word) << i;
        EXPECT_EQ(outline.tests[i].status, kCases[i].statusText) << i;
        EXPECT_EQ(outline.tests[i].result, kCases[i].written) << i;
    }
}

TEST_F(ReportTree, MissingNamesWriteNothing)
{
    ASSERT_EQ(m_Report.BeginTestGroup(nullptr, L"d", L"c", nullptr), 29u);
    EXPECT_EQ(m_Report.m_nGroupNumber, 0);
    EXPECT_EQ(Body(), L"");
    ASSERT_EQ(m_Report.BeginTestGroup(L"G", nullptr, L"C", L"MANUALSUBCATS"), 0u);
    EXPECT_EQ(m_Report.NextSubCategory(nullptr), 29u);
    EXPECT_EQ(m_Report.NextCategory(nullptr, L"x"), 29u);
    EXPECT_EQ(m_Report.BeginTest(nullptr, L"d"), 29u);
    EXPECT_EQ(m_Report.m_nTestNumber, 0);
    ASSERT_EQ(m_Report.NextSubCategory(L"S"), 0u);
    ASSERT_EQ(m_Report.BeginTest(L"t", L"d"), 0u);
    std::wstring inTest = Body();
    EXPECT_EQ(m_Report.WriteTestResult(nullptr, 0, 1), 29u);
    EXPECT_EQ(Body(), inTest);
    ASSERT_EQ(m_Report.WriteTestResult(L"", 0, 1), 0u);
    ASSERT_EQ(WriteEndTag(m_Report.m_hFile, L"Test", 6), 0u);
    ASSERT_EQ(m_Report.EndTestGroup(), 0u);
    EXPECT_EQ(Finish().lines, (std::vector<std::wstring>{ L"G:G", L"C:C", L"S:S", L"T:t" }));
}

TEST_F(ReportTree, WriteFaultsStopTheOperation)
{
    CloseHandle(m_Report.m_hFile);
    m_Report.m_hFile = INVALID_HANDLE_VALUE;
    EXPECT_EQ(m_Report.BeginTestGroup(L"G", nullptr, nullptr, nullptr), 29u);
    EXPECT_EQ(m_Report.m_nGroupNumber, 1);
    EXPECT_FALSE(m_Report.m_bSubCategoryOpen);
    EXPECT_EQ(m_Report.BeginTest(L"t", nullptr), 29u);
    EXPECT_EQ(m_Report.m_nTestNumber, 0);
    EXPECT_EQ(m_Report.WriteTestResult(L"v", 0, 1), 29u);
    EXPECT_EQ(m_Report.NextSubCategory(L"S"), 29u);
    EXPECT_EQ(m_Report.NextCategory(L"C", nullptr), 29u);
    EXPECT_EQ(m_Report.EndTestGroup(), 29u);
    m_Report.m_hFile = nullptr;
    EXPECT_EQ(m_Report.EndTestGroup(), 29u);
    m_Report.m_hFile = INVALID_HANDLE_VALUE;
}
