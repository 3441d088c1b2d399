// Statistics reader family: member tables and the counter read with its two-byte retry.
#include "groups/readers/Statistics.h"

#include <iterator>

#include "framework/Text.h"

namespace
{

const CStatisticsCounter kBusUnitCounters[] = {
    { L"Power-on cycles", 11 },
    { L"Power-on hours", 12 },
};
const CStatisticsCounter kCpuBoardCounters[] = {
    { L"Power-on cycles", 5 },
    { L"Power-on hours", 6 },
};
const CStatisticsCounter kDisplayLinkCounters[] = {
    { L"Power-on cycles", 13 },
    { L"Power-on hours", 14 },
};
// The case fan kit's hours share id 2 with the system unit's fan-on hours.
const CStatisticsCounter kCaseFanKitCounters[] = {
    { L"Fan-on cycles", 17 },
    { L"Fan-on hours", 2 },
};
const CStatisticsCounter kBusFanKitCounters[] = {
    { L"Fan-on cycles", 20 },
    { L"Fan-on hours", 21 },
};
const CStatisticsCounter kIfSlot1Counters[] = {
    { L"Power-on cycles", 7 },
    { L"Power-on hours", 8 },
};
const CStatisticsCounter kIfSlot2Counters[] = {
    { L"Power-on cycles", 15 },
    { L"Power-on hours", 16 },
};
const CStatisticsCounter kIoBoardCounters[] = {
    { L"Power-on cycles", 9 },
    { L"Power-on hours", 10 },
};
// Power-on counters exist only for panel 15 of types 19 and 21; the backlight counters
// address whichever panel the group has selected.
const CStatisticsCounter kPanelCounters[] = {
    { L"Power-on cycles", 22, 15, OnlyOn({ 19, 21 }) },
    { L"Power-on hours", 23, 15, OnlyOn({ 19, 21 }) },
    { L"Backlight-on cycles", 3 },
    { L"Backlight-on hours", 4 },
};
const CStatisticsCounter kSystemUnitCounters[] = {
    { L"Power-on cycles", 0, kAnyIndex, NotOn({ 11, 9 }) },
    { L"Power-on hours", 1 },
    { L"Fan-on hours", 2, kAnyIndex, NotOn({ 9, 11, 15, 16, 17, 18, 19, 20, 21 }) },
};
const CStatisticsCounter kUpsCounters[] = {
    { L"On-battery cycles", 18 },
    { L"On-battery hours", 19 },
};

}  // namespace

const CStatisticsMember kStatisticsBusUnit = { kBusUnitCounters, false };
const CStatisticsMember kStatisticsCpuBoard = { kCpuBoardCounters, true };
const CStatisticsMember kStatisticsDisplayLink = { kDisplayLinkCounters, false };
const CStatisticsMember kStatisticsCaseFanKit = { kCaseFanKitCounters, false };
const CStatisticsMember kStatisticsBusFanKit = { kBusFanKitCounters, false };
const CStatisticsMember kStatisticsIfBoards[2] = {
    { kIfSlot1Counters, false },
    { kIfSlot2Counters, false },
};
const CStatisticsMember kStatisticsIoBoard = { kIoBoardCounters, true };
const CStatisticsMember kStatisticsPanel = { kPanelCounters, false };
const CStatisticsMember kStatisticsSystemUnit = { kSystemUnitCounters, false };
const CStatisticsMember kStatisticsUps = { kUpsCounters, false };

CReading ReadCounter(CTivLibrary& library, DWORD dwId, bool bTwoByteOnly)
{
    PFN_TIV_ID_READ pfnRead = library.m_pTivGetStatisticsValue;
    DWORD dwError = 0;
    if (!bTwoByteOnly)
    {
        DWORD dwValue = 0;
        if (CallTivRead(pfnRead, dwId, &dwValue, sizeof dwValue, dwError))
            return Value(StrFormat(L"%u", dwValue), kFormatDec);
        // 87 means the library keeps this counter in 16 bits; without the export there is
        // nothing to retry.
        if (dwError != ERROR_INVALID_PARAMETER || pfnRead == nullptr)
            return Failure(dwError);
    }
    WORD wValue = 0;
    if (!CallTivRead(pfnRead, dwId, &wValue, sizeof wValue, dwError))
        return Failure(dwError);
    return Value(StrFormat(L"%u", static_cast<DWORD>(wValue)), kFormatDec);
}

void WriteStatistics(CTest& test, const CStatisticsMember& member, DWORD dwIndex)
{
    for (const CStatisticsCounter& counter : member.counters)
    {
        if (counter.dwOnlyForIndex != kAnyIndex && counter.dwOnlyForIndex != dwIndex)
            continue;
        if (!PassesGate(test.m_Library, counter.gate))
            continue;
        BeginFirstTest(test, counter.pszName, L"", [&] {
            return ReadCounter(test.m_Library, counter.dwId, member.bTwoByteOnly);
        });
    }
}

void WriteStatistics(CTest& test, const CStatisticsMember (&members)[2], DWORD dwIndex)
{
    if (dwIndex == 1 || dwIndex == 2)
        WriteStatistics(test, members[dwIndex - 1]);
}
