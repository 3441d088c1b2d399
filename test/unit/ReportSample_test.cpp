// Sample reports through the whole writer: one with every Format, status and naming case, one
// without failures, alarms or sensors. With VEK_REPORT_SAMPLES naming a folder they are kept
// there (sample.xml and "clean #1 & 100% Büro.xml", a name that its stylesheet line must
// encode, with their stylesheets) for the stylesheet checks.
#include "device/Utilities.h"
#include "report/XmlReport.h"
#include "support/ReportOpen.h"
#include "support/ReportXml.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace
{

struct CSampleTest { const wchar_t* pszName; const wchar_t* pszDescription; std::wstring value; DWORD dwStatus, dwFormat; };

void WriteTests(CXmlReport& report, const std::vector<CSampleTest>& tests)
{
    for (const CSampleTest& t : tests)
    {
        ASSERT_EQ(report.BeginTest(t.pszName, t.pszDescription), 0u);
        ASSERT_EQ(report.WriteTestResult(t.value.c_str(), t.dwStatus, t.dwFormat), 0u);
        ASSERT_EQ(WriteEndTag(report.m_hFile, L"Test", 6), 0u);
    }
}

std::wstring RawBlock()
{
    BYTE data[40];
    for (size_t i = 0; i < std::size(data); ++i)
        data[i] = static_cast<BYTE>(i * 7);
    std::wstring text;
    HexDump(data, static_cast<int>(std::size(data)), text);
    return text;
}

void WriteSample(CXmlReport& report)
{
    // Group 1: no category name, subcategory "CatUndef": the words without units.
    ASSERT_EQ(report.BeginTestGroup(L"Operating System", L"Windows version & registration", nullptr, nullptr), 0u);
    WriteTests(report, { { L"Version", L"Product name", L"Windows XP <SP3>", 0, 1 },
                         { L"Build", nullptr, L"2600", 0, 2 },
                         { L"Administrator", L"", L"Yes", 0, 14 },
                         { L"Write filter", L"Quote \"it\" & 'this'", L"Disabled", 0, 17 },
                         { L"Odd code", L"Format 16", L"7", 0, 16 },
                         { L"No status", L"Status 3", L"?", 3, 1 },
                         { L"Registered owner", L"A device string with junk", std::wstring(L"Op") + wchar_t(0x01) + L"erator" + wchar_t(0xFFFF), 1, 1 },
                         { L"Factory data", L"Raw block", RawBlock(), 0, 4 } });
    ASSERT_EQ(report.EndTestGroup(), 0u);

    // Group 2: sensors, failures and alarms, a Test outside any SubCategory.
    ASSERT_EQ(report.BeginTestGroup(L"System Unit", nullptr, L"Temperatures", L"Board"), 0u);
    WriteTests(report, { { L"Sensor 1", nullptr, L"45", 0, 6 },
                         { L"Sensor 2", L"Over the limit", L"91", 2, 6 } });
    ASSERT_EQ(report.NextCategory(L"Fans", nullptr), 0u);
    WriteTests(report, { { L"Case fan", nullptr, L"2400", 0, 12 },
                         { L"CPU fan", nullptr, L"0", 2, 12 } });
    ASSERT_EQ(report.NextCategory(L"Voltages", L"Supply"), 0u);
    WriteTests(report, { { L"5V", nullptr, L"5.02", 0, 13 },
                         { L"Battery", nullptr, L"The device is not ready", 1, 1 } });
    ASSERT_EQ(report.NextCategory(L"Statistics", L"MANUALSUBCATS"), 0u);
    WriteTests(report, { { L"Hidden test", nullptr, L"outside", 1, 1 } });
    ASSERT_EQ(report.NextSubCategory(L"Counters"), 0u);
    WriteTests(report, { { L"Lock time", nullptr, L"15", 0, 18 } });
    ASSERT_EQ(report.NextSubCategory(L"Power"), 0u);
    WriteTests(report, { { L"Power", nullptr, L"12.000", 0, 21 } });
    ASSERT_EQ(report.EndTestGroup(), 0u);

    // Group 3: no category name, an empty value.
    ASSERT_EQ(report.BeginTestGroup(L"Memory", L"", nullptr, nullptr), 0u);
    WriteTests(report, { { L"Empty", nullptr, L"", 0, 1 } });
    ASSERT_EQ(report.EndTestGroup(), 0u);
}

void WriteClean(CXmlReport& report)
{
    ASSERT_EQ(report.BeginTestGroup(L"BIOS", L"Firmware of the board", L"Version", nullptr), 0u);
    WriteTests(report, { { L"BIOS version", nullptr, L"1.07", 0, 1 } });
    ASSERT_EQ(report.EndTestGroup(), 0u);
}

}  // namespace

TEST(ReportSample, WholeReportsAreWellFormed)
{
    CSimDevice device("DeviceType = u32 18\n");
    CScriptedOpen scripted;
    CTempDir dir;
    wchar_t szFolder[1024] = {};
    DWORD n = GetEnvironmentVariableW(L"VEK_REPORT_SAMPLES", szFolder, 1024);
    std::wstring folder = n > 0 && n < 1024 ? szFolder : dir.Path();
    for (const auto& sample : { std::make_pair(L"sample.xml", WriteSample), std::make_pair(L"clean #1 & 100% B\u00fcro.xml", WriteClean) })
    {
        std::wstring path = folder + L"\\" + sample.first;
        CXmlReport report;
        report.Reset();
        ASSERT_EQ(report.Open(path.c_str(), TRUE), 0u);
        sample.second(report);
        EXPECT_EQ(CloseReportFile(report.m_szRootName, report.m_hFile), 0u);
        EXPECT_EQ(CheckReportXml(ReadReportText(path)), "") << "in " << ReadFileBytes(path).size() << " bytes";
    }
}
