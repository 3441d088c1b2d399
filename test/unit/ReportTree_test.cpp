// Report tree writer: depths, running numbers, subcategory modes, status and Format words.
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
// start tag; Finish() closes the file and checks the whole of it as XML.
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

    // Closes the report and checks it as a whole.
    void Finish()
    {
        EXPECT_EQ(CloseReportFile(m_Report.m_szRootName, m_Report.m_hFile), 0u);
        m_Report.m_hFile = INVALID_HANDLE_VALUE;
        EXPECT_EQ(CheckReportXml(ReadReportText(m_Path)), "");
    }

    // One complete test: begin, result, the Test end tag as the test code writes it.
    void Test(const wchar_t* pszName, const wchar_t* pszValue = L"1", DWORD dwStatus = 0, DWORD dwFormat = 2)
    {
        ASSERT_EQ(m_Report.BeginTest(pszName, L"d"), 0u);
        ASSERT_EQ(m_Report.WriteTestResult(pszValue, dwStatus, dwFormat), 0u);
        ASSERT_EQ(WriteEndTag(m_Report.m_hFile, L"Test", 6), 0u);
    }

    CTempDir m_Dir;
    std::wstring m_Path;
    CXmlReport m_Report;
};

std::wstring Lines(const std::vector<std::wstring>& lines)
{
    std::wstring text;
    for (const std::wstring& line : lines)
        text += line + L"\r\n";
    return text;
}

// The lines of one element at a depth, for short expectations.
std::wstring Leaf(int depth, const std::wstring& name, const std::wstring& text)
{
    return std::wstring(depth, L'\t') + L"<" + name + L">" + text + L"</" + name + L">";
}

std::wstring Tag(int depth, const std::wstring& tag)
{
    return std::wstring(depth, L'\t') + tag;
}

}  // namespace

TEST_F(ReportTree, GroupWithTestsInBothSubCategoryDepths)
{
    ASSERT_EQ(m_Report.BeginTestGroup(L"System unit", L"The case", L"Statistics", L"Counters"), 0u);
    ASSERT_EQ(m_Report.BeginTest(L"Power-on hours", L""), 0u);
    ASSERT_EQ(m_Report.WriteTestResult(L"12", 2, 6), 0u);
    ASSERT_EQ(WriteEndTag(m_Report.m_hFile, L"Test", 6), 0u);
    ASSERT_EQ(m_Report.NextSubCategory(L"Fans"), 0u);
    ASSERT_EQ(m_Report.EndTestGroup(), 0u);
    EXPECT_EQ(Body(), Lines({
                          Tag(1, L"<TestGroup>"),
                          Leaf(2, L"GroupNumber", L"1"),
                          Leaf(2, L"GroupName", L"System unit"),
                          Leaf(2, L"GroupDescription", L"The case"),
                          Tag(2, L"<Category>"),
                          Leaf(3, L"CategoryName", L"Statistics"),
                          Tag(4, L"<SubCategory>"),
                          Leaf(5, L"SubCategoryName", L"Counters"),
                          Tag(6, L"<Test>"),
                          Leaf(7, L"TestName", L"Power-on hours"),
                          Leaf(7, L"TestDescription", L"DescrUndef"),
                          Leaf(7, L"TestNumber", L"1"),
                          Tag(7, L"<TestResult Format=\"DegreeCentigrade\">12</TestResult>"),
                          Leaf(7, L"TestStatus", L"Alarm"),
                          Tag(6, L"</Test>"),
                          Tag(3, L"</SubCategory>"),
                          Tag(3, L"<SubCategory>"),
                          Leaf(4, L"SubCategoryName", L"Fans"),
                          Tag(3, L"</SubCategory>"),
                          Tag(2, L"</Category>"),
                          Tag(1, L"</TestGroup>"),
                      }));
    EXPECT_FALSE(m_Report.m_bSubCategoryOpen);
    Finish();
}

