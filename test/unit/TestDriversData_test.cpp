// Drivers-and-tools group: install dates in their two digit orders.
#include "groups/TestVekDriversAndTools.h"

#include <gtest/gtest.h>

#include <string>

TEST(FormatInstallDate, OrdersAndLengths)
{
    struct { const wchar_t* pszIn; const wchar_t* pszOut; } const cases[] = {
        { L"20260314", L"2026-03-14" },
        { L"14032026", L"2026-03-14" },  // month 20 in the first reading: day, month, year
        { L"20261231", L"2026-12-31" },  // month 12 is still a month
        { L"2026031", L"" },             // 7 characters
        { L"202603140", L"" },           // 9 characters
        { L"2026AB14", L"2026AB14" },    // does not scan: shown as stored, no made-up digits
        { L"3113AB26", L"3113AB26" },    // first reading gives month 13, second does not scan
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatInstallDate(c.pszIn), c.pszOut) << testing::PrintToString(std::wstring(c.pszIn));
}
