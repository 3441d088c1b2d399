// Statistics reader family: member tables and the counter read with its two-byte retry.
#include "groups/readers/Statistics.h"

#include <iterator>

#include "framework/Text.h"

namespace
{

const CTypeGate kAlways = { CTypeGate::kAlways, {} };

const CStatisticsCounter kBusUnitCounters[] = {
    { L"Power-on cycles", 11, kAnyIndex, kAlways },
    { L"Power-on hours", 12, kAnyIndex, kAlways },
};
const CStatisticsCounter kCpuBoardCounters[] = {
    { L"Power-on cycles", 5, kAnyIndex, kAlways },
    { L"Power-on hours", 6, kAnyIndex, kAlways },
};
const CStatisticsCounter kDisplayLinkCounters[] = {
    { L"Power-on cycles", 13, kAnyIndex, kAlways },
    { L"Power-on hours", 14, kAnyIndex, kAlways },
};
// The case fan kit's hours share id 2 with the system unit's fan-on hours.
const CStatisticsCounter kCaseFanKitCounters[] = {
    { L"Fan-on cycles", 17, kAnyIndex, kAlways },
    { L"Fan-on hours", 2, kAnyIndex, kAlways },
};
const CStatisticsCounter kBusFanKitCounters[] = {
    { L"Fan-on cycles", 20, kAnyIndex, kAlways },
    { L"Fan-on hours", 21, kAnyIndex, kAlways },
};
const CStatisticsCounter kIfSlot1Counters[] = {
    { L"Power-on cycles", 7, kAnyIndex, kAlways },
    { L"Power-on hours", 8, kAnyIndex, kAlways },
};
const CStatisticsCounter kIfSlot2Counters[] = {
    { L"Power-on cycles", 15, kAnyIndex, kAlways },
    { L"Power-on hours", 16, kAnyIndex, kAlways },
};
const CStatisticsCounter kIoBoardCounters[] = {
    { L"Power-on cycles", 9, kAnyIndex, kAlways },
    { L"Power-on hours", 10, kAnyIndex, kAlways },
};
// Power-on counters exist only for panel 15 of types 19 and 21; the backlight counters
// address whichever panel the group has selected.
const CStatisticsCounter kPanelCounters[] = {
    { L"Power-on cycles", 22, 15, { CTypeGate::kOnlyOn, { { 19, 21 } } } },
    { L"Power-on hours", 23, 15, { CTypeGate::kOnlyOn, { { 19, 21 } } } },
    { L"Backlight-on cycles", 3, kAnyIndex, kAlways },
    { L"Backlight-on hours", 4, kAnyIndex, kAlways },
};
const CStatisticsCounter kSystemUnitCounters[] = {
    { L"Power-on cycles", 0, kAnyIndex, { CTypeGate::kNotOn, { { 11, 9 } } } },
    { L"Power-on hours", 1, kAnyIndex, kAlways },
    { L"Fan-on hours", 2, kAnyIndex,
      { CTypeGate::kNotOn, { { 9, 11, 15, 16, 17, 18, 19, 20, 21 } } } },
};
const CStatisticsCounter kUpsCounters[] = {
    { L"On-battery cycles", 18, kAnyIndex, kAlways },
    { L"On-battery hours", 19, kAnyIndex, kAlways },
};

}  // namespace

const CStatisticsMember kStatisticsBusUnit = { kBusUnitCounters, std::size(kBusUnitCounters),
                                               false };
const CStatisticsMember kStatisticsCpuBoard = { kCpuBoardCounters, std::size(kCpuBoardCounters),
                                                true };
const CStatisticsMember kStatisticsDisplayLink = { kDisplayLinkCounters,
                                                   std::size(kDisplayLinkCounters), false };
const CStatisticsMember kStatisticsCaseFanKit = { kCaseFanKitCounters,
                                                  std::size(kCaseFanKitCounters), false };
const CStatisticsMember kStatisticsBusFanKit = { kBusFanKitCounters,
                                                 std::size(kBusFanKitCounters), false };
const CStatisticsMember kStatisticsIfBoards[2] = {
    { kIfSlot1Counters, std::size(kIfSlot1Counters), false },
    { kIfSlot2Counters, std::size(kIfSlot2Counters), false },
};
const CStatisticsMember kStatisticsIoBoard = { kIoBoardCounters, std::size(kIoBoardCounters),
                                               true };
const CStatisticsMember kStatisticsPanel = { kPanelCounters, std::size(kPanelCounters), false };
const CStatisticsMember kStatisticsSystemUnit = { kSystemUnitCounters,
                                                  std::size(kSystemUnitCounters), false };
const CStatisticsMember kStatisticsUps = { kUpsCounters, std::size(kUpsCounters), false };

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
    for (size_t i = 0; i < member.nCounters; ++i)
    {
        const CStatisticsCounter& counter = member.pCounters[i];
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
