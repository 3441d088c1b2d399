// UPS group: type and firmware, status word, module and battery settings, user and service settings, battery readings.
#include "groups/TestUPS.h"

#include <iterator>

#include "framework/Handles.h"
#include "framework/Registry.h"
#include "framework/TempFile.h"
#include "framework/Text.h"
#include "groups/readers/FactorySettings.h"
#include "groups/readers/Rows.h"
#include "groups/readers/Statistics.h"
#include "groups/readers/TemperatureFan.h"

namespace
{

const DWORD kPresenceIds[] = { 28, 29 };
const DWORD kTypeStringId = 30;
const DWORD kFirmwareId = 25;
const DWORD kStatusWordId = 31;
const DWORD kCountersId = 36;
const DWORD kCurrentId = 32;
// The firmware text where it is only compared: 100 UTF-16 units.
const DWORD kFirmwareCompareBytes = 200;

const DWORD kBatterySettingsInvalid = 0x0002;
const DWORD kUserSettingsInvalid = 0x0400;

// The firmware a status bit needs on the first generation (the second has all of them).
enum class EFirmwareGate
{
    kNone,
    k108,
    k110,
};

struct CStatusBit
{
    const wchar_t* pszName;
    DWORD dwMask;
    DWORD dwStatusSet;
    DWORD dwStatusClear;
    EFirmwareGate gate;
};

const CStatusBit kStatusBits[] = {
    { L"Power OK", 0x0001, kStatusPassed, kStatusAlarm, EFirmwareGate::kNone },
    { L"On battery", 0x0004, kStatusAlarm, kStatusPassed, EFirmwareGate::kNone },
    { L"Low battery", 0x0008, kStatusAlarm, kStatusPassed, EFirmwareGate::kNone },
    { L"Battery failure", 0x0020, kStatusAlarm, kStatusPassed, EFirmwareGate::kNone },
    { L"Battery settings failure", 0x0002, kStatusAlarm, kStatusPassed, EFirmwareGate::kNone },
    { L"Battery polarity reversed", 0x0010, kStatusAlarm, kStatusPassed, EFirmwareGate::k108 },
    { L"Factory settings failure", 0x0200, kStatusAlarm, kStatusPassed, EFirmwareGate::k110 },
    // A flag the user settings' own test reads; no alarm here.
    { L"User settings failure", 0x0400, kStatusPassed, kStatusPassed, EFirmwareGate::k110 },
    { L"Over current alarm", 0x0100, kStatusAlarm, kStatusPassed, EFirmwareGate::k110 },
    { L"Battery temperature alarm", 0x8000, kStatusAlarm, kStatusPassed, EFirmwareGate::k110 },
};

const CRow kFirmwareVersion = { .name = L"Firmware version", .kind = ERowKind::kText,
                                .read = kFirmwareString, .id = kFirmwareId,
                                .size = kStringBytes };

// Module factory settings of the first generation; "Version" decides whether they are written.
const CRow kFactoryVersion = { .name = L"Version", .kind = ERowKind::kText,
                               .read = kFactoryString, .id = 34, .size = kStringBytes };
const CRow kFactorySettings[] = {
    { .name = L"Vendor ID", .description = L"Vek = 0.", .read = kFactoryValue, .id = 37,
      .format = L"%08X", .code = kFormatHex },
    { .name = L"Device ID", .read = kFactoryValue, .id = 35, .format = L"%08X",
      .code = kFormatHex },
    { .name = L"Compatibility ID",
      .description = kCompatibilityDescription,
      .read = kFactoryValue, .id = 36, .size = 2, .format = L"%04X", .code = kFormatHex },
    { .name = L"Hardware revision", .kind = ERowKind::kText, .read = kFactoryValue, .id = 38,
      .size = kStringBytes },
    { .name = L"Serial number", .kind = ERowKind::kText, .read = kFactoryString, .id = 39,
      .size = kStringBytes },
    { .name = L"Model number", .kind = ERowKind::kText, .read = kFactoryString, .id = 40,
      .size = kStringBytes },
    { .name = L"Raw data",
      .description = L"Complete factory settings of TVX Add-On UPS or TVX IF UPS.",
      .kind = ERowKind::kRaw, .read = kFactoryValue, .id = 33, .size = 256, .code = kFormatRaw },
};

// Battery settings after its "Status": each left out when the module does not support it.
const CRow kBatterySettings[] = {
    { .name = L"Version", .kind = ERowKind::kText, .read = kFactoryValue, .id = 42,
      .size = kStringBytes },
    { .name = L"Device ID", .read = kFactoryValue, .id = 43, .format = L"%08X",
      .code = kFormatHex },
    { .name = L"Model number", .kind = ERowKind::kText, .read = kFactoryValue, .id = 44,
      .size = kStringBytes },
    { .name = L"Raw data", .description = L"Complete battery settings of TVX Add-On UPS.",
      .kind = ERowKind::kRaw, .read = kFactoryValue, .id = 41, .size = 256, .code = kFormatRaw },
};

const CRow kBatteryVoltage = { .name = L"Battery voltage", .kind = ERowKind::kThousandths,
                               .read = kHardwareValue, .id = 33, .format = L"%.1f",
                               .code = kFormatVolt };

const wchar_t kUserSettingsDescription[] = L"Complete user settings of TVX Add-On UPS or TVX IF UPS.";
const DWORD kUserSettingsUploadId = 17;

// The Windows UPS service's configuration, with the maker's two values of its extension.
const wchar_t kUpsServiceKey[] = L"SYSTEM\\CurrentControlSet\\Services\\UPS\\Config";
const DWORD kServiceTextBytes = 200;

struct CServiceValue
{
    enum EKind
    {
        kText,    // REG_SZ, shown as it is
        kSwitch,  // REG_DWORD, non-zero "Enabled", zero "Disabled"
        kNumber,  // REG_DWORD, "%u"
    };
    const wchar_t* pszName;
    const wchar_t* pszDescription;
    const wchar_t* pszValue;
    EKind kind;
    DWORD dwFormat;
    bool bAfterSwitchOn;     // written only when the row before it read a non-zero number
    bool bMissingIsDisabled; // the maker's values: absent means the feature is off
};

const CServiceValue kServiceValues[] = {
    { L"UPS vendor", L"", L"Vendor", CServiceValue::kText, kFormatString, false, false },
    { L"UPS model", L"", L"Model", CServiceValue::kText, kFormatString, false, false },
    { L"Shutdown on battery", L"", L"ShutdownOnBatteryEnable", CServiceValue::kSwitch,
      kFormatYesNo, false, false },
    { L"Shutdown on battery time",
      L"The time the UPS runs on battery before initiating a critical alarm.",
      L"ShutdownOnBatteryWait", CServiceValue::kNumber, kFormatMinutes, true, false },
    { L"Run task",
      L"The scheduled task to run before the UPS service initiates a system shutdown.",
      L"TaskName", CServiceValue::kText, kFormatString, false, false },
    { L"UPS turn off", L"", L"TurnUPSOffEnable", CServiceValue::kSwitch, kFormatEnableDisable,
      false, false },
    { L"UPS turn off delay",
      L"The remaining time when a \"low battery\" alarm occurs before the UPS turns off the "
      L"power.",
      L"TurnUPSOffWait", CServiceValue::kNumber, kFormatSeconds, true, false },
    { L"Standard notification", L"Operating system specific UPS service notifications.",
      L"NotifyEnable", CServiceValue::kSwitch, kFormatEnableDisable, false, false },
    { L"Vek notification", L"Vek specific UPS service notifications.", L"VekNotifyEnable",
      CServiceValue::kSwitch, kFormatEnableDisable, false, true },
    { L"Show UPS status with Vek UPS Monitor",
      L"If enabled the UPS status changes will be shown in the UPS monitor instead of single "
      L"messages.",
      L"VekUseUpsMonitor", CServiceValue::kSwitch, kFormatEnableDisable, false, true },
};

const wchar_t kUnknownType[] = L"(unknown type)";

bool IsBound(CTivLibrary& library, const CReader& reader)
{
    switch (reader.shape)
    {
    case CReader::kIdValue:
        return library.*reader.idValue != nullptr;
    case CReader::kIdString:
        return library.*reader.idString != nullptr;
    default:
        return false;
    }
}

// Error 87 from a call that was made: the module does not support the value. A missing
// export is a failure like any other, whatever code the thread held before.
bool IsNotSupported(CTivLibrary& library, const CRow& row, const CReading& reading)
{
    return !reading.bOk && reading.dwError == ERROR_INVALID_PARAMETER &&
           IsBound(library, row.read);
}

// A read-first row whose "not supported" answer writes nothing; any other failure is written.
void WriteRowUnlessNotSupported(CTest& test, const CRow& row)
{
    CReading reading = ReadRow(test.m_Library, row);
    if (!IsNotSupported(test.m_Library, row, reading))
        WriteTest(test, row.name, row.description, reading);
}

bool ReadStatusWord(CTivLibrary& library, DWORD& dwStatus, DWORD& dwError)
{
    dwStatus = 0;
    return CallTivRead(library.m_pTivGetHardwareValue, kStatusWordId, &dwStatus,
                       sizeof dwStatus, dwError) != FALSE;
}

CReading QueryServiceValue(HKEY hKey, const CServiceValue& row, DWORD& dwNumber)
{
    dwNumber = 0;
    DWORD dwType = REG_NONE;
    std::wstring text;
    LONG lResult = row.kind == CServiceValue::kText
                       ? QueryRegistryText(hKey, row.pszValue, kServiceTextBytes, text, &dwType)
                       : QueryRegistryNumber(hKey, row.pszValue, dwNumber, &dwType);
    if (lResult != ERROR_SUCCESS)
    {
        // Only a value that is not there is "Disabled"; a value that cannot be read is a failure.
        if (row.bMissingIsDisabled && lResult == ERROR_FILE_NOT_FOUND)
            return Value(L"Disabled", kFormatEnableDisable);
        return Failure(static_cast<DWORD>(lResult));
    }
    DWORD dwExpected = row.kind == CServiceValue::kText ? REG_SZ : REG_DWORD;
    if (dwType != dwExpected)
        return Value(kUnknownType, row.dwFormat);
    switch (row.kind)
    {
    case CServiceValue::kText:
        return Value(text, row.dwFormat);
    case CServiceValue::kSwitch:
        return Value(dwNumber != 0 ? L"Enabled" : L"Disabled", row.dwFormat);
    case CServiceValue::kNumber:
        break;
    }
    return Value(StrFormat(L"%u", dwNumber), row.dwFormat);
}

WORD Word(const BYTE* pData)
{
    return static_cast<WORD>(pData[0] | pData[1] << 8);
}

}  // namespace

