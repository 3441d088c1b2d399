// Start-up pieces: default report name, existing-report test, app name, resources. The WOW64
// refusal is checked end to end (test_gui_wow64.py).
#include "app/App.h"
#include "app/SelectReportFile.h"
#include "framework/App.h"
#include "framework/Text.h"
#include "res/resource.h"
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

void Touch(const std::wstring& path)
{
    ASSERT_TRUE(WriteFileBytes(path, "x"));
}

struct CNameCase
{
    std::vector<const wchar_t*> existing;
    const wchar_t* pszExpected;
};

TEST(DefaultReportName, FirstFreeNameFromTheUnnumberedOne)
{
    const CNameCase kCases[] = {
        { {}, L"VekQuorvelPLANT7.xml" },
        { { L"VekQuorvelPLANT7.xml" }, L"VekQuorvelPLANT7_1.xml" },
        // A gap: the search starts without a number and stops at the first free name.
        { { L"VekQuorvelPLANT7_2.xml" }, L"VekQuorvelPLANT7.xml" },
        { { L"VekQuorvelOTHER.xml", L"VekQuorvelPLANT7.xsl" }, L"VekQuorvelPLANT7.xml" },
    };
    for (const CNameCase& c : kCases)
    {
        CTempDir dir;
        for (const wchar_t* pszName : c.existing)
            Touch(dir.File(pszName));
        EXPECT_EQ(DefaultName(dir.Path(), L"PLANT7"), dir.File(c.pszExpected));
    }
}

TEST(DefaultReportName, FileHeldOpenByAnotherProgramCountsAsFree)
{
    CTempDir dir;
    std::wstring path = dir.File(L"VekQuorvelPLANT7.xml");
    Touch(path);
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(IsExistingReport(path.c_str()));
    EXPECT_EQ(DefaultName(dir.Path(), L"PLANT7"), path);
    CloseHandle(h);
    EXPECT_TRUE(IsExistingReport(path.c_str()));
}

TEST(DefaultReportName, FolderTooLongFallsBackToTemp)
{
    std::wstring folder = L"C:\\" + std::wstring(240, L'd');
    EXPECT_EQ(DefaultName(folder, L"PLANT7"), L"C:\\Temp\\VekQuorvelPLANT7.xml");
    // A folder where every numbered name still fits is kept.
    std::wstring fits = L"C:\\" + std::wstring(200, L'd');
    EXPECT_EQ(DefaultName(fits, L"PLANT7"), fits + L"\\VekQuorvelPLANT7.xml");
}

TEST(Startup, ApplicationNameIsTheExecutablesBaseName)
{
    const struct { const wchar_t* pszPath; const wchar_t* pszName; } kCases[] = {
        { L"C:\\a.b\\prog", L"prog" },
        { L"Z:/tmp/x.y.exe", L"x.y" },
    };
    for (const auto& c : kCases)
        EXPECT_EQ(GetBaseNameWithoutExtension(c.pszPath), c.pszName) << c.pszPath;
}

TEST(Resources, DialogsIconAndAnimationArePresent)
{
    HMODULE hModule = GetModuleHandleW(nullptr);
    EXPECT_NE(FindResourceW(hModule, MAKEINTRESOURCEW(IDD_PROGRESS), MAKEINTRESOURCEW(5)), nullptr);
    EXPECT_NE(FindResourceW(hModule, MAKEINTRESOURCEW(IDD_SELECT_REPORT_FILE), MAKEINTRESOURCEW(5)), nullptr);
    EXPECT_NE(LoadIconW(hModule, MAKEINTRESOURCEW(IDI_APP)), nullptr);
    EXPECT_NE(FindResourceW(hModule, MAKEINTRESOURCEW(IDR_SCAN_ANIMATION), L"AVI"), nullptr);
    EXPECT_NE(FindResourceW(hModule, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)), nullptr);
}

}  // namespace
