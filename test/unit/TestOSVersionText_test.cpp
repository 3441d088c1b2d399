// Operating-system group: the version text for each Windows version, and the key=value file.
#include "groups/OsVersionText.h"
#include "groups/TestOS.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace
{

const WORD kX86 = 0, kItanium = 6, kX64 = 9;
const BYTE kWork = 1, kServer = 3;
const DWORD NT = VER_PLATFORM_WIN32_NT;

// A version and the text expected of it; a NULL product name: the registry's cannot be read.
struct CVersionCase
{
    DWORD dwPlatform, dwMajor, dwMinor, dwBuild; const wchar_t* pszServicePack; WORD wSuite; BYTE byProductType; WORD wArch;
    BOOL bServerR2, bHasGetProductInfo; DWORD dwProductInfoType; const wchar_t *pszProductName, *pszExpected; DWORD dwStatus;
};

// The versions where a rule of the text changes, with the odd spacing each rule leaves.
const CVersionCase kVersionCases[] = {
    { NT, 5, 1, 2600, L"Service Pack 3", 0x100, kWork, kX86, 0, 0, 0, nullptr,
      L"Microsoft Windows XP Professional Service Pack 3 (Build 2600)", 0 },
    { NT, 5, 1, 2600, L"", 0x200, kWork, kX86, 0, 0, 0, nullptr, L"Microsoft Windows XP Home Edition (Build 2600)", 0 },
    { NT, 5, 0, 2195, L"", 0x2, kServer, kX86, 0, 0, 0, nullptr, L"Microsoft Windows 2000 Advanced Server (Build 2195)", 0 },
    { NT, 5, 2, 3790, L"Service Pack 2", 0x0, kServer, kX86, TRUE, 0, 0, nullptr,
      L"Microsoft Windows Server 2003 R2, Standard Edition Service Pack 2 (Build 3790)", 0 },
    { NT, 5, 2, 3790, L"Service Pack 1", 0x2, kServer, kX64, 0, 0, 0, nullptr,
      L"Microsoft Windows Server 2003, Enterprise x64 Edition Service Pack 1 (Build 3790)", 0 },
    { NT, 5, 2, 3790, L"", 0, kServer, kItanium, 0, 0, 0, nullptr, L"Microsoft Windows Server 2003,  (Build 3790)", 0 },
    { NT, 5, 2, 3790, L"", 0x2002, kServer, kX86, 0, 0, 0, nullptr,
      L"Microsoft Windows Storage Server 2003Enterprise Edition (Build 3790)", 0 },
    { NT, 5, 2, 3790, L"Service Pack 2", 0, kWork, kX64, 0, 0, 0, nullptr,
      L"Microsoft Windows XP Professional x64 Edition Service Pack 2 (Build 3790)", 0 },
    { NT, 6, 0, 6002, L"Service Pack 2", 0x100, kWork, kX86, 0, TRUE, 1, nullptr,
      L"Microsoft Windows Vista Ultimate Edition Service Pack 2 (Build 6002), 32-bit", 0 },
    { NT, 6, 0, 6000, L"", 0, kWork, kX86, 0, FALSE, 1, nullptr, L"Microsoft Windows Vista  (Build 6000), 32-bit", 0 },
    { NT, 6, 0, 6001, L"Service Pack 1", 0, kServer, kX64, 0, TRUE, 13, nullptr,
      L"Microsoft Windows Server 2008 Standard Edition (core installation) Service Pack 1 (Build 6001), 64-bit", 0 },
    { NT, 6, 1, 7601, L"Service Pack 1", 0x40, kWork, kX64, 0, TRUE, 1, nullptr,
      L"Microsoft Windows 7 Embedded Ultimate Edition Service Pack 1 (Build 7601), 64-bit", 0 },
    { NT, 6, 1, 7600, L"", 0, kServer, kItanium, 0, TRUE, 15, nullptr,
      L"Microsoft Windows Server 2008 R2 Enterprise Edition for Itanium-based Systems (Build 7600)", 0 },
    { NT, 6, 2, 9200, L"", 0x100, kWork, kX64, 0, TRUE, 48, L"Windows 10 Pro", L"Windows 10 Pro (Build 9200), 64-bit", 0 },
    { NT, 6, 3, 9600, L"", 0, kWork, kX86, 0, TRUE, 48, nullptr,
      L"Unknown Microsoft operating system (Build 9600), 32-bit", 0 },
    { NT, 10, 0, 19045, L"", 0, kWork, kX64, 0, TRUE, 48, L"Windows 10 Pro",
      L"Unknown Microsoft operating system (Build 19045), 64-bit", 0 },
    { NT, 4, 0, 1381, L"Service Pack 6", 0, kWork, kX86, 0, 0, 0, nullptr,
      L"Unknown Microsoft operating system Service Pack 6 (Build 1381)", 0 },
    { NT, 5, 3, 4000, L"", 0, kWork, kX86, 0, 0, 0, nullptr, L" (Build 4000)", 0 },
    // Only the low 16 bits of the build number count.
    { NT, 5, 1, 0x0A280A28, L"", 0, kWork, kX86, 0, 0, 0, nullptr, L"Microsoft Windows XP Professional (Build 2600)", 0 },
    { VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222, L"A", 0, 0, kX86, 0, 0, 0, nullptr, L"Unknown Microsoft operating system", 1 },
};

COsVersionData MakeData(const CVersionCase& c)
{
    COsVersionData data = { { sizeof(OSVERSIONINFOEXW), c.dwMajor, c.dwMinor, c.dwBuild, c.dwPlatform, {}, 0, 0, c.wSuite,
                              c.byProductType, 0 },
                            c.wArch, c.bServerR2, c.bHasGetProductInfo, c.dwProductInfoType, c.pszProductName != nullptr,
                            c.pszProductName != nullptr ? c.pszProductName : L"" };
    wcscpy(data.info.szCSDVersion, c.pszServicePack);
    return data;
}

std::wstring Ansi(const char* pszText)
{
    wchar_t szText[8] = {};
    MultiByteToWideChar(CP_ACP, 0, pszText, -1, szText, 8);
    return szText;
}

}  // namespace