void CTestUPS::Run()
{
    for (DWORD dwId : kPresenceIds)
    {
        if (!IsPresent(m_Library, dwId))
            return;
    }
    m_pReport->BeginTestGroup(
        L"UPS", L"Contains tests of several UPS related items like battery voltages or UPS status.",
        L"Firmware", nullptr);
    TestFirmware();
    m_pReport->NextCategory(L"Status", nullptr);
    TestStatus();
    if (m_dwUpsType == kUpsTypeI)
    {
        TestFactorySettings();
        m_pReport->NextCategory(L"Battery Settings", nullptr);
        TestBatterySettings();
    }
    m_pReport->NextCategory(L"User Settings", nullptr);
    TestUserSettings();
    m_pReport->NextCategory(L"System Settings", nullptr);
    TestSystemSettings();
    m_pReport->NextCategory(L"Temperatures", nullptr);
    TestTemperatures();
    m_pReport->NextCategory(L"Currents", nullptr);
    TestCurrents();
    m_pReport->NextCategory(L"Voltages", nullptr);
    TestVoltages();
    if (m_dwUpsType == kUpsTypeII)
    {
        m_pReport->NextCategory(L"Statistics", nullptr);
        TestStatistics();
    }
    m_pReport->EndTestGroup();
}

bool CTestUPS::ReadFirmwareText(std::wstring& text)
{
    wchar_t szText[kFirmwareCompareBytes / sizeof(wchar_t)] = {};
    DWORD dwError = 0;
    if (!CallTivRead(m_Library.m_pTivGetFirmwareStringW, kFirmwareId, szText, sizeof szText,
                     dwError))
        return false;
    // A library that leaves no terminator gets its text cut at the buffer's end.
    text = TextFromBuffer(szText, std::size(szText));
    return true;
}

