// Memory figures: the unit boundaries, single precision and the runtime's rounding, paging usage.
#include "groups/MemoryFigures.h"

#include "framework/Text.h"
#include "report/XmlReport.h"

#include <gtest/gtest.h>

namespace
{

const ULONGLONG kKiB = 1024, kMiB = 1024 * kKiB, kGiB = 1024 * kMiB;

}  // namespace

TEST(MemoryFigures, UnitBoundaries)
{
    struct { CMemoryFigure (*pfnFormat)(ULONGLONG); ULONGLONG ullBytes; const wchar_t* pszText; DWORD dwFormat; }
    const cases[] = {
        { FormatPhysicalTotal, 0, L"0", kFormatMegaByte },
        { FormatPhysicalTotal, kGiB, L"1024", kFormatMegaByte },
        { FormatPhysicalTotal, kGiB + 1, L"1.00", kFormatGigaByte },
        { FormatPhysicalFree, kMiB - 1, L"1023", kFormatKiloByte },
        { FormatPhysicalFree, kMiB, L"1", kFormatMegaByte },
        { FormatPhysicalFree, kGiB - 1, L"1023", kFormatMegaByte },
        { FormatPhysicalFree, kGiB, L"1.00", kFormatGigaByte },
        { FormatPagingSize, 1536 * kKiB, L"1.50", kFormatMegaByte },
        { FormatPagingSize, kGiB, L"1024.00", kFormatMegaByte },
        { FormatPagingSize, kGiB + 1, L"1.00", kFormatGigaByte },
    };
    for (const auto& c : cases)
    {
        CMemoryFigure figure = c.pfnFormat(c.ullBytes);
        EXPECT_EQ(figure.text, c.pszText) << c.ullBytes;
        EXPECT_EQ(figure.dwFormat, c.dwFormat) << c.ullBytes;
    }
}

TEST(MemoryFigures, SinglePrecisionAndTies)
{
    // 1.125 GiB is a tie for two decimals: the runtime's own rounding decides it.
    const ULONGLONG kTie = kGiB + kGiB / 8;
    const std::wstring tie = StrFormat(L"%1.2f", 1.125);
    EXPECT_EQ(FormatPhysicalFree(kTie).text, tie);
    // Single precision holds 128-byte steps here: 63 bytes more is still the tie, while in
    // double precision it would lie above it; 65 bytes more is the next step up.
    EXPECT_EQ(FormatPhysicalFree(kTie + 63).text, tie);
    EXPECT_EQ(FormatPhysicalTotal(kTie + 65).text, L"1.13");
    // The same in MiB: 1.125 MiB is a tie, exactly representable.
    EXPECT_EQ(FormatPagingSize(kMiB + kMiB / 8).text, tie);
    EXPECT_EQ(FormatScaledSingle(kTie - 65, 30), L"1.12");
}

TEST(MemoryFigures, PagingUsageAndFile)
{
    struct { ULONGLONG ullTotal, ullAvailable; const wchar_t* pszUsage; } const cases[] = {
        { 3 * kKiB, kKiB, L"67" },            // 100 - 100 / 3, truncated
        { 3 * kKiB, 3 * kKiB + 1023, L"0" },  // more available than in all: never wrapped
        { 3 * kKiB, 4 * kKiB, L"0" },
        { 2 * kGiB, 0, L"100" },
        { 1023, 0, L"0" },                    // no whole KiB of total
    };
    for (const auto& c : cases)
    {
        CMemoryFigure usage = FormatPagingUsage(c.ullTotal, c.ullAvailable);
        EXPECT_EQ(usage.text, c.pszUsage) << c.ullAvailable;
        EXPECT_EQ(usage.dwFormat, kFormatPercent);
    }
    EXPECT_EQ(FormatPagingFile(kGiB, kGiB).text, L"Enabled");
    EXPECT_EQ(FormatPagingFile(kGiB - 1, kGiB).text, L"Disabled");
    EXPECT_EQ(FormatPagingFile(kGiB, kGiB).dwFormat, kFormatEnableDisable);
}
