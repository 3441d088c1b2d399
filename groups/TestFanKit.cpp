// Fan kits group: factory settings, counters and fan speeds of the case and bus fan kits.
#include "groups/TestFanKit.h"

#include "groups/readers/FactorySettings.h"
#include "groups/readers/Reading.h"
#include "groups/readers/Statistics.h"
#include "groups/readers/TemperatureFan.h"

namespace
{

struct CFanKit
{
    const wchar_t* pszCategory;
    DWORD dwPresenceId;
    const CFactoryMember& factory;
    const CStatisticsMember& statistics;
    const CSensorMember& fans;
};

// In report order.
const CFanKit kFanKits[] = {
    { L"Case Fan Kit", 61, kFactoryCaseFanKit, kStatisticsCaseFanKit, kFanSpeedsCaseFanKit },
    { L"Bus Fan Kit", 66, kFactoryBusFanKit, kStatisticsBusFanKit, kFanSpeedsBusFanKit },
};

const wchar_t kManualSubCategories[] = L"MANUALSUBCATS";

}  // namespace

void CTestFanKit::Run()
{
    if (!IsDeviceTypeIn(m_Library, { 18, 19, 20, 21 }))
        return;
    // The bus kit is asked only when the case kit is absent.
    if (!IsPresent(m_Library, kFanKits[0].dwPresenceId) &&
        !IsPresent(m_Library, kFanKits[1].dwPresenceId))
        return;

    // Each kit's presence is read again; the group is begun by the first kit still present.
    bool bBegun = false;
    for (const CFanKit& kit : kFanKits)
    {
        if (!IsPresent(m_Library, kit.dwPresenceId))
            continue;
        if (bBegun)
        {
            m_pReport->NextCategory(kit.pszCategory, kManualSubCategories);
        }
        else
        {
            m_pReport->BeginTestGroup(
                L"Fan Kits",
                L"Contains tests of fan kit related items like factory settings or statistics.",
                kit.pszCategory, kManualSubCategories);
            bBegun = true;
        }
        m_pReport->NextSubCategory(L"Factory Settings");
        WriteFactorySettings(*this, kit.factory);
        m_pReport->NextSubCategory(L"Statistics");
        WriteStatistics(*this, kit.statistics);
        m_pReport->NextSubCategory(L"Fan Speeds");
        WriteSensors(*this, kit.fans);
    }
    if (bBegun)
        m_pReport->EndTestGroup();
}
