// I/O board group: FPGA firmware, factory settings, temperatures and counters of the I/O board.
#include "groups/TestIO.h"

#include "groups/readers/FactorySettings.h"
#include "groups/readers/Reading.h"
#include "groups/readers/Statistics.h"
#include "groups/readers/TemperatureFan.h"
#include "groups/readers/VoltageFirmware.h"

namespace
{

// Hardware value that is non-zero when an I/O board is fitted.
const DWORD kIoBoardPresenceId = 58;

}  // namespace

void CTestIO::Run()
{
    // Only these types can carry the board; its presence is read only on them.
    if (!IsDeviceTypeIn(m_Library, { 15, 16, 17 }) || !IsPresent(m_Library, kIoBoardPresenceId))
        return;
    m_pReport->BeginTestGroup(L"I/O Board",
                              L"Contains tests of I/O related items like factory settings or "
                              L"statistics.",
                              L"Firmware", nullptr);
    TestFirmware();
    m_pReport->NextCategory(L"Factory Settings", nullptr);
    TestFactorySettings();
    // Opened whatever the sensors give, so it may stand empty.
    m_pReport->NextCategory(L"Temperatures", nullptr);
    TestTemperatures();
    m_pReport->NextCategory(L"Statistics", nullptr);
    TestStatistics();
    m_pReport->EndTestGroup();
}

void CTestIO::TestFirmware()
{
    WriteFirmware(*this, kFirmwareIoBoard);
}

void CTestIO::TestFactorySettings()
{
    WriteFactorySettings(*this, kFactoryIoBoard);
}

void CTestIO::TestTemperatures()
{
    WriteSensors(*this, kTemperaturesIoBoard);
}

void CTestIO::TestStatistics()
{
    WriteStatistics(*this, kStatisticsIoBoard);
}
