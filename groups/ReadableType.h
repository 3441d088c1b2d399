// The gate of the groups that are written on every device whose type can be read.
#pragma once

#include "device/TivLibrary.h"

// True when the device type is known: the lazy check reads it into the cache while the cache is
// 0 (the code compared with does not matter), and a read that fails or yields 0 leaves it 0.
inline bool HasReadableDeviceType(CTivLibrary& library)
{
    library.IsDeviceType(0);
    return library.m_dwDeviceType != 0;
}
