// The one printf-style wide formatter: Microsoft's rules for the program's format strings.
#include "framework/Text.h"

#include <gtest/gtest.h>

#include <string>

TEST(StrFormat, FormatsOfTheReport)
{
    EXPECT_EQ(StrFormat(L"%u", 4294967295u), L"4294967295");
    EXPECT_EQ(StrFormat(L"%d", static_cast<int>(static_cast<signed char>(0x80))), L"-128");
    EXPECT_EQ(StrFormat(L"%08X", 0xABCDu), L"0000ABCD");
    EXPECT_EQ(StrFormat(L"%04X", 0x1A2Bu), L"1A2B");
    EXPECT_EQ(StrFormat(L"%04Xh", 0xFFFFu), L"FFFFh");
    EXPECT_EQ(StrFormat(L"%02X", 0x0Au), L"0A");
    EXPECT_EQ(StrFormat(L"%dx%d", 1024, 768), L"1024x768");
    EXPECT_EQ(StrFormat(L"V%d.%02d", 2, 5), L"V2.05");
    EXPECT_EQ(StrFormat(L"100%%"), L"100%");
}

TEST(StrFormat, WideStringArgumentsWithPercentS)
{
    // In a wide format %s takes a wide string, as the program's texts expect.
    EXPECT_EQ(StrFormat(L"The report file %s already exists.", L"C:\\r.xml"),
              L"The report file C:\\r.xml already exists.");
    EXPECT_EQ(StrFormat(L"%ls|%s", L"a", L"b"), L"a|b");
    EXPECT_EQ(StrFormat(L"%u (%s)", 40u, L"Manual"), L"40 (Manual)");
}

TEST(StrFormat, SinglePrecisionMillivolts)
{
    // Values are divided as floats, then printed with the given decimals.
    EXPECT_EQ(StrFormat(L"%.2f", static_cast<double>(45 / 1000.0f)), L"0.05");
    EXPECT_EQ(StrFormat(L"%.3f", static_cast<double>(4294967295u / 1000.0f)), L"4294967.500");
    EXPECT_EQ(StrFormat(L"%.3f", static_cast<double>(3300 / 1000.0f)), L"3.300");
    EXPECT_EQ(StrFormat(L"%.1f", static_cast<double>(0 / 1000.0f)), L"0.0");
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
