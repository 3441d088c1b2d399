// Operating-system group: Windows version text, the key=value file, registration, admin rights.
#include "groups/TestOS.h"

#include "device/Utilities.h"
#include "framework/Exports.h"
#include "framework/Handles.h"
#include "framework/Registry.h"
#include "groups/OsVersionText.h"
#include "groups/readers/Reading.h"

#include <algorithm>
#include <iterator>

namespace
{

const wchar_t kCurrentVersionKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const size_t kPathChars = 260;

// Registration values in report order: test name and registry value name.
struct CRegistrationValue
{
    const wchar_t* pszTest;
    const wchar_t* pszValue;
};

const CRegistrationValue kRegistrationValues[] = {
    { L"Product ID", L"ProductId" },
    { L"Registered organization", L"RegisteredOrganization" },
    { L"Registered owner", L"RegisteredOwner" },
};

// Looked up at run time rather than linked, so that a system without them still starts us.
const wchar_t kKernel32[] = L"kernel32.dll";
typedef void(WINAPI* PFN_GET_NATIVE_SYSTEM_INFO)(SYSTEM_INFO*);
typedef BOOL(WINAPI* PFN_GET_PRODUCT_INFO)(DWORD, DWORD, DWORD, DWORD, DWORD*);

std::wstring AnsiToWide(const char* pData, size_t nBytes)
{
    if (nBytes == 0)
        return std::wstring();
    int nChars = MultiByteToWideChar(CP_ACP, 0, pData, static_cast<int>(nBytes), nullptr, 0);
    std::wstring text(nChars > 0 ? nChars : 0, L'\0');
    if (nChars > 0)
        MultiByteToWideChar(CP_ACP, 0, pData, static_cast<int>(nBytes), &text[0], nChars);
    return text;
}

}  // namespace

std::vector<CKeyValueLine> ParseKeyValueText(const std::string& bytes)
{
    std::vector<CKeyValueLine> lines;
    // Text mode: a Ctrl-Z ends the file's text; nothing after it is read.
    const size_t nTextEnd = std::min(bytes.find('\x1A'), bytes.size());
    size_t nStart = 0;
    while (nStart < nTextEnd)
    {
        size_t nEnd = bytes.find('\n', nStart);
        if (nEnd >= nTextEnd)
            nEnd = std::string::npos;
        size_t nNext = nEnd == std::string::npos ? nTextEnd : nEnd + 1;
        if (nEnd == std::string::npos)
            nEnd = nTextEnd;
        // Text mode: a CR before the LF belongs to the line end.
        else if (nEnd > nStart && bytes[nEnd - 1] == '\r')
            --nEnd;
        const size_t nEquals = static_cast<size_t>(
            std::find(bytes.begin() + nStart, bytes.begin() + nEnd, '=') - bytes.begin());
        if (nEquals < nEnd)
        {
            lines.push_back({ AnsiToWide(bytes.data() + nStart, nEquals - nStart),
                              AnsiToWide(bytes.data() + nEquals + 1, nEnd - nEquals - 1) });
        }
        nStart = nNext;
    }
    return lines;
}

bool GetRuntimeIniPath(std::wstring& path)
{
    wchar_t szDrive[kPathChars] = {};
    DWORD n = GetEnvironmentVariableW(L"SystemDrive", szDrive, static_cast<DWORD>(kPathChars));
    if (n >= kPathChars)
        return false;
    path = n == 0 ? std::wstring(L"C:") : std::wstring(szDrive, n);
    path += L"\\DAZIRAVAZ.INI";
    return path.size() < kPathChars;
}

void CTestOS::Run()
{
    m_pReport->BeginTestGroup(
        L"Operating System",
        L"Contains tests of several operating system specific items like product ID, user "
        L"privileges or version numbers.",
        L"Version", nullptr);
    TestOperatingSystem();
    TestRuntimeIni();
    m_pReport->NextCategory(L"Registration Details", nullptr);
    TestRegistrationDetails();
    m_pReport->NextCategory(L"User Account", nullptr);
    TestAdministratorPrivileges();
    m_pReport->EndTestGroup();
}

