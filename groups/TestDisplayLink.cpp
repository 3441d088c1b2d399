// Display-link group: FPGA firmware, factory settings, counters and temperatures of the display link.
#include "groups/TestDisplayLink.h"

#include "groups/readers/FactorySettings.h"
#include "groups/readers/Reading.h"
#include "groups/readers/Statistics.h"
#include "groups/readers/TemperatureFan.h"
#include "groups/readers/VoltageFirmware.h"

namespace
{

// Hardware value that is non-zero when a display link is fitted.
const DWORD kDisplayLinkPresenceId = 18;

}  // namespace

void CTestDisplayLink::Run()
{
    // Only these types can carry a display link; its presence is read only on them.
    if (!IsDeviceTypeIn(m_Library, { 18, 20 }) || !IsPresent(m_Library, kDisplayLinkPresenceId))
        return;
    m_pReport->BeginTestGroup(L"Display Link",
                              L"Contains tests of Display Link related items like factory "
                              L"settings or statistics.",
                              L"Firmware", nullptr);
    TestFirmware();
    m_pReport->NextCategory(L"Factory Settings", nullptr);
    TestFactorySettings();
    m_pReport->NextCategory(L"Statistics", nullptr);
    TestStatistics();
    // The display link of type 20 has no sensors; on 18 the category is opened before any
    // sensor reads, so it may stand empty.
    if (!m_Library.IsDeviceType(20))
    {
        m_pReport->NextCategory(L"Temperatures", nullptr);
        TestTemperatures();
    }
    m_pReport->EndTestGroup();
}

void CTestDisplayLink::TestFirmware()
{
    WriteFirmware(*this, kFirmwareDisplayLink);
}

void CTestDisplayLink::TestFactorySettings()
{
    WriteFactorySettings(*this, kFactoryDisplayLink);
}

void CTestDisplayLink::TestStatistics()
{
    WriteStatistics(*this, kStatisticsDisplayLink);
}

void CTestDisplayLink::TestTemperatures()
{
    WriteSensors(*this, kTemperaturesDisplayLink);
}
