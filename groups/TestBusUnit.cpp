// Bus-unit group: the bus unit's factory settings and counters, on the device types that carry one.
#include "groups/TestBusUnit.h"

#include "groups/readers/FactorySettings.h"
#include "groups/readers/Reading.h"
#include "groups/readers/Statistics.h"

namespace
{

const DWORD kBusUnitPresenceId = 65;

}  // namespace

void CTestBusUnit::Run()
{
    // A chain of lazy checks: while the type cannot be read, each check asks again. The
    // presence value is read only on a type that can carry a bus unit.
    if (!IsDeviceTypeIn(m_Library, { 18, 19 }) || !IsPresent(m_Library, kBusUnitPresenceId))
        return;
    m_pReport->BeginTestGroup(L"Bus Unit",
                              L"Contains tests of bus unit related items like factory settings or "
                              L"statistics.",
                              L"Factory Settings", nullptr);
    TestFactorySettings();
    m_pReport->NextCategory(L"Statistics", nullptr);
    TestStatistics();
    m_pReport->EndTestGroup();
}

void CTestBusUnit::TestFactorySettings()
{
    WriteFactorySettings(*this, kFactoryBusUnit);
}

void CTestBusUnit::TestStatistics()
{
    WriteStatistics(*this, kStatisticsBusUnit);
}
