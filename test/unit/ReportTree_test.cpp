// Report tree writer: depths, subcategory modes, status and Format words (the running numbers
// across groups are checked on every scanned report).
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
        m_Report.m_hFile = CreateFileW(m_Path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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

    // One complete test: begin, result, the Test end tag as the test code writes it.
    void Test(const wchar_t* pszValue = L"1", DWORD dwStatus = 0, DWORD dwFormat = 2)
    {
        ASSERT_EQ(m_Report.BeginTest(L"t", nullptr), 0u);
        ASSERT_EQ(m_Report.WriteTestResult(pszValue, dwStatus, dwFormat), 0u);
        ASSERT_EQ(WriteEndTag(m_Report.m_hFile, L"Test", 6), 0u);
    }

    CTempDir m_Dir;
    std::wstring m_Path;
    CXmlReport m_Report;
};

}  // namespace

// The one exact layout: every depth of the tree and its indentation.
TEST_F(ReportTree, GroupWithTestsInBothSubCategoryDepths)
{
    ASSERT_EQ(m_Report.BeginTestGroup(L"System unit", L"The case", L"Statistics", L"Counters"), 0u);
    ASSERT_EQ(m_Report.BeginTest(L"Power-on hours", L""), 0u);
    ASSERT_EQ(m_Report.WriteTestResult(L"12", 2, 6), 0u);
    ASSERT_EQ(WriteEndTag(m_Report.m_hFile, L"Test", 6), 0u);
    ASSERT_EQ(m_Report.NextSubCategory(L"Fans"), 0u);
    ASSERT_EQ(m_Report.EndTestGroup(), 0u);
    EXPECT_EQ(Body(), L"\t<TestGroup>\r\n\t\t<GroupNumber>1</GroupNumber>\r\n"
                      L"\t\t<GroupName>System unit</GroupName>\r\n"
                      L"\t\t<GroupDescription>The case</GroupDescription>\r\n"
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

TEST_F(ReportTree, SubCategoryModes)
{
    // outline: after the group line
    struct { const wchar_t* pszCategory; const wchar_t* pszMode; std::vector<std::wstring> outline; } const kCases[] = {
        { nullptr, nullptr, { L"C:CatUndef", L"S:CatUndef" } },
        { L"Fans", nullptr, { L"C:Fans", L"S:CatUndef" } },
        { L"Fans", L"Case", { L"C:Fans", L"S:Case" } },
        { L"Fans", L"MANUALSUBCATS", { L"C:Fans" } },
        // Only the exact word is the mode; anything else is a name.
        { L"Fans", L"manualsubcats", { L"C:Fans", L"S:manualsubcats" } },
        { L"Fans", L"MANUALSUBCATS ", { L"C:Fans", L"S:MANUALSUBCATS " } },
    };
    TearDown();
    for (const auto& c : kCases)
    {
        // The same mode through BeginTestGroup and through NextCategory, each in a new file;
        // NextCategory has no default name (MissingNamesWriteNothing).
        for (bool next : { false, true })
        {
            if (next && c.pszCategory == nullptr)
                continue;
            SetUp();
            std::vector<std::wstring> expected = { L"G:G" };
            if (next)
            {
                ASSERT_EQ(m_Report.BeginTestGroup(L"G", nullptr, L"First", L"MANUALSUBCATS"), 0u);
                ASSERT_EQ(m_Report.NextCategory(c.pszCategory, c.pszMode), 0u);
                expected.push_back(L"C:First");
            }
            else
                ASSERT_EQ(m_Report.BeginTestGroup(L"G", nullptr, c.pszCategory, c.pszMode), 0u);
            expected.insert(expected.end(), c.outline.begin(), c.outline.end());
            EXPECT_EQ(m_Report.m_bSubCategoryOpen, c.outline.size() == 2);
            // EndTestGroup closes only what is open (Finish checks the nesting).
            ASSERT_EQ(m_Report.EndTestGroup(), 0u);
            EXPECT_EQ(Finish().lines, expected) << c.outline[0] << " next " << next;
            TearDown();
        }
    }
}

TEST_F(ReportTree, ManualSubCategoriesTwiceInARow)
{
    ASSERT_EQ(m_Report.BeginTestGroup(L"G", L"", L"Panel 1", L"MANUALSUBCATS"), 0u);
    ASSERT_EQ(m_Report.NextSubCategory(L"Keys"), 0u);
    ASSERT_EQ(m_Report.NextSubCategory(L"LEDs"), 0u);
    EXPECT_TRUE(m_Report.m_bSubCategoryOpen);
    ASSERT_EQ(m_Report.NextCategory(L"Panel 2", L"MANUALSUBCATS"), 0u);
    EXPECT_FALSE(m_Report.m_bSubCategoryOpen);
    ASSERT_EQ(m_Report.EndTestGroup(), 0u);
    EXPECT_EQ(Finish().lines,
              (std::vector<std::wstring>{ L"G:G", L"C:Panel 1", L"S:Keys", L"S:LEDs", L"C:Panel 2" }));
}

TEST_F(ReportTree, FormatWordsStatusTextsAndValues)
{
    const struct { DWORD format, status; std::wstring value; const wchar_t* word; const wchar_t* statusText;
                   std::wstring written; } kCases[] = {
        // The ends of the word list, a gap in it, and codes past its end.
        { 0, 0, L"", L"Unknown", L"Passed", L"" },
        { 6, 2, L"12", L"DegreeCentigrade", L"Alarm", L"12" },
        { 16, 1, L"v", L"Unknown", L"Failed", L"v" },
        { 21, 3, L"v", L"Watt", L"", L"v" },
        { 22, 0, L"v", L"Unknown", L"Passed", L"v" },
        // The writer drops one final LF and the primitive one more.
        { 4, 0, L"x\n\n\n", L"Raw", L"Passed", L"x\n" },
        { 4, 0, L"x\r\n", L"Raw", L"Passed", L"x\r" },
        { 4, 0, L"\r\n00112233\r\n4455", L"Raw", L"Passed", L"\r\n00112233\r\n4455" },
    };
    ASSERT_EQ(m_Report.BeginTestGroup(L"G", nullptr, nullptr, nullptr), 0u);
    for (const auto& c : kCases)
        Test(c.value.c_str(), c.status, c.format);
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
