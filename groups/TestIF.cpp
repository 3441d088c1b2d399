// IF boards group: factory settings, temperatures and counters of each occupied IF slot.
#include "groups/TestIF.h"

#include "groups/SlotWalk.h"
#include "groups/readers/FactorySettings.h"
#include "groups/readers/Reading.h"
#include "groups/readers/Statistics.h"
#include "groups/readers/TemperatureFan.h"

namespace
{

const CSlotWalk kIfWalk = {
    L"IF Boards",
    L"Contains tests of IF board related items like factory settings or statistics.",
    L"IF Board %d",
    { 57, 59 },
    &CTivLibrary::FindFirstIfBoardSlot,
};

}  // namespace

void CTestIF::Run()
{
    if (!IsDeviceTypeIn(m_Library, { 15, 16, 17, 18, 19, 20, 21 }))
        return;
    WriteSlotWalk(*this, kIfWalk, [this](DWORD dwSlot) {
        m_pReport->NextSubCategory(L"Factory Settings");
        WriteFactorySettings(*this, kFactoryIfBoards, dwSlot);
        // The sensors carry no slot number: every slot shows the same four. The member opens
        // "Temperatures" itself, and only when a sensor reads.
        if (IsDeviceTypeIn(m_Library, { 16, 17, 15 }))
            WriteSensors(*this, kTemperaturesIfBoard);
        m_pReport->NextSubCategory(L"Statistics");
        WriteStatistics(*this, kStatisticsIfBoards, dwSlot);
    });
}
