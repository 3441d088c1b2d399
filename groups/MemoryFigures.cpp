// Memory figures as report text: the pure formatting rules of the memory group, by size.
#include "groups/MemoryFigures.h"

#include "framework/Text.h"
#include "report/XmlReport.h"

namespace
{

const ULONGLONG kKiB = 1024;
const ULONGLONG kMiB = kKiB * 1024;
const ULONGLONG kGiB = kMiB * 1024;

// "%lu" takes the low 32 bits of a whole count.
std::wstring WholeUnits(ULONGLONG ullCount)
{
    return StrFormat(L"%lu", static_cast<unsigned long>(ullCount));
}

}  // namespace

std::wstring FormatScaledSingle(ULONGLONG ullBytes, int nShift)
{
    // volatile keeps every step in single precision whatever the compiler's FPU settings. The
    // factors are powers of two, so scaling is exact: only the conversion rounds.
    volatile float fValue = static_cast<float>(static_cast<double>(ullBytes));
    const float kTwoToMinus10 = 1.0f / 1024.0f;
    for (int i = 0; i < nShift; i += 10)
        fValue = fValue * kTwoToMinus10;
    return StrFormat(L"%1.2f", static_cast<double>(fValue));
}

CMemoryFigure FormatPhysicalTotal(ULONGLONG ullTotal)
{
    if (ullTotal <= kGiB)
        return { WholeUnits(ullTotal / kMiB), kFormatMegaByte };
    return { FormatScaledSingle(ullTotal, 30), kFormatGigaByte };
}

CMemoryFigure FormatPhysicalFree(ULONGLONG ullAvailable)
{
    if (ullAvailable < kMiB)
        return { WholeUnits(ullAvailable / kKiB), kFormatKiloByte };
    if (ullAvailable < kGiB)
        return { WholeUnits(ullAvailable / kMiB), kFormatMegaByte };
    return { FormatScaledSingle(ullAvailable, 30), kFormatGigaByte };
}

CMemoryFigure FormatPagingSize(ULONGLONG ullBytes)
{
    if (ullBytes <= kGiB)
        return { FormatScaledSingle(ullBytes, 20), kFormatMegaByte };
    return { FormatScaledSingle(ullBytes, 30), kFormatGigaByte };
}

CMemoryFigure FormatPagingUsage(ULONGLONG ullTotal, ULONGLONG ullAvailable)
{
    const ULONGLONG ullTotalKiB = ullTotal / kKiB;
    if (ullTotalKiB == 0 || ullAvailable > ullTotal)
        return { WholeUnits(0), kFormatPercent };
    return { WholeUnits(100 - (ullAvailable / kKiB) * 100 / ullTotalKiB), kFormatPercent };
}

CMemoryFigure FormatPagingFile(ULONGLONG ullCommitLimit, ULONGLONG ullPhysical)
{
    return { ullCommitLimit >= ullPhysical ? L"Enabled" : L"Disabled", kFormatEnableDisable };
}
