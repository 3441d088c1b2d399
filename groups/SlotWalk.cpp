// The walk over the two numbered module positions of the slide-in drive and IF board groups.
#include "groups/SlotWalk.h"

#include "framework/Text.h"
#include "groups/readers/Reading.h"

namespace
{

const wchar_t kManualSubCategories[] = L"MANUALSUBCATS";

}  // namespace

void WriteSlotWalk(CTest& test, const CSlotWalk& walk, const std::function<void(DWORD)>& writeSlot)
{
    DWORD dwFirst = 0;
    if (!(test.m_Library.*walk.pfnFindFirst)(&dwFirst))
        return;
    test.m_pReport->BeginTestGroup(walk.pszGroupName, walk.pszGroupDescription,
                                   StrFormat(walk.pszCategoryFormat, dwFirst).c_str(),
                                   kManualSubCategories);
    for (DWORD dwSlot = dwFirst; dwSlot <= 2; ++dwSlot)
    {
        if (!IsPresent(test.m_Library, walk.presenceIds[dwSlot - 1]))
            continue;
        if (dwSlot != dwFirst)
        {
            test.m_pReport->NextCategory(StrFormat(walk.pszCategoryFormat, dwSlot).c_str(),
                                         kManualSubCategories);
        }
        writeSlot(dwSlot);
    }
    test.m_pReport->EndTestGroup();
}
