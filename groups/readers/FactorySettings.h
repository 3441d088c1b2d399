// Factory-settings reader family: the ten identity tests of a plug-in module, driven by member tables.
#pragma once

#include <windows.h>

#include <span>

#include "groups/readers/Rows.h"

// Raw-block size by device type: the first rule whose chain the device has gives the size
// (0 = no "Raw data" test); when none does, the member's default size holds.
struct CRawSizeRule
{
    CTypeChain types;
    DWORD dwSize;
};

// One module's factory settings. The identity fields lie at consecutive ids from the base id
// (Device ID b, Compatibility ID b+1, Vendor ID b+2, Hardware revision b+3, Serial number b+4,
// Model number b+5, Parent Device ID b+6, Parent Compatibility ID b+7).
struct CFactoryMember
{
    DWORD dwBaseId;
    DWORD dwVersionId;
    DWORD dwRawId;
    DWORD dwRawSize;                   // when no raw rule matches; 0 = no "Raw data" test
    const wchar_t* pszRawDescription = nullptr;  // the "Raw data" description of regular members
    bool bRevisionAsString = false;    // Hardware revision through TivGetFactoryStringW
    CTypeChain versionLeftOutOn = {};  // no "Version" test on these types
    std::span<const CRawSizeRule> rawRules = {};  // checked in order before dwRawSize applies
    const wchar_t* const* ppszDescriptions = nullptr;  // ten descriptions in test order
};

// Descriptions that the factory settings of every module share.
extern const wchar_t kCompatibilityDescription[];
extern const wchar_t kParentDeviceDescription[];
extern const wchar_t kParentCompatibilityDescription[];

// The twelve regular members.
extern const CFactoryMember kFactoryBusUnit;
extern const CFactoryMember kFactoryCpuBoard;
extern const CFactoryMember kFactoryDisplayLink;
extern const CFactoryMember kFactoryDrives[2];         // slide-in drive 1, 2
extern const CFactoryMember kFactoryCaseFanKit;
extern const CFactoryMember kFactoryBusFanKit;
extern const CFactoryMember kFactoryIfBoards[2];       // IF board slot 1, 2
extern const CFactoryMember kFactoryIoBoard;
extern const CFactoryMember kFactoryMemoryModules[2];  // memory module 1, 2

// Writes the member's tests ("Version" to "Raw data", as its gates allow) into the open
// container, each begin-first with the failure rule.
void WriteFactorySettings(CTest& test, const CFactoryMember& member);
// The same for module number dwIndex (1 or 2) of a pair; any other number writes nothing.
void WriteFactorySettings(CTest& test, const CFactoryMember (&members)[2], DWORD dwIndex);
