// The "Operating system" text as a pure function of the Windows version data.
#include "groups/OsVersionText.h"

#include "framework/Text.h"
#include "report/XmlReport.h"

#include <cwchar>
#include <iterator>

namespace
{

const wchar_t kUnknownSystem[] = L"Unknown Microsoft operating system";

const WORD kArchX86 = 0;
const WORD kArchItanium = 6;
const WORD kArchX64 = 9;

const BYTE kWorkstation = 1;  // VER_NT_WORKSTATION

const WORD kSuiteEnterprise = 0x0002;
const WORD kSuiteComputeServer = 0x4000;
const WORD kSuiteDatacenter = 0x0080;
const WORD kSuiteEmbedded = 0x0040;
const WORD kSuitePersonal = 0x0200;
const WORD kSuiteBlade = 0x0400;
const WORD kSuiteStorageServer = 0x2000;

struct CEdition
{
    DWORD dwProductType;
    const wchar_t* pszText;
};

// GetProductInfo product types that name an edition; every other type appends nothing.
const CEdition kEditions[] = {
    { 1, L"Ultimate Edition" },
    { 2, L"Home Basic Edition" },
    { 3, L"Home Premium Edition" },
    { 4, L"Enterprise Edition" },
    { 6, L"Business Edition" },
    { 7, L"Standard Edition" },
    { 8, L"Datacenter Edition" },
    { 9, L"Small Business Server" },
    { 10, L"Enterprise Edition" },
    { 11, L"Starter Edition" },
    { 12, L"Datacenter Edition (core installation)" },
    { 13, L"Standard Edition (core installation)" },
    { 14, L"Enterprise Edition (core installation)" },
    { 15, L"Enterprise Edition for Itanium-based Systems" },
    { 17, L"Web Server Edition" },
    { 18, L"Cluster Server Edition" },
    { 25, L"Small Business Server Premium Edition" },
};

// A suite bit and the edition it names; the first row whose bit is set wins.
struct CSuiteEdition
{
    WORD wSuite;  // 0: the fallback, always taken
    const wchar_t* pszText;
};

const CSuiteEdition kServer2003Itanium[] = {
    { kSuiteDatacenter, L"Datacenter Edition for Itanium-based Systems" },
    { kSuiteEnterprise, L"Enterprise Edition for Itanium-based Systems" },
};
const CSuiteEdition kServer2003X64[] = {
    { kSuiteDatacenter, L"Datacenter x64 Edition" },
    { kSuiteEnterprise, L"Enterprise x64 Edition" },
    { 0, L"Standard x64 Edition" },
};
const CSuiteEdition kServer2003Other[] = {
    { kSuiteComputeServer, L"Compute Cluster Edition" },
    { kSuiteDatacenter, L"Datacenter Edition" },
    { kSuiteEnterprise, L"Enterprise Edition" },
    { kSuiteBlade, L"Web Edition" },
    { 0, L"Standard Edition" },
};
const CSuiteEdition kXpEditions[] = {
    { kSuitePersonal, L"Home Edition" },
    { kSuiteEmbedded, L"Embedded" },
    { 0, L"Professional" },
};
const CSuiteEdition kServer2000Editions[] = {
    { kSuiteDatacenter, L"Datacenter Server" },
    { kSuiteEnterprise, L"Advanced Server" },
    { 0, L"Server" },
};

template <size_t N>
void AppendSuiteEdition(const CSuiteEdition (&rows)[N], WORD wSuiteMask, std::wstring& text)
{
    for (const CSuiteEdition& row : rows)
    {
        if (row.wSuite == 0 || (wSuiteMask & row.wSuite) != 0)
        {
            text += row.pszText;
            return;
        }
    }
}

void AppendServer2003(const COsVersionData& data, std::wstring& text)
{
    const OSVERSIONINFOEXW& info = data.info;
    if (data.bServerR2)
        text += L"Microsoft Windows Server 2003 R2, ";
    else if ((info.wSuiteMask & kSuiteStorageServer) != 0)
        text += L"Microsoft Windows Storage Server 2003";
    else if (info.wProductType == kWorkstation && data.wArchitecture == kArchX64)
        text += L"Microsoft Windows XP Professional x64 Edition";
    else
        text += L"Microsoft Windows Server 2003, ";

    if (info.wProductType == kWorkstation)
        return;
    if (data.wArchitecture == kArchItanium)
        AppendSuiteEdition(kServer2003Itanium, info.wSuiteMask, text);
    else if (data.wArchitecture == kArchX64)
        AppendSuiteEdition(kServer2003X64, info.wSuiteMask, text);
    else
        AppendSuiteEdition(kServer2003Other, info.wSuiteMask, text);
}

void AppendVistaOr7(const COsVersionData& data, std::wstring& text)
{
    const OSVERSIONINFOEXW& info = data.info;
    const bool bWorkstation = info.wProductType == kWorkstation;
    if (info.dwMinorVersion == 0)
    {
        text += bWorkstation ? L"Microsoft Windows Vista " : L"Microsoft Windows Server 2008 ";
    }
    else if (bWorkstation)
    {
        text += L"Microsoft Windows 7 ";
        if ((info.wSuiteMask & kSuiteEmbedded) != 0)
            text += L"Embedded ";
    }
    else
    {
        text += L"Microsoft Windows Server 2008 R2 ";
    }
    if (data.bHasGetProductInfo)
        text += GetProductEditionText(data.dwProductInfoType);
}

}  // namespace