void CTestUPS::TestFirmware()
{
    BeginFirstTest(*this, L"Type", L"", [&] {
        CReading reading = ReadString(m_Library.m_pTivGetHardwareStringW, kTypeStringId);
        if (reading.bOk && reading.text == L"UPSI")
            m_dwUpsType = kUpsTypeI;
        else if (reading.bOk && reading.text == L"UPSII")
            m_dwUpsType = kUpsTypeII;
        return reading;
    });
    if (m_dwUpsType == kUpsTypeI)
        WriteRowUnlessNotSupported(*this, kFirmwareVersion);
}

void CTestUPS::TestStatus()
{
    DWORD dwStatus = 0;
    DWORD dwError = 0;
    if (!ReadStatusWord(m_Library, dwStatus, dwError))
    {
        WriteTest(*this, L"Status", L"", Failure(dwError));
    }
    else
    {
        // The second generation has every bit; elsewhere the firmware text decides (compared
        // code unit by code unit, so "1.9" is above "1.10").
        bool bHas108 = m_dwUpsType == kUpsTypeII;
        bool bHas110 = bHas108;
        std::wstring firmware;
        if (m_dwUpsType != kUpsTypeII && ReadFirmwareText(firmware))
        {
            bHas108 = firmware.compare(L"1.08") >= 0;
            bHas110 = firmware.compare(L"1.10") >= 0;
        }
        for (const CStatusBit& bit : kStatusBits)
        {
            if ((bit.gate == EFirmwareGate::k108 && !bHas108) ||
                (bit.gate == EFirmwareGate::k110 && !bHas110))
                continue;
            bool bSet = (dwStatus & bit.dwMask) != 0;
            WriteTest(*this, bit.pszName, L"",
                      Value(bSet ? L"Yes" : L"No", kFormatYesNo,
                            bSet ? bit.dwStatusSet : bit.dwStatusClear));
        }
    }
    if (m_dwUpsType == kUpsTypeI)
        TestCounters();
}

