// CPU group: the processor's identification from the registry, its temperature and core voltages.
#include "groups/TestCPU.h"

#include <objbase.h>

#include "framework/Handles.h"
#include "framework/Registry.h"
#include "framework/Text.h"
#include "groups/readers/Reading.h"
#include "groups/readers/VoltageFirmware.h"

namespace
{

const wchar_t kProcessorKey[] = L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";

// The registry strings of "Identification" in report order. Only the name has a text of its
// own for a value that does not exist.
struct CProcessorString
{
    const wchar_t* pszTest;
    const wchar_t* pszValue;
    bool bMissingIsNotAvailable;
};

const CProcessorString kProcessorStrings[] = {
    { L"Name", L"ProcessorNameString", true },
    { L"ID", L"Identifier", false },
    { L"Vendor", L"VendorIdentifier", false },
};

const wchar_t kNotAvailable[] = L"(not available)";
const wchar_t kNeedsAdministrator[] =
    L"Administrative privileges are required to read the CPU temperature via WMI.";

const DWORD kCpuTemperatureId = 0;
const DWORD kCpuTemperatureAlarmId = 11;
// The board whose CPU temperature type 13 reads through WMI.
const DWORD kBoardZlvr = 8;
const DWORD kErrorWmiNeedsAdministrator = 1168;

// A registry failure carries the code the query returned. A value of another type than the
// test expects was read, but is no answer: it is reported as a type mismatch.
CReading RegistryFailure(LONG lResult)
{
    return Failure(lResult != ERROR_SUCCESS ? static_cast<DWORD>(lResult)
                                            : ERROR_DATATYPE_MISMATCH);
}

CReading ReadProcessorString(HKEY hKey, const CProcessorString& row)
{
    std::wstring text;
    DWORD dwType = REG_NONE;
    // Each query gets a cleared buffer of the full size: no earlier value leaves bytes behind.
    LONG lResult = QueryRegistryText(hKey, row.pszValue, kStringBytes, text, &dwType);
    if (lResult == ERROR_SUCCESS && dwType == REG_SZ)
        return Value(text, kFormatString);
    if (lResult == ERROR_FILE_NOT_FOUND && row.bMissingIsNotAvailable)
        return Value(kNotAvailable, kFormatString, kStatusFailed);
    return RegistryFailure(lResult);
}

CReading ReadProcessorSpeed(HKEY hKey)
{
    DWORD dwMHz = 0;
    DWORD dwType = REG_NONE;
    LONG lResult = QueryRegistryNumber(hKey, L"~MHz", dwMHz, &dwType);
    if (lResult == ERROR_SUCCESS && dwType == REG_DWORD)
        return Value(StrFormat(L"%u", dwMHz), kFormatMHz);
    return RegistryFailure(lResult);
}

CReading TemperatureValue(signed char cCelsius, DWORD dwStatus = kStatusPassed)
{
    return Value(StrFormat(L"%d", static_cast<int>(cCelsius)), kFormatDegreeCentigrade, dwStatus);
}

}  // namespace

void CTestCPU::Run()
{
    m_pReport->BeginTestGroup(L"CPU", L"Contains CPU related tests like CPU ID or CPU speed.",
                              L"Identification", nullptr);
    TestIdentification();
    // The type is read once here: an unreadable type leaves the temperature out.
    if (HasReadableDeviceType(m_Library) &&
        !IsDeviceTypeIn(m_Library, { 9, 11, 15, 16, 17, 18, 19, 20, 21 }))
    {
        m_pReport->NextCategory(L"Temperatures", nullptr);
        TestTemperature();
    }
    if (IsDeviceTypeIn(m_Library, { 6, 7 }))
    {
        m_pReport->NextCategory(L"Voltages", nullptr);
        TestVoltages();
    }
    m_pReport->EndTestGroup();
}

void CTestCPU::TestIdentification()
{
    CRegKey key;
    if (OpenMachineKey(kProcessorKey, key) != ERROR_SUCCESS)
        return;
    for (const CProcessorString& row : kProcessorStrings)
        WriteTest(*this, row.pszTest, L"", ReadProcessorString(key.Get(), row));
    WriteTest(*this, L"Maximum Speed", L"", ReadProcessorSpeed(key.Get()));
}

void CTestCPU::TestTemperature()
{
    BeginFirstTest(*this, L"Internal", L"", [&] {
        DWORD dwBoard = 0;
        wchar_t szBoard[260] = {};
        if (m_Library.IsDeviceType(13) && m_Library.GetCpuBoardType(&dwBoard, szBoard) &&
            dwBoard == kBoardZlvr)
            return ReadTemperatureThroughWmi();
        return ReadTemperature();
    });
}

CReading CTestCPU::ReadTemperature()
{
    signed char cCelsius = 0;
    DWORD dwError = 0;
    if (!CallTivRead(m_Library.m_pTivGetTemperature, kCpuTemperatureId, &cCelsius, 1, dwError))
        return Failure(dwError);
    DWORD dwStatus = IsDeviceTypeIn(m_Library, { 10, 8 })
                         ? AlarmStatus(m_Library, kCpuTemperatureAlarmId)
                         : kStatusPassed;
    return TemperatureValue(cCelsius, dwStatus);
}

// The library reads this board's temperature through WMI, which needs COM on this thread and
// its WMI mode switched on; both are undone before returning, whatever the read gave.
CReading CTestCPU::ReadTemperatureThroughWmi()
{
    const HRESULT hrCom = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (m_Library.m_pTivEnableWmi != nullptr)
        m_Library.m_pTivEnableWmi(TRUE);

    signed char cCelsius = 0;
    DWORD dwError = 0;
    // The error is taken inside CallTivRead right after the read, before the calls below.
    CReading reading =
        CallTivRead(m_Library.m_pTivGetTemperature, kCpuTemperatureId, &cCelsius, 1, dwError)
            ? TemperatureValue(cCelsius)
        : dwError == kErrorWmiNeedsAdministrator
            ? Value(kNeedsAdministrator, kFormatString, kStatusFailed)
            : Failure(dwError);

    if (m_Library.m_pTivEnableWmi != nullptr)
        m_Library.m_pTivEnableWmi(FALSE);
    if (SUCCEEDED(hrCom))
        CoUninitialize();
    return reading;
}

void CTestCPU::TestVoltages()
{
    WriteRows(*this, kVoltagesCpu);
}
