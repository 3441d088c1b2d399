// Sub-test conventions every group shares: device-type gates, presence, reads, failure and alarm rules.
#include "groups/readers/Reading.h"

#include <cwchar>
#include <iterator>
#include <vector>

#include "device/Utilities.h"
#include "framework/Text.h"

const wchar_t kNotAvailableText[] = L"(n.a.)";

namespace
{

template <class Iter>
bool AnyDeviceType(CTivLibrary& library, Iter first, Iter last)
{
    for (Iter it = first; it != last && *it != 0; ++it)
    {
        if (library.IsDeviceType(*it))
            return true;
    }
    return false;
}

}  // namespace

bool IsDeviceTypeIn(CTivLibrary& library, std::initializer_list<DWORD> types)
{
    return AnyDeviceType(library, types.begin(), types.end());
}

bool IsDeviceTypeIn(CTivLibrary& library, const CTypeChain& types)
{
    return AnyDeviceType(library, std::begin(types.codes), std::end(types.codes));
}

bool IsNotDeviceTypeIn(CTivLibrary& library, std::initializer_list<DWORD> types)
{
    return !IsDeviceTypeIn(library, types);
}

bool IsNotDeviceTypeIn(CTivLibrary& library, const CTypeChain& types)
{
    return !IsDeviceTypeIn(library, types);
}

bool PassesGate(CTivLibrary& library, const CTypeGate& gate)
{
    switch (gate.kind)
    {
    case CTypeGate::kOnlyOn:
        return IsDeviceTypeIn(library, gate.types);
    case CTypeGate::kNotOn:
        return IsNotDeviceTypeIn(library, gate.types);
    case CTypeGate::kOnCpuBoard:
        return library.IsCpuBoardType(gate.types.codes[0]) != FALSE;
    case CTypeGate::kAlways:
        break;
    }
    return true;
}

bool IsPresent(CTivLibrary& library, DWORD dwPresenceId)
{
    DWORD dwValue = 0;
    DWORD dwError = 0;
    return CallTivRead(library.m_pTivGetHardwareValue, dwPresenceId, &dwValue, sizeof dwValue,
                       dwError) &&
           dwValue != 0;
}

std::wstring TextFromBuffer(const wchar_t* pBuffer, size_t nChars)
{
    size_t n = 0;
    while (n < nChars && pBuffer[n] != L'\0')
        ++n;
    return std::wstring(pBuffer, n);
}

std::wstring RawText(const BYTE* pData, DWORD dwSize)
{
    std::wstring text;
    HexDump(pData, static_cast<int>(dwSize), text);
    return text;
}

CReading Value(const std::wstring& text, DWORD dwFormat, DWORD dwStatus)
{
    return CReading{ true, 0, text, dwStatus, dwFormat };
}

CReading Failure(DWORD dwError)
{
    return CReading{ false, dwError, std::wstring(), kStatusFailed, kFormatString };
}

CReading NotAvailable()
{
    return Value(kNotAvailableText, kFormatString);
}

DWORD AlarmStatus(CTivLibrary& library, DWORD dwAlarmId)
{
    if (dwAlarmId == kNoAlarm)
        return kStatusPassed;
    DWORD dwValue = 0;
    DWORD dwError = 0;
    if (!CallTivRead(library.m_pTivGetAlarm, dwAlarmId, &dwValue, sizeof dwValue, dwError))
        return kStatusPassed;
    return dwValue != 0 ? kStatusAlarm : kStatusPassed;
}

void WriteReading(CTest& test, const CReading& reading)
{
    if (reading.bOk)
        test.m_pReport->WriteTestResult(reading.text.c_str(), reading.dwStatus, reading.dwFormat);
    else
        test.m_pReport->WriteTestResult(GetSystemErrorText(reading.dwError), kStatusFailed,
                                        kFormatString);
}

void CloseTest(CTest& test)
{
    WriteEndTag(test.m_pReport->m_hFile, L"Test", 6);
}

void WriteTest(CTest& test, const wchar_t* pszName, const wchar_t* pszDescription,
               const CReading& reading)
{
    test.m_pReport->BeginTest(pszName, pszDescription);
    WriteReading(test, reading);
    CloseTest(test);
}