void CTestUPS::TestCounters()
{
    DWORD dwCounters = 0;
    DWORD dwError = 0;
    if (!CallTivRead(m_Library.m_pTivGetHardwareValue, kCountersId, &dwCounters,
                     sizeof dwCounters, dwError))
    {
        for (const wchar_t* pszName :
             { L"Communication requests", L"Communication errors", L"Link quality" })
            WriteTest(*this, pszName, L"", Failure(dwError));
        return;
    }
    DWORD dwRequests = dwCounters & 0xFF;
    DWORD dwErrors = (dwCounters >> 8) & 0xFF;
    if (dwRequests == 0)
        return;
    // More errors than requests would go below 0: no link quality at all then.
    DWORD dwLost = dwErrors * 100 / dwRequests;
    DWORD dwQuality = dwLost < 100 ? 100 - dwLost : 0;
    WriteTest(*this, L"Communication requests", L"",
              Value(StrFormat(L"%u", dwRequests), kFormatString));
    WriteTest(*this, L"Communication errors", L"",
              Value(StrFormat(L"%u", dwErrors), kFormatString));
    WriteTest(*this, L"Link quality", L"", Value(StrFormat(L"%u", dwQuality), kFormatPercent));
}

void CTestUPS::TestFactorySettings()
{
    CReading version = ReadRow(m_Library, kFactoryVersion);
    if (IsNotSupported(m_Library, kFactoryVersion, version))
        return;
    m_pReport->NextCategory(L"Factory Settings", nullptr);
    WriteTest(*this, kFactoryVersion.name, kFactoryVersion.description, version);
    WriteRows(*this, kFactorySettings);
}

void CTestUPS::TestBatterySettings()
{
    BeginFirstTest(*this, L"Status", L"", [&] {
        DWORD dwStatus = 0;
        DWORD dwError = 0;
        if (!ReadStatusWord(m_Library, dwStatus, dwError))
            return Failure(dwError);
        return Value((dwStatus & kBatterySettingsInvalid) != 0 ? L"Invalid" : L"Valid",
                     kFormatUnknown);
    });
    for (const CRow& row : kBatterySettings)
        WriteRowUnlessNotSupported(*this, row);
}

