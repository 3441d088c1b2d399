// Memory group: physical and paging memory from one memory status, and the memory modules' factory settings.
#pragma once

#include <windows.h>

#include "app/GroupBase.h"

// The one memory status a run reads, or the error of the call that could not read it.
struct CMemoryStatus
{
    bool bOk;
    DWORD dwError;       // when !bOk: the last error right after the failed call
    MEMORYSTATUSEX data;
};

CMemoryStatus ReadMemoryStatus();

// The tests of "Physical Memory" ("Total", "Free", "Usage") and of "Paging Memory" ("Paging
// file", "Total", "Free", "Usage") from a status; with no status, each test takes the failure
// rule with the status call's error.
void WritePhysicalMemory(CTest& test, const CMemoryStatus& status);
void WritePagingMemory(CTest& test, const CMemoryStatus& status);

class CTestMemory : public CTest
{
public:
    explicit CTestMemory(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;

    void TestModuleFactorySettings(DWORD dwModule);
};
