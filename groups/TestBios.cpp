// BIOS group: firmware version and build date, the registry BIOS id, the BIOS boot area.
#include "groups/TestBios.h"

#include "device/Utilities.h"
#include "framework/Handles.h"
#include "groups/RegistryText.h"

#include <cwchar>
#include <iterator>

namespace
{

const wchar_t kBiosKey[] = L"HARDWARE\\TIV\\Bios";
const DWORD kStringBytes = 512;

// Firmware strings of the group in report order.
struct CFirmwareString
{
    const wchar_t* pszTest;
    DWORD dwId;
};

const CFirmwareString kFirmwareStrings[] = {
    { L"Vek version", 21 },
    { L"Build date", 23 },
};

// Device types whose BIOS reports the area it booted from.
const DWORD kBootModeTypes[] = { 15, 16, 17 };
const DWORD kBootModeId = 28;

void EndTest(CXmlReport* pReport)
{
    WriteEndTag(pReport->m_hFile, L"Test", 6);
}

}  // namespace

void CTestBios::Run()
{
    m_Library.IsDeviceType(0);
    if (m_Library.m_dwDeviceType == 0 || m_Library.IsDeviceType(9) || m_Library.IsDeviceType(11))
        return;
    m_pReport->BeginTestGroup(L"BIOS",
                              L"Contains BIOS related tests like checking the version number or "
                              L"the BIOS ID.",
                              nullptr, nullptr);

    for (const CFirmwareString& row : kFirmwareStrings)
    {
        m_pReport->BeginTest(row.pszTest, L"");
        wchar_t szText[kStringBytes / sizeof(wchar_t) + 1] = {};
        if (m_Library.m_pTivGetFirmwareStringW != nullptr &&
            m_Library.m_pTivGetFirmwareStringW(row.dwId, szText, kStringBytes))
        {
            std::wstring text(szText, wcsnlen(szText, kStringBytes / sizeof(wchar_t)));
            m_pReport->WriteTestResult(text.c_str(), kStatusPassed, kFormatString);
        }
        else
            m_pReport->WriteTestResult(GetSystemErrorText(GetLastError()), kStatusFailed,
                                       kFormatString);
        EndTest(m_pReport);
    }

    // The registry calls' own codes are reported, not the thread's last error.
    m_pReport->BeginTest(L"ID", L"");
    CRegKey key;
    LONG lResult = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kBiosKey, 0, KEY_QUERY_VALUE, key.Receive());
    std::wstring id;
    if (lResult == ERROR_SUCCESS)
        lResult = QueryRegistryText(key.Get(), L"VersionID", kStringBytes, id, nullptr);
    key.Reset();
    if (lResult == ERROR_SUCCESS)
        m_pReport->WriteTestResult(id.c_str(), kStatusPassed, kFormatString);
    else
        m_pReport->WriteTestResult(GetSystemErrorText(static_cast<DWORD>(lResult)), kStatusFailed,
                                   kFormatString);
    EndTest(m_pReport);

    bool bBootMode = false;
    for (size_t i = 0; i < std::size(kBootModeTypes) && !bBootMode; ++i)
        bBootMode = m_Library.IsDeviceType(kBootModeTypes[i]);
    if (bBootMode)
    {
        m_pReport->BeginTest(L"Boot mode", L"");
        DWORD dwMode = 0;
        if (m_Library.m_pTivGetFirmwareValue != nullptr &&
            m_Library.m_pTivGetFirmwareValue(kBootModeId, &dwMode, sizeof(dwMode)))
            m_pReport->WriteTestResult(dwMode == 1 ? L"Normal area" : L"Backup area",
                                       kStatusPassed, kFormatString);
        else
            m_pReport->WriteTestResult(GetSystemErrorText(GetLastError()), kStatusFailed,
                                       kFormatString);
        EndTest(m_pReport);
    }

    m_pReport->EndTestGroup();
}
