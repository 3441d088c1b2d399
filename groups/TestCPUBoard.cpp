// CPU-board group: the board type, and by device type its factory settings, counters, temperatures and voltages.
#include "groups/TestCPUBoard.h"

#include <iterator>

#include "groups/readers/FactorySettings.h"
#include "groups/readers/Reading.h"
#include "groups/readers/Statistics.h"
#include "groups/readers/TemperatureFan.h"
#include "groups/readers/VoltageFirmware.h"

namespace
{

// The board whose temperature types 6 and 7 can report.
const DWORD kBoardR563 = 3;

}  // namespace

void CTestCPUBoard::Run()
{
    // The type is read once up front: an unreadable type writes nothing, and every check
    // below compares the cached code.
    if (!HasReadableDeviceType(m_Library) ||
        !IsDeviceTypeIn(m_Library, { 6, 7, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21 }))
        return;
    m_pReport->BeginTestGroup(L"CPU Board",
                              L"A group of tests which are checking CPU board related items like "
                              L"board voltages or board temperatures.",
                              L"Identification", nullptr);
    TestType();
    if (IsDeviceTypeIn(m_Library, { 15, 16, 17, 18, 19 }))
    {
        m_pReport->NextCategory(L"Factory Settings", nullptr);
        TestFactorySettings();
    }
    if (IsDeviceTypeIn(m_Library, { 15, 16, 17 }))
    {
        m_pReport->NextCategory(L"Statistics", nullptr);
        TestStatistics();
    }
    if (HasTemperatures())
    {
        m_pReport->NextCategory(L"Temperatures", nullptr);
        TestTemperatures();
    }
    if (IsDeviceTypeIn(m_Library, { 6, 7 }))
    {
        m_pReport->NextCategory(L"Voltages", nullptr);
        TestVoltages();
    }
    if (IsDeviceTypeIn(m_Library, { 15, 16, 17, 18, 19 }))
    {
        m_pReport->NextCategory(L"Voltages", nullptr);
        TestPower();
    }
    m_pReport->EndTestGroup();
}

// Types 6 and 7 report a board temperature only with the R563 board; the board is asked
// about on those two types alone.
bool CTestCPUBoard::HasTemperatures()
{
    return IsDeviceTypeIn(m_Library, { 12, 13, 14 }) ||
           (m_Library.IsDeviceType(6) && m_Library.IsCpuBoardType(kBoardR563)) ||
           (m_Library.IsDeviceType(7) && m_Library.IsCpuBoardType(kBoardR563)) ||
           IsDeviceTypeIn(m_Library, { 15, 16, 17, 18, 19 });
}

void CTestCPUBoard::TestType()
{
    wchar_t szName[260] = {};
    BeginFirstTest(*this, L"Type", L"", [&] {
        DWORD dwCode = 0;
        if (!m_Library.GetCpuBoardType(&dwCode, szName))
            return Failure(GetLastError());
        // A known board by its short name, any other by the string the library gave.
        return Value(TextFromBuffer(szName, std::size(szName)), kFormatString);
    });
}

void CTestCPUBoard::TestFactorySettings()
{
    WriteFactorySettings(*this, kFactoryCpuBoard);
}

void CTestCPUBoard::TestStatistics()
{
    WriteStatistics(*this, kStatisticsCpuBoard);
}

void CTestCPUBoard::TestTemperatures()
{
    WriteSensors(*this, kTemperaturesCpuBoard);
}

void CTestCPUBoard::TestVoltages()
{
    WriteRows(*this, kVoltagesCpuBoard);
}

void CTestCPUBoard::TestPower()
{
    WriteRows(*this, kPowerCpuBoard);
}