void CTestOS::TestOperatingSystem()
{
    m_pReport->BeginTest(L"Operating system", L"");

    COsVersionData data = {};
    data.info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&data.info)))
    {
        data.info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&data.info)))
        {
            // No version data at all: the failure of the second call is the result.
            WriteReading(*this, Failure(GetLastError()));
            CloseTest(*this);
            return;
        }
    }

    SYSTEM_INFO system = {};
    auto pGetNativeSystemInfo =
        LookUpExport<PFN_GET_NATIVE_SYSTEM_INFO>(kKernel32, "GetNativeSystemInfo");
    if (pGetNativeSystemInfo != nullptr)
        pGetNativeSystemInfo(&system);
    else
        GetSystemInfo(&system);
    data.wArchitecture = system.wProcessorArchitecture;
    data.bServerR2 = GetSystemMetrics(SM_SERVERR2) != 0;

    if (NeedsProductInfo(data.info))
    {
        auto pGetProductInfo = LookUpExport<PFN_GET_PRODUCT_INFO>(kKernel32, "GetProductInfo");
        data.bHasGetProductInfo = pGetProductInfo != nullptr;
        if (pGetProductInfo != nullptr &&
            !pGetProductInfo(data.info.dwMajorVersion, data.info.dwMinorVersion, 0, 0,
                             &data.dwProductInfoType))
            data.dwProductInfoType = 0;
    }
    if (NeedsProductName(data.info))
        data.bHasProductName = ReadProductName(data.productName);

    DWORD dwStatus = kStatusPassed;
    std::wstring text = ComposeOsVersionText(data, &dwStatus);
    WriteReading(*this, Value(text, kFormatString, dwStatus));
    CloseTest(*this);
}

BOOL CTestOS::ReadProductName(std::wstring& text)
{
    CRegKey key;
    if (OpenMachineKey(kCurrentVersionKey, key) != ERROR_SUCCESS)
        return FALSE;
    std::wstring name;
    bool bOk = false;
    QueryRegistryString(key.Get(), L"ProductName", 512, name, &bOk);
    if (!bOk)
        return FALSE;
    text += name;
    return TRUE;
}

void CTestOS::TestRuntimeIni()
{
    std::wstring path;
    if (!GetRuntimeIniPath(path))
        return;
    CFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    std::string bytes;
    char chunk[4096];
    DWORD nRead = 0;
    while (ReadFile(file.Get(), chunk, sizeof(chunk), &nRead, nullptr) && nRead > 0)
        bytes.append(chunk, nRead);
    file.Reset();

    m_pReport->NextCategory(L"DAZIRAVAZ.INI", nullptr);
    for (const CKeyValueLine& line : ParseKeyValueText(bytes))
        WriteTest(*this, line.key.c_str(), L"", Value(line.value, kFormatString));
}

void CTestOS::TestRegistrationDetails()
{
    CRegKey key;
    if (OpenMachineKey(kCurrentVersionKey, key) != ERROR_SUCCESS)
    {
        WriteTest(*this, L"Registration details", L"",
                  Value(L"Can not open the registry key "
                        L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                        kFormatString, kStatusFailed));
        return;
    }
    for (const CRegistrationValue& row : kRegistrationValues)
    {
        // A value of another type fails with the query's own code, 0.
        BeginFirstTest(*this, row.pszTest, L"", [&] {
            std::wstring text;
            bool bOk = false;
            LONG lResult = QueryRegistryString(key.Get(), row.pszValue, 520, text, &bOk);
            return bOk ? Value(text, kFormatString) : Failure(static_cast<DWORD>(lResult));
        });
    }
}

void CTestOS::TestAdministratorPrivileges()
{
    m_pReport->BeginTest(L"Administrator privileges",
                         L"Checks if the user account has administrator privileges.");
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID pAdministrators = nullptr;
    BOOL bMember = FALSE;
    bool bKnown = false;
    if (AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                 DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &pAdministrators))
    {
        // A failed membership check tells nothing either way, so it is not reported as "No".
        bKnown = CheckTokenMembership(nullptr, pAdministrators, &bMember) != FALSE;
        FreeSid(pAdministrators);
    }
    WriteReading(*this, bKnown ? Value(bMember ? L"Yes" : L"No", kFormatYesNo)
                               : Value(L"Undefined", kFormatString, kStatusFailed));
    CloseTest(*this);
}