TEST_F(ReportTree, SubCategoryModes)
{
    struct
    {
        const wchar_t* pszCategory;
        const wchar_t* pszMode;
        std::wstring categoryName;
        std::wstring opened;  // the lines after CategoryName
        BOOL bOpen;
    } const kCases[] = {
        { nullptr, nullptr, L"CatUndef",
          Lines({ Tag(4, L"<SubCategory>"), Leaf(5, L"SubCategoryName", L"CatUndef") }), TRUE },
        { L"Fans", nullptr, L"Fans", Lines({ Tag(4, L"<SubCategory>"), Leaf(5, L"SubCategoryName", L"CatUndef") }),
          TRUE },
        { L"Fans", L"Case", L"Fans", Lines({ Tag(4, L"<SubCategory>"), Leaf(5, L"SubCategoryName", L"Case") }), TRUE },
        { L"Fans", L"MANUALSUBCATS", L"Fans", L"", FALSE },
        // Only the exact word is the mode; anything else is a name.
        { L"Fans", L"manualsubcats", L"Fans",
          Lines({ Tag(4, L"<SubCategory>"), Leaf(5, L"SubCategoryName", L"manualsubcats") }), TRUE },
        { L"Fans", L"MANUALSUBCATS ", L"Fans",
          Lines({ Tag(4, L"<SubCategory>"), Leaf(5, L"SubCategoryName", L"MANUALSUBCATS ") }), TRUE },
    };
    TearDown();
    for (const auto& c : kCases)
    {
        // The same mode through BeginTestGroup and through NextCategory, each in a new file.
        for (bool next : { false, true })
        {
            SetUp();
            std::wstring before;
            if (next)
            {
                ASSERT_EQ(m_Report.BeginTestGroup(L"G", nullptr, L"First", L"MANUALSUBCATS"), 0u);
                before = Body();
                if (c.pszCategory == nullptr)
                {
                    // NextCategory has no default name.
                    EXPECT_EQ(m_Report.NextCategory(nullptr, c.pszMode), 29u);
                    EXPECT_EQ(Body(), before);
                    TearDown();
                    continue;
                }
                ASSERT_EQ(m_Report.NextCategory(c.pszCategory, c.pszMode), 0u);
            }
            else
            {
                ASSERT_EQ(m_Report.BeginTestGroup(L"G", nullptr, c.pszCategory, c.pszMode), 0u);
                before = Lines({ Tag(1, L"<TestGroup>"), Leaf(2, L"GroupNumber", L"1"), Leaf(2, L"GroupName", L"G"),
                                 Leaf(2, L"GroupDescription", L"DescrUndef") });
            }
            std::wstring expected = before + (next ? Lines({ Tag(2, L"</Category>") }) : L"") +
                                    Lines({ Tag(2, L"<Category>"), Leaf(3, L"CategoryName", c.categoryName) }) + c.opened;
            EXPECT_EQ(Body(), expected) << c.categoryName << " mode " << (c.pszMode ? "text" : "NULL") << " next " << next;
            EXPECT_EQ(m_Report.m_bSubCategoryOpen, c.bOpen);
            // EndTestGroup closes only what is open.
            std::wstring open = Body();
            ASSERT_EQ(m_Report.EndTestGroup(), 0u);
            EXPECT_EQ(Body(), open + (c.bOpen ? Lines({ Tag(3, L"</SubCategory>") }) : L"") +
                                  Lines({ Tag(2, L"</Category>"), Tag(1, L"</TestGroup>") }));
            Finish();
            TearDown();
        }
    }
}

TEST_F(ReportTree, ManualSubCategoriesTwiceInARow)
{
    ASSERT_EQ(m_Report.BeginTestGroup(L"G", L"", L"Panel 1", L"MANUALSUBCATS"), 0u);
    std::wstring start = Body();
    ASSERT_EQ(m_Report.NextSubCategory(L"Keys"), 0u);
    ASSERT_EQ(m_Report.NextSubCategory(L"LEDs"), 0u);
    EXPECT_TRUE(m_Report.m_bSubCategoryOpen);
    ASSERT_EQ(m_Report.NextCategory(L"Panel 2", L"MANUALSUBCATS"), 0u);
    EXPECT_FALSE(m_Report.m_bSubCategoryOpen);
    ASSERT_EQ(m_Report.EndTestGroup(), 0u);
    EXPECT_EQ(Body(), start + Lines({
                                  Tag(3, L"<SubCategory>"),
                                  Leaf(4, L"SubCategoryName", L"Keys"),
                                  Tag(3, L"</SubCategory>"),
                                  Tag(3, L"<SubCategory>"),
                                  Leaf(4, L"SubCategoryName", L"LEDs"),
                                  Tag(3, L"</SubCategory>"),
                                  Tag(2, L"</Category>"),
                                  Tag(2, L"<Category>"),
                                  Leaf(3, L"CategoryName", L"Panel 2"),
                                  Tag(2, L"</Category>"),
                                  Tag(1, L"</TestGroup>"),
                              }));
    Finish();
}

