// Drivers-and-tools group: install dates, the product table and the driver file list.
#include "groups/TestVekDriversAndTools.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <set>
#include <string>

TEST(FormatInstallDate, OrdersAndLengths)
{
    struct
    {
        const wchar_t* pszIn;
        const wchar_t* pszOut;
    } const cases[] = {
        { L"20260314", L"2026-03-14" },
        { L"14032026", L"2026-03-14" },   // month 20 in the first reading: day, month, year
        { L"20261231", L"2026-12-31" },   // month 12 is still a month
        { L"31122026", L"2026-12-31" },
        { L"00000000", L"0000-00-00" },
        { L"2026031", L"" },              // 7 characters
        { L"202603140", L"" },            // 9 characters
        { L"", L"" },
        { L"2026AB14", L"2026AB14" },     // does not scan: shown as stored, no made-up digits
        { L"ABCDEFGH", L"ABCDEFGH" },
        { L"01AB2026", L"01AB2026" },
        { L"3113AB26", L"3113AB26" },     // first reading gives month 13, second does not scan
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatInstallDate(c.pszIn), c.pszOut) << "input " << testing::PrintToString(std::wstring(c.pszIn));
}

TEST(ProductTable, KeysCategoriesAndFilesAreDistinctAndWellFormed)
{
    std::set<std::wstring> keys, categories;
    for (const CProduct& product : kProducts)
    {
        EXPECT_TRUE(keys.insert(product.pszUninstallKey).second) << product.pszUninstallKey;
        EXPECT_TRUE(categories.insert(product.pszCategory).second);
        EXPECT_NE(std::wstring(product.pszCategory), L"TIV Driver");
        ASSERT_FALSE(product.files.empty());
        std::set<std::wstring> names;
        for (const wchar_t* pszFile : product.files)
        {
            EXPECT_TRUE(names.insert(FileEntryName(pszFile)).second);
            // An install-location file is a bare name; a system file begins with a backslash.
            if (pszFile[0] != L'\\')
            {
                EXPECT_EQ(wcschr(pszFile, L'\\'), nullptr) << pszFile;
            }
        }
    }
    EXPECT_EQ(keys.count(L"TivDriver_is1"), 0u);
}

TEST(DriverFileList, PathsBeginWithABackslashAndNamesAreDistinct)
{
    std::set<std::wstring> names;
    for (const CDriverFile& row : kDriverFiles)
    {
        EXPECT_EQ(row.pszPath[0], L'\\');
        EXPECT_TRUE(names.insert(FileEntryName(row.pszPath)).second) << row.pszPath;
    }
    EXPECT_EQ(names.count(L"FactoryRevert.exe"), 0u);
}

TEST(DriverFileList, FileEntryName)
{
    EXPECT_EQ(FileEntryName(L"\\Drivers\\VekCanDrv.sys"), L"VekCanDrv.sys");
    EXPECT_EQ(FileEntryName(L"\\VekTiv.dll"), L"VekTiv.dll");
    EXPECT_EQ(FileEntryName(L"VEK.CanSettings.exe"), L"VEK.CanSettings.exe");
}
