// The one printf-style wide formatter: Microsoft's rules for the program's format strings.
#include "framework/Text.h"

#include <gtest/gtest.h>

#include <string>

TEST(StrFormat, WideStringArgumentsWithPercentS)
{
    // In a wide format %s takes a wide string, as the program's texts expect.
    EXPECT_EQ(StrFormat(L"The report file %s already exists.", L"C:\\r.xml"),
              L"The report file C:\\r.xml already exists.");
    EXPECT_EQ(StrFormat(L"%ls|%s", L"a", L"b"), L"a|b");
}

TEST(StrFormat, LongResultsAreNotCut)
{
    std::wstring path(5000, L'p');
    std::wstring text = StrFormat(L"<%s>", path.c_str());
    EXPECT_EQ(text.size(), 5002u);
    EXPECT_EQ(StrFormat(L""), L"");
}

TEST(CopyToBuffer, CutsAndTerminates)
{
    wchar_t buffer[5] = { L'#', L'#', L'#', L'#', L'#' };
    EXPECT_TRUE(CopyToBuffer(buffer, 5, L"abcd"));
    EXPECT_STREQ(buffer, L"abcd");
    EXPECT_FALSE(CopyToBuffer(buffer, 5, L"abcdef"));
    EXPECT_STREQ(buffer, L"abcd");
}