const wchar_t* GetProductEditionText(DWORD dwProductType)
{
    for (const CEdition& row : kEditions)
    {
        if (row.dwProductType == dwProductType)
            return row.pszText;
    }
    return L"";
}

bool NeedsProductInfo(const OSVERSIONINFOEXW& info)
{
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion == 6 &&
           info.dwMinorVersion <= 1;
}

bool NeedsProductName(const OSVERSIONINFOEXW& info)
{
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion == 6 &&
           info.dwMinorVersion >= 2;
}

std::wstring ComposeOsVersionText(const COsVersionData& data, DWORD* pdwStatus)
{
    const OSVERSIONINFOEXW& info = data.info;
    if (info.dwPlatformId != VER_PLATFORM_WIN32_NT)
    {
        *pdwStatus = kStatusFailed;
        return kUnknownSystem;
    }

    std::wstring text;
    const DWORD dwMajor = info.dwMajorVersion;
    const DWORD dwMinor = info.dwMinorVersion;
    if (dwMajor < 5 || dwMajor > 6)
        text += kUnknownSystem;
    else if (dwMajor == 6 && dwMinor >= 2)
        text += data.bHasProductName ? data.productName : std::wstring(kUnknownSystem);
    else if (dwMajor == 6)
        AppendVistaOr7(data, text);
    else if (dwMinor == 2)
        AppendServer2003(data, text);
    else if (dwMinor == 1)
    {
        text += L"Microsoft Windows XP ";
        AppendSuiteEdition(kXpEditions, info.wSuiteMask, text);
    }
    else if (dwMinor == 0)
    {
        text += L"Microsoft Windows 2000 ";
        if (info.wProductType == kWorkstation)
            text += L"Professional";
        else
            AppendSuiteEdition(kServer2000Editions, info.wSuiteMask, text);
    }
    // 5.3 and later minor versions of 5 name nothing.

    // The service-pack field need not be terminated within its 128 characters.
    const size_t nServicePack = wcsnlen(info.szCSDVersion, std::size(info.szCSDVersion));
    if (nServicePack > 0)
    {
        text += L' ';
        text.append(info.szCSDVersion, nServicePack);
    }
    text += StrFormat(L" (Build %d)", static_cast<int>(info.dwBuildNumber & 0xFFFF));
    if (dwMajor >= 6)
    {
        if (data.wArchitecture == kArchX64)
            text += L", 64-bit";
        else if (data.wArchitecture == kArchX86)
            text += L", 32-bit";
    }
    *pdwStatus = kStatusPassed;
    return text;
}
