// Start-up pieces: the default report name's numbering and folder fallback, the existing-report
// test, the application name. The dialogs and the WOW64 refusal are checked end to end
// (test_gui.py, test_gui_wow64.py).
#include "app/App.h"
#include "app/SelectReportFile.h"
#include "framework/App.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::wstring DefaultName(const std::wstring& folder, const std::wstring& computer)
{
    wchar_t out[260];
    wmemset(out, L'#', 260);
    BuildDefaultReportName(folder, computer, out);
    return out;
}

}  // namespace

TEST(DefaultReportName, FirstFreeNameFromTheUnnumberedOne)
{
    // A gap: the search starts without a number and stops at the first free name.
    const struct { std::vector<const wchar_t*> existing; const wchar_t* pszExpected; } kCases[] = {
        { { L"VekQuorvelPLANT7.xml" }, L"VekQuorvelPLANT7_1.xml" },
        { { L"VekQuorvelPLANT7_2.xml", L"VekQuorvelOTHER.xml", L"VekQuorvelPLANT7.xsl" }, L"VekQuorvelPLANT7.xml" },
    };
    for (const auto& c : kCases)
    {
        CTempDir dir;
        for (const wchar_t* pszName : c.existing)
            ASSERT_TRUE(WriteFileBytes(dir.File(pszName), "x"));
        EXPECT_EQ(DefaultName(dir.Path(), L"PLANT7"), dir.File(c.pszExpected));
    }
}

TEST(DefaultReportName, FileHeldOpenByAnotherProgramCountsAsFree)
{
    CTempDir dir;
    std::wstring path = dir.File(L"VekQuorvelPLANT7.xml");
    ASSERT_TRUE(WriteFileBytes(path, "x"));
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(IsExistingReport(path.c_str()));
    EXPECT_EQ(DefaultName(dir.Path(), L"PLANT7"), path);
    CloseHandle(h);
    EXPECT_TRUE(IsExistingReport(path.c_str()));
}

TEST(DefaultReportName, FolderWhereTheLastNumberedNameWouldNotFitFallsBackToTemp)
{
    // "\VekQuorvelPLANT7_4294967295.xml" has 32 characters: a folder of 227 keeps 259 in all.
    std::wstring fits = L"C:\\" + std::wstring(224, L'd');
    EXPECT_EQ(DefaultName(fits, L"PLANT7"), fits + L"\\VekQuorvelPLANT7.xml");
    EXPECT_EQ(DefaultName(fits + L"d", L"PLANT7"), L"C:\\Temp\\VekQuorvelPLANT7.xml");
}

TEST(Startup, ApplicationNameIsTheExecutablesBaseName)
{
    EXPECT_EQ(GetBaseNameWithoutExtension(L"C:\\a.b\\prog"), L"prog");
    EXPECT_EQ(GetBaseNameWithoutExtension(L"Z:/tmp/x.y.exe"), L"x.y");
}
