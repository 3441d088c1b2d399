// Memory figures as report text: the pure formatting rules of the memory group, by size.
#pragma once

#include <windows.h>

#include <string>

// One figure's text with its Format code.
struct CMemoryFigure
{
    std::wstring text;
    DWORD dwFormat;
};

// Physical "Total": whole MiB up to 1 GiB (1 GiB itself included), GiB with two decimals above.
CMemoryFigure FormatPhysicalTotal(ULONGLONG ullTotal);
// Physical "Free": whole KiB below 1 MiB, whole MiB below 1 GiB, GiB with two decimals from
// 1 GiB on (so exactly 1 GiB is 1.00 here, unlike the total).
CMemoryFigure FormatPhysicalFree(ULONGLONG ullAvailable);
// Paging "Total" and "Free": MiB with two decimals up to 1 GiB, GiB with two decimals above.
CMemoryFigure FormatPagingSize(ULONGLONG ullBytes);
// Paging "Usage" in whole percent from the KiB counts, truncated; 0 when the total is below
// 1 KiB and when more is available than there is in all (no wrapped figure).
CMemoryFigure FormatPagingUsage(ULONGLONG ullTotal, ULONGLONG ullAvailable);
// "Paging file": Enabled when the commit limit reaches the physical memory, else Disabled.
CMemoryFigure FormatPagingFile(ULONGLONG ullCommitLimit, ULONGLONG ullPhysical);

// The byte count in units of 2^-shift bytes (20: MiB, 30: GiB) through "%1.2f": the count is
// taken to single precision and scaled there, as the device software always has, so counts
// that single precision cannot tell apart give the same text.
std::wstring FormatScaledSingle(ULONGLONG ullBytes, int nShift);
