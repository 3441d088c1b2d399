// The walk over the two numbered module positions of the slide-in drive and IF board groups.
#pragma once

#include <windows.h>

#include <functional>

#include "app/GroupBase.h"

// A group of up to two modules in positions 1 and 2, one category per present position.
struct CSlotWalk
{
    const wchar_t* pszGroupName;
    const wchar_t* pszGroupDescription;
    const wchar_t* pszCategoryFormat;  // category of a position; "%d" takes its number
    DWORD presenceIds[2];              // hardware values of positions 1 and 2 (non-zero: present)
    BOOL (CTivLibrary::*pfnFindFirst)(DWORD* pdwSlot);  // the first present position
};

// Called after the group's own type gate. Nothing is written unless the device query finds a
// present position F. The group then begins with F's category (no subcategory opened) and
// walks F..2, reading each position's presence again: a position that now reads absent is
// skipped (so F's category may stay empty), every later present position opens the next
// category, and writeSlot(n) writes position n's subcategories. Ends the group.
void WriteSlotWalk(CTest& test, const CSlotWalk& walk, const std::function<void(DWORD)>& writeSlot);
