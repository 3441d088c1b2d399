// Statistics reader family: operating counters of a module, driven by member tables.
#pragma once

#include <windows.h>

#include <span>

#include "groups/readers/Reading.h"

// Index that every call satisfies (counters without an index condition).
const DWORD kAnyIndex = 0xFFFFFFFF;

// One counter: its test name, statistics value id and when it is written. The index
// condition is checked first (so no type is read for another index), then the type gate.
struct CStatisticsCounter
{
    const wchar_t* pszName;
    DWORD dwId;
    DWORD dwOnlyForIndex = kAnyIndex;  // or the one index argument that writes this counter
    CTypeGate gate = kAlways;
};

struct CStatisticsMember
{
    std::span<const CStatisticsCounter> counters;
    bool bTwoByteOnly;  // one 2-byte read; else a 4-byte read with the 2-byte retry on 87
};

extern const CStatisticsMember kStatisticsBusUnit;
extern const CStatisticsMember kStatisticsCpuBoard;
extern const CStatisticsMember kStatisticsDisplayLink;
extern const CStatisticsMember kStatisticsCaseFanKit;
extern const CStatisticsMember kStatisticsBusFanKit;
extern const CStatisticsMember kStatisticsIfBoards[2];  // IF board slot 1, 2
extern const CStatisticsMember kStatisticsIoBoard;
extern const CStatisticsMember kStatisticsPanel;       // takes the panel index
extern const CStatisticsMember kStatisticsSystemUnit;
extern const CStatisticsMember kStatisticsUps;

// Writes the member's counters into the open container, each begin-first: "%u", Dec, Passed;
// a failed read gives the failure rule. dwIndex is the panel index for kStatisticsPanel.
void WriteStatistics(CTest& test, const CStatisticsMember& member, DWORD dwIndex = kAnyIndex);
// The member of slot dwIndex (1 or 2) of a pair; any other slot writes nothing.
void WriteStatistics(CTest& test, const CStatisticsMember (&members)[2], DWORD dwIndex);

// One counter read: a 4-byte read, and on error 87 the same id again with 2 bytes (or the
// 2-byte read alone). The failure carries the error of the last call made.
CReading ReadCounter(CTivLibrary& library, DWORD dwId, bool bTwoByteOnly);