TEST(OsVersionText, EveryVersionRule)
{
    for (const CVersionCase& c : kVersionCases)
    {
        DWORD dwStatus = 99;
        EXPECT_EQ(ComposeOsVersionText(MakeData(c), &dwStatus), c.pszExpected);
        EXPECT_EQ(dwStatus, c.dwStatus) << testing::PrintToString(std::wstring(c.pszExpected));
    }
}

TEST(OsVersionText, ServicePackWithoutTerminatorStaysInItsField)
{
    COsVersionData data = MakeData(kVersionCases[0]);
    std::fill(std::begin(data.info.szCSDVersion), std::end(data.info.szCSDVersion), L'x');
    // The structure's next field is not text; the service pack must end at 128 characters.
    data.info.wServicePackMajor = 0x4141;
    DWORD dwStatus = 0;
    EXPECT_EQ(ComposeOsVersionText(data, &dwStatus),
              L"Microsoft Windows XP Professional " + std::wstring(128, L'x') + L" (Build 2600)");
}

TEST(OsVersionText, OnlyTheVersionsThatUseThemAskForProductInfoAndName)
{
    struct { DWORD dwPlatform, dwMajor, dwMinor; bool bInfo, bName; } const rows[] = {
        { NT, 5, 1, false, false }, { NT, 6, 0, true, false }, { NT, 6, 1, true, false }, { NT, 6, 2, false, true },
        { NT, 6, 3, false, true }, { NT, 10, 0, false, false }, { VER_PLATFORM_WIN32_WINDOWS, 6, 2, false, false },
    };
    for (const auto& row : rows)
    {
        OSVERSIONINFOEXW info = {};
        info.dwPlatformId = row.dwPlatform;
        info.dwMajorVersion = row.dwMajor;
        info.dwMinorVersion = row.dwMinor;
        EXPECT_EQ(NeedsProductInfo(info), row.bInfo) << row.dwMajor << "." << row.dwMinor;
        EXPECT_EQ(NeedsProductName(info), row.bName) << row.dwMajor << "." << row.dwMinor;
    }
}

TEST(KeyValueFile, LinesAndTheirParts)
{
    struct { std::string bytes; std::vector<std::pair<std::wstring, std::wstring>> expected; } const cases[] = {
        // Sections and empty lines skipped; the first equals sign splits; an empty key or value stays.
        { "[Main]\r\nPath=C:\\a=b\r\n\r\n=x\nKey=\n", { { L"Path", L"C:\\a=b" }, { L"", L"x" }, { L"Key", L"" } } },
        { " a = b \t\r\n", { { L" a ", L" b \t" } } },                 // nothing trimmed
        { "A=1\r\nB=2", { { L"A", L"1" }, { L"B", L"2" } } },          // last line without line end
        { "", {} },
        { "A=1\rB=2\n", { { L"A", L"1\rB=2" } } },                     // a lone CR is part of the line
        { "Key\n=v\n", { { L"", L"v" } } },                            // an equals sign after the line end
        { "A=1\r\nB=2\x1A\r\nC=3\r\n", { { L"A", L"1" }, { L"B", L"2" } } },  // a Ctrl-Z ends the text
        { "\x1A" "A=1\r\n", {} },
        { "K\xE4=\xFC\xDF", { { Ansi("K\xE4"), Ansi("\xFC\xDF") } } },  // bytes above 127: the ANSI code page
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.bytes);
        std::vector<CKeyValueLine> lines = ParseKeyValueText(c.bytes);
        ASSERT_EQ(lines.size(), c.expected.size());
        for (size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(std::make_pair(lines[i].key, lines[i].value), c.expected[i]);
    }
}

TEST(KeyValueFile, PathFromSystemDrive)
{
    wchar_t szOld[300] = {};
    DWORD nOld = GetEnvironmentVariableW(L"SystemDrive", szOld, 300);
    std::wstring path;
    SetEnvironmentVariableW(L"SystemDrive", nullptr);
    ASSERT_TRUE(GetRuntimeIniPath(path));
    EXPECT_EQ(path, L"C:\\DAZIRAVAZ.INI");
    // The whole path must stay below 260 characters.
    SetEnvironmentVariableW(L"SystemDrive", std::wstring(245, L'x').c_str());
    EXPECT_TRUE(GetRuntimeIniPath(path));
    SetEnvironmentVariableW(L"SystemDrive", std::wstring(246, L'x').c_str());
    EXPECT_FALSE(GetRuntimeIniPath(path));
    SetEnvironmentVariableW(L"SystemDrive", nOld > 0 ? szOld : nullptr);
}
