// Memory group: physical and paging memory from one memory status, and the memory modules' factory settings.
#include "groups/TestMemory.h"

#include "framework/Text.h"
#include "groups/MemoryFigures.h"
#include "groups/readers/FactorySettings.h"
#include "groups/readers/Reading.h"

namespace
{

// Presence values of memory module 1 and 2.
const DWORD kModulePresenceIds[2] = { 64, 60 };

// The figure as a Passed result, or the status call's failure.
void WriteFigure(CTest& test, const wchar_t* pszName, const CMemoryStatus& status,
                 CMemoryFigure (*pfnFigure)(const MEMORYSTATUSEX&))
{
    WriteTest(test, pszName, L"", [&] {
        if (!status.bOk)
            return Failure(status.dwError);
        CMemoryFigure figure = pfnFigure(status.data);
        return Value(figure.text, figure.dwFormat);
    }());
}

}  // namespace

CMemoryStatus ReadMemoryStatus()
{
    CMemoryStatus status = {};
    status.data.dwLength = sizeof status.data;
    status.bOk = GlobalMemoryStatusEx(&status.data) != FALSE;
    if (!status.bOk)
        status.dwError = GetLastError();
    return status;
}

void WritePhysicalMemory(CTest& test, const CMemoryStatus& status)
{
    WriteFigure(test, L"Total", status,
                [](const MEMORYSTATUSEX& m) { return FormatPhysicalTotal(m.ullTotalPhys); });
    WriteFigure(test, L"Free", status,
                [](const MEMORYSTATUSEX& m) { return FormatPhysicalFree(m.ullAvailPhys); });
    WriteFigure(test, L"Usage", status, [](const MEMORYSTATUSEX& m) {
        return CMemoryFigure{ StrFormat(L"%d", static_cast<int>(m.dwMemoryLoad)),
                              kFormatPercent };
    });
}

void WritePagingMemory(CTest& test, const CMemoryStatus& status)
{
    WriteFigure(test, L"Paging file", status, [](const MEMORYSTATUSEX& m) {
        return FormatPagingFile(m.ullTotalPageFile, m.ullTotalPhys);
    });
    WriteFigure(test, L"Total", status,
                [](const MEMORYSTATUSEX& m) { return FormatPagingSize(m.ullTotalPageFile); });
    WriteFigure(test, L"Free", status,
                [](const MEMORYSTATUSEX& m) { return FormatPagingSize(m.ullAvailPageFile); });
    WriteFigure(test, L"Usage", status, [](const MEMORYSTATUSEX& m) {
        return FormatPagingUsage(m.ullTotalPageFile, m.ullAvailPageFile);
    });
}

void CTestMemory::Run()
{
    m_pReport->BeginTestGroup(L"Memory",
                              L"Contains tests of memory related items like the available "
                              L"physical RAM.",
                              L"Physical Memory", nullptr);
    const CMemoryStatus status = ReadMemoryStatus();
    WritePhysicalMemory(*this, status);

    // Chains of lazy checks: while the type cannot be read, each check asks again.
    if (IsDeviceTypeIn(m_Library, { 15, 16, 17 }))
    {
        m_pReport->NextCategory(L"Factory Settings", nullptr);
        TestModuleFactorySettings(1);
    }
    if (IsDeviceTypeIn(m_Library, { 18, 19 }))
    {
        for (DWORD dwModule = 1; dwModule <= 2; ++dwModule)
        {
            if (!IsPresent(m_Library, kModulePresenceIds[dwModule - 1]))
                continue;
            std::wstring category = StrFormat(L"Memory Module %d", static_cast<int>(dwModule));
            m_pReport->NextCategory(category.c_str(), L"Factory Settings");
            TestModuleFactorySettings(dwModule);
        }
    }

    m_pReport->NextCategory(L"Paging Memory", nullptr);
    WritePagingMemory(*this, status);
    m_pReport->EndTestGroup();
}

void CTestMemory::TestModuleFactorySettings(DWORD dwModule)
{
    WriteFactorySettings(*this, kFactoryMemoryModules, dwModule);
}
