// The "Operating system" text as a pure function of the Windows version data.
#pragma once

#include <windows.h>

#include <string>

// What the version text is composed from. The caller fills in what the running system tells;
// tests fill it in for any Windows version.
struct COsVersionData
{
    OSVERSIONINFOEXW info;        // as GetVersionExW left it (extended fields 0 when only the short form worked)
    WORD wArchitecture;           // native processor architecture: 0 x86, 6 Itanium, 9 x64
    BOOL bServerR2;               // GetSystemMetrics(SM_SERVERR2) != 0
    BOOL bHasGetProductInfo;      // GetProductInfo exists (used for 6.0 and 6.1 only)
    DWORD dwProductInfoType;      // what it returned; 0 when the call failed
    BOOL bHasProductName;         // the registry's ProductName could be read (used from 6.2 on)
    std::wstring productName;
};

// Which of the run-time answers the composition needs for this version: GetProductInfo only on
// 6.0 and 6.1, the registry product name only on 6.2 and later (both NT only).
bool NeedsProductInfo(const OSVERSIONINFOEXW& info);
bool NeedsProductName(const OSVERSIONINFOEXW& info);

// The version text and its status: Passed for the NT platform, Failed (with the unknown-system
// text) for any other platform.
std::wstring ComposeOsVersionText(const COsVersionData& data, DWORD* pdwStatus);

// The edition that GetProductInfo's product type names; "" for types without one.
const wchar_t* GetProductEditionText(DWORD dwProductType);
