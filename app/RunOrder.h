// The seventeen test-group places in the order the scan runs them.
#pragma once

#include "app/GroupBase.h"

#include <new>

struct CGroupPlace
{
    const wchar_t* pszClass;                   // the group's class name
    CTest* (*pfnCreate)(CXmlReport* pReport);  // NULL while the place is empty
};

// Creates a group; NULL when it cannot be created (the place is then skipped).
template <typename TGroup>
CTest* CreateGroup(CXmlReport* pReport)
{
    return new (std::nothrow) TGroup(pReport);
}

extern const CGroupPlace kRunOrder[17];
