// Slide-in drives group: factory settings and temperature of each present drive.
#include "groups/TestDrive.h"

#include "groups/SlotWalk.h"
#include "groups/readers/FactorySettings.h"
#include "groups/readers/Reading.h"
#include "groups/readers/TemperatureFan.h"

namespace
{

// The description names statistics although the group writes none; it is the report's text.
const CSlotWalk kDriveWalk = {
    L"Slide-In Drives",
    L"Contains tests of slide-in drive related items like factory settings or statistics.",
    L"Slide-In Drive %d",
    { 62, 63 },
    &CTivLibrary::FindFirstDriveSlot,
};

}  // namespace

void CTestDrive::Run()
{
    if (!IsDeviceTypeIn(m_Library, { 18, 19 }))
        return;
    WriteSlotWalk(*this, kDriveWalk, [this](DWORD dwDrive) {
        m_pReport->NextSubCategory(L"Factory Settings");
        WriteFactorySettings(*this, kFactoryDrives, dwDrive);
        // Opened before the reading, so an unreadable temperature leaves it empty.
        m_pReport->NextSubCategory(L"Temperatures");
        WriteSensors(*this, kTemperatureDrives, dwDrive);
    });
}