TEST_F(ReportTree, NumbersRunOnAcrossGroups)
{
    // Group 1 with five tests; the second group in run order writes nothing; then group 2.
    ASSERT_EQ(m_Report.BeginTestGroup(L"First", nullptr, nullptr, nullptr), 0u);
    for (int i = 0; i < 5; ++i)
        Test(L"t");
    ASSERT_EQ(m_Report.EndTestGroup(), 0u);
    std::wstring first = Body();
    ASSERT_EQ(m_Report.BeginTestGroup(L"Third", nullptr, nullptr, nullptr), 0u);
    Test(L"t");
    ASSERT_EQ(m_Report.EndTestGroup(), 0u);
    std::wstring second = Body().substr(first.size());
    EXPECT_NE(first.find(Leaf(7, L"TestNumber", L"5")), std::wstring::npos);
    EXPECT_NE(second.find(Leaf(2, L"GroupNumber", L"2")), std::wstring::npos);
    EXPECT_NE(second.find(Leaf(7, L"TestNumber", L"6")), std::wstring::npos);
    EXPECT_EQ(m_Report.m_nGroupNumber, 2);
    EXPECT_EQ(m_Report.m_nTestNumber, 6);
    Finish();
}

TEST_F(ReportTree, FormatWordsAndStatusTexts)
{
    // The ends of the word list, a gap in it, and codes past its end.
    const struct
    {
        DWORD format, status;
        const wchar_t* word;
        const wchar_t* statusText;
    } kCases[] = {
        { 0, 0, L"Unknown", L"Passed" },  { 6, 2, L"DegreeCentigrade", L"Alarm" },
        { 16, 1, L"Unknown", L"Failed" }, { 21, 3, L"Watt", L"" },
        { 22, 0, L"Unknown", L"Passed" }, { 0xFFFFFFFF, 0xFFFFFFFF, L"Unknown", L"" },
    };
    ASSERT_EQ(m_Report.BeginTestGroup(L"G", nullptr, nullptr, nullptr), 0u);
    for (const auto& c : kCases)
    {
        ASSERT_EQ(m_Report.BeginTest(L"t", nullptr), 0u);
        std::wstring before = Body();
        ASSERT_EQ(m_Report.WriteTestResult(L"v", c.status, c.format), 0u);
        EXPECT_EQ(Body().substr(before.size()),
                  Lines({ Tag(7, L"<TestResult Format=\"" + std::wstring(c.word) + L"\">v</TestResult>"),
                          Leaf(7, L"TestStatus", c.statusText) }))
            << "format " << c.format;
        ASSERT_EQ(WriteEndTag(m_Report.m_hFile, L"Test", 6), 0u);
    }
    ASSERT_EQ(m_Report.EndTestGroup(), 0u);
    Finish();
}

TEST_F(ReportTree, ResultValues)
{
    struct
    {
        std::wstring value;
        std::wstring written;
    } const kCases[] = {
        { L"", L"" },
        { L"12", L"12" },
        // The writer drops one final LF and the primitive one more.
        { L"x\n\n", L"x" },
        { L"x\n\n\n", L"x\n" },
        { L"x\r\n", L"x\r" },
        { L"\r\n00112233\r\n4455", L"\r\n00112233\r\n4455" },
        { L"<a & b>", L"&lt;a &amp; b&gt;" },
    };
    ASSERT_EQ(m_Report.BeginTestGroup(L"G", nullptr, nullptr, nullptr), 0u);
    for (const auto& c : kCases)
    {
        ASSERT_EQ(m_Report.BeginTest(L"t", nullptr), 0u);
        std::wstring before = Body();
        ASSERT_EQ(m_Report.WriteTestResult(c.value.c_str(), 0, 4), 0u);
        EXPECT_EQ(Body().substr(before.size()),
                  Lines({ Tag(7, L"<TestResult Format=\"Raw\">" + c.written + L"</TestResult>"),
                          Leaf(7, L"TestStatus", L"Passed") }));
        ASSERT_EQ(WriteEndTag(m_Report.m_hFile, L"Test", 6), 0u);
    }
    ASSERT_EQ(m_Report.EndTestGroup(), 0u);
    Finish();
}

TEST_F(ReportTree, MissingNamesWriteNothing)
{
    ASSERT_EQ(m_Report.BeginTestGroup(nullptr, L"d", L"c", nullptr), 29u);
    EXPECT_EQ(m_Report.m_nGroupNumber, 0);
    EXPECT_EQ(Body(), L"");
    ASSERT_EQ(m_Report.BeginTestGroup(L"G", nullptr, L"C", L"MANUALSUBCATS"), 0u);
    std::wstring start = Body();
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
    Finish();
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
