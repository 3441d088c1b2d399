// Drivers-and-tools group: install dates in their two digit orders.
#include "groups/TestVekDriversAndTools.h"

#include <gtest/gtest.h>

#include <string>

TEST(FormatInstallDate, OrdersAndLengths)
{
    struct { const wchar_t* pszIn; const wchar_t* pszOut; } const cases[] = {
        { L"20261231", L"2026-12-31" },  // month 12 is still a month
        { L"2026031", L"" },             // 7 characters
        { L"202603140", L"" },           // 9 characters
        { L"2026AB14", L"2026AB14" },    // does not scan: shown as stored, no made-up digits
        { L"20261315", L"1315-26-20" },  // month 13 is none: read as day, month, year, not checked again
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatInstallDate(c.pszIn), c.pszOut) << testing::PrintToString(std::wstring(c.pszIn));
}