DWORD CTestUPS::UploadUserSettings(BYTE (&block)[256], DWORD& dwCount)
{
    dwCount = 0;
    CTempFile file;
    DWORD dwError = file.Create(L"VekDiagUPS");
    if (dwError != ERROR_SUCCESS)
        return dwError;
    // No call made, so no code of its own: a missing export is named as such.
    if (m_Library.m_pTivUploadFileW == nullptr)
        return ERROR_PROC_NOT_FOUND;
    if (!m_Library.m_pTivUploadFileW(file.Path(), kUserSettingsUploadId, 0, 0))
    {
        // The code decides the result here: a failed call that leaves none is no "Valid".
        DWORD dwUploadError = GetLastError();
        return dwUploadError != ERROR_SUCCESS ? dwUploadError : ERROR_GEN_FAILURE;
    }
    CFileHandle hFile(CreateFileW(file.Path(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                  nullptr));
    if (!hFile)
        return GetLastError();
    if (!ReadFile(hFile.Get(), block, sizeof block, &dwCount, nullptr))
        return GetLastError();
    return ERROR_SUCCESS;
}

void CTestUPS::TestUserSettings()
{
    std::wstring firmware;
    if (ReadFirmwareText(firmware) && firmware.compare(L"1.10") < 0)
        return;
    DWORD dwStatus = 0;
    DWORD dwError = 0;
    if (!ReadStatusWord(m_Library, dwStatus, dwError))
    {
        WriteTest(*this, L"Status", L"", Failure(dwError));
        return;
    }
    if ((dwStatus & kUserSettingsInvalid) != 0)
    {
        WriteTest(*this, L"Status", L"", Value(L"Invalid", kFormatUnknown));
        return;
    }

    BYTE block[256] = {};
    DWORD dwCount = 0;
    dwError = UploadUserSettings(block, dwCount);
    if (dwError == ERROR_CRC)
    {
        WriteTest(*this, L"Status", L"", Value(L"Invalid", kFormatUnknown));
        return;
    }
    if (dwError != ERROR_SUCCESS)
    {
        WriteTest(*this, L"Raw data", kUserSettingsDescription, Failure(dwError));
        return;
    }
    WriteTest(*this, L"Status", L"", Value(L"Valid", kFormatUnknown));
    if (dwCount == 256)
    {
        BYTE byFlags = block[10];
        bool bLimitationOn = (byFlags & 0x01) == 0;
        WriteTest(*this, L"Current limitation (8A)", L"",
                  Value(bLimitationOn ? L"Enabled" : L"Disabled", kFormatEnableDisable));
        if (bLimitationOn)
        {
            WriteTest(*this, L"Over current shutdown action", L"",
                      Value((byFlags & 0x02) == 0
                                ? L"Turn off within 1 minute (UL-conform)"
                                : L"Perform 'low battery' shutdown (not UL-conform)",
                            kFormatString));
        }
        WriteTest(*this, L"Low battery shutdown time", L"",
                  Value(StrFormat(L"%u", static_cast<DWORD>(Word(block + 8))), kFormatSeconds));
    }
    else if (dwCount == 8)
    {
        WriteTest(*this, L"Low battery shutdown time", L"",
                  Value(StrFormat(L"%u", static_cast<DWORD>(Word(block + 4))), kFormatSeconds));
    }
    WriteTest(*this, L"Raw data", kUserSettingsDescription,
              Value(RawText(block, dwCount), kFormatRaw));
}

void CTestUPS::TestSystemSettings()
{
    CRegKey key;
    LONG lResult = OpenMachineKey(kUpsServiceKey, key);
    if (lResult == ERROR_FILE_NOT_FOUND)
    {
        WriteTest(*this, L"Status", L"",
                  Value(L"There is no UPS configured in the system.\r\n", kFormatString));
        return;
    }
    if (lResult != ERROR_SUCCESS)
    {
        WriteTest(*this, L"Status", L"", Failure(static_cast<DWORD>(lResult)));
        return;
    }
    DWORD dwBefore = 0;
    for (const CServiceValue& row : kServiceValues)
    {
        if (row.bAfterSwitchOn && dwBefore == 0)
            continue;
        DWORD dwNumber = 0;
        BeginFirstTest(*this, row.pszName, row.pszDescription,
                       [&] { return QueryServiceValue(key.Get(), row, dwNumber); });
        dwBefore = dwNumber;
    }
}

void CTestUPS::TestTemperatures()
{
    WriteSensors(*this, kTemperaturesUps);
}

void CTestUPS::TestCurrents()
{
    BeginFirstTest(*this, L"Battery current", L"", [&] {
        LONG lCurrent = 0;
        DWORD dwError = 0;
        if (!CallTivRead(m_Library.m_pTivGetHardwareValue, kCurrentId, &lCurrent,
                         sizeof lCurrent, dwError))
            return Failure(dwError);
        return Value(FormatSignedThousandths(lCurrent, lCurrent >= 0 ? L"%.2f" : L"%.1f"),
                     kFormatAmpere);
    });
}

void CTestUPS::TestVoltages()
{
    WriteRow(*this, kBatteryVoltage);
}

void CTestUPS::TestStatistics()
{
    WriteStatistics(*this, kStatisticsUps);
}
