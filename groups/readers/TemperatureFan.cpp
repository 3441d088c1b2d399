// Temperature and fan-speed reader families: member tables and the one mechanism that writes them.
#include "groups/readers/TemperatureFan.h"

#include <cwchar>
#include <iterator>

#include "framework/Text.h"

namespace
{

const wchar_t kTemperatures[] = L"Temperatures";

// A successful reading before status: the value text and the raw byte for the 0x80 rule.
struct CSensorValue
{
    bool bOk;
    DWORD dwError;
    std::wstring text;
    bool bMinus128;
};

CSensorValue ReadSensor(CTivLibrary& library, const CSensorMember& member, DWORD dwId)
{
    CSensorValue value = { false, 0, std::wstring(), false };
    if (member.kind != CSensorMember::kFanSpeed)
    {
        signed char cValue = 0;
        value.bOk = CallTivRead(library.m_pTivGetTemperature, dwId, &cValue, 1, value.dwError);
        value.text = StrFormat(L"%d", static_cast<int>(cValue));
        value.bMinus128 = cValue == -128;
    }
    else
    {
        WORD wValue = 0;
        value.bOk = CallTivRead(library.m_pTivGetHardwareValue, dwId, &wValue, sizeof wValue,
                                value.dwError) != FALSE;
        value.text = StrFormat(L"%u", static_cast<DWORD>(wValue));
    }
    return value;
}

// The reading as written: value with alarm status, "(n.a.)", or the failure.
CReading Finish(CTivLibrary& library, const CSensorMember& member, const CSensorValue& value,
                DWORD dwAlarmId)
{
    if (!value.bOk)
        return Failure(value.dwError);
    if (member.kind == CSensorMember::kBatteryTemperature && value.bMinus128)
        return NotAvailable();
    DWORD dwFormat =
        member.kind == CSensorMember::kFanSpeed ? kFormatRpm : kFormatDegreeCentigrade;
    return Value(value.text, dwFormat, AlarmStatus(library, dwAlarmId));
}

const CSensorMember* Applicable(CTivLibrary& library, const CSensorMember& member)
{
    const CSensorMember* pMember = &member;
    while (pMember != nullptr && !PassesGate(library, pMember->gate))
        pMember = pMember->pOtherwise;
    return pMember;
}

// ---- Member tables ----

const CSensorReading kCpuBoardSensors[] = {
    { L"Sensor 1", 15, 27 },
    { L"Sensor 2", 16, 28 },
    { L"Sensor 3", 17, 29 },
    { L"Sensor 4", 18, 30 },
};
const CSensorReading kCpuBoardTemperature[] = {
    { L"Board temperature", 6, kNoAlarm },
};
// The board temperature of the CPU board types without the four sensors.
const CSensorMember kTemperatureCpuBoardSingle = {
    .order = CSensorMember::kBeginFirst,
    .readings = kCpuBoardTemperature
};
const CSensorReading kDisplayLinkSensors[] = {
    { L"Sensor 1", 35, 35 },
    { L"Sensor 2", 36, 36 },
    { L"Sensor 3", 37, 37 },
    { L"Sensor 4", 38, 38 },
};
const CSensorReading kIfBoardSensors[] = {
    { L"Sensor 1", 27, kNoAlarm },
    { L"Sensor 2", 28, kNoAlarm },
    { L"Sensor 3", 29, kNoAlarm },
    { L"Sensor 4", 30, kNoAlarm },
};
const CSensorReading kIoBoardSensors[] = {
    { L"Sensor 1", 31, kNoAlarm },
    { L"Sensor 2", 32, kNoAlarm },
    { L"Sensor 3", 33, kNoAlarm },
    { L"Sensor 4", 34, kNoAlarm },
};
const CSensorReading kSystemUnitExtraSensors[] = {
    { L"Sensor 1", 19, 31 },
    { L"Sensor 2", 20, 32 },
    { L"Sensor 3", 21, 33 },
    { L"Sensor 4", 22, 34 },
};
const CSensorReading kDrive1Temperature[] = {
    { L"Slide-in drive %d", 3, 2 },
};
const CSensorReading kDrive2Temperature[] = {
    { L"Slide-in drive %d", 4, 3 },
};
const CSensorReading kPanelTemperature[] = {
    { L"Panel %d", 5, 9 },
};
const CSensorReading kUpsTemperatures[] = {
    { L"Battery temperature", 7, 18 },
};
const CSensorReading kCaseFanKitFans[] = {
    { L"Case fan 1", 6, 4 },
    { L"Case fan 2", 7, 5 },
    { L"Case fan 3", 8, 6 },
    { L"Case fan 4", 9, 7, OnlyOn({ 18, 19 }) },
};
const CSensorReading kBusFanKitFans[] = {
    { L"Bus fan 1", 67, 41 },
    { L"Bus fan 2", 68, 42 },
    { L"Bus fan 3", 69, 43 },
    { L"Bus fan 4", 70, 44 },
};
// Types 8 and 10 have one case fan only.
const CSensorReading kSystemUnitFans[] = {
    { L"Case fan 1", 6, kNoAlarm },
    { L"Case fan 2", 7, kNoAlarm, NotOn({ 8, 10 }) },
    { L"Case fan 3", 8, kNoAlarm, NotOn({ 8, 10 }) },
    { L"Case fan 4", 9, kNoAlarm, OnlyOn({ 12, 13 }) },
};
const CSensorReading kPanelFan[] = {
    { L"Panel %d fan", 11, 10 },
};


}  // namespace

const CSensorMember kTemperaturesCpuBoard = {
    .readings = kCpuBoardSensors,
    .gate = OnlyOn({ 15, 16, 17, 18, 19 }),
    .pOtherwise = &kTemperatureCpuBoardSingle
};
const CSensorMember kTemperaturesDisplayLink = { .readings = kDisplayLinkSensors };
const CSensorMember kTemperaturesIfBoard = {
    .readings = kIfBoardSensors,
    .container = CSensorMember::kOpensSubCategory
};
const CSensorMember kTemperaturesIoBoard = { .readings = kIoBoardSensors };
const CSensorMember kTemperaturesSystemUnitExtra = {
    .readings = kSystemUnitExtraSensors,
    .container = CSensorMember::kOpensCategory
};
const CSensorMember kTemperatureDrives[2] = {
    { .readings = kDrive1Temperature, .pszDescription = L"Temperature of slide-in drive." },
    { .readings = kDrive2Temperature, .pszDescription = L"Temperature of slide-in drive." },
};
const CSensorMember kTemperaturePanel = {
    .order = CSensorMember::kBeginFirst,
    .readings = kPanelTemperature
};
const CSensorMember kTemperaturesUps = {
    .kind = CSensorMember::kBatteryTemperature,
    .order = CSensorMember::kBeginFirst,
    .readings = kUpsTemperatures
};
const CSensorMember kFanSpeedsCaseFanKit = {
    .kind = CSensorMember::kFanSpeed,
    .readings = kCaseFanKitFans
};
const CSensorMember kFanSpeedsBusFanKit = {
    .kind = CSensorMember::kFanSpeed,
    .readings = kBusFanKitFans
};
const CSensorMember kFanSpeedsSystemUnit = {
    .kind = CSensorMember::kFanSpeed,
    .readings = kSystemUnitFans
};
const CSensorMember kFanSpeedPanel = {
    .kind = CSensorMember::kFanSpeed,
    .order = CSensorMember::kBeginFirst,
    .readings = kPanelFan
};

void WriteSensors(CTest& test, const CSensorMember& member, DWORD dwIndex)
{
    CTivLibrary& library = test.m_Library;
    const CSensorMember* pMember = Applicable(library, member);
    if (pMember == nullptr)
        return;
    bool bContainerOpen = pMember->container == CSensorMember::kContainerOpen;

    for (const CSensorReading& reading : pMember->readings)
    {
        if (!PassesGate(library, reading.gate))
            continue;
        std::wstring name = wcschr(reading.pszName, L'%') != nullptr
                                ? StrFormat(reading.pszName, static_cast<int>(dwIndex))
                                : std::wstring(reading.pszName);

        if (pMember->order == CSensorMember::kBeginFirst)
        {
            BeginFirstTest(test, name.c_str(), pMember->pszDescription, [&] {
                CSensorValue value = ReadSensor(library, *pMember, reading.dwValueId);
                return Finish(library, *pMember, value, reading.dwAlarmId);
            });
            continue;
        }

        CSensorValue value = ReadSensor(library, *pMember, reading.dwValueId);
        if (!value.bOk)
            continue;
        if (!bContainerOpen)
        {
            if (pMember->container == CSensorMember::kOpensSubCategory)
                test.m_pReport->NextSubCategory(kTemperatures);
            else
                test.m_pReport->NextCategory(kTemperatures, nullptr);
            bContainerOpen = true;
        }
        WriteTest(test, name.c_str(), pMember->pszDescription,
                  Finish(library, *pMember, value, reading.dwAlarmId));
    }
}

void WriteSensors(CTest& test, const CSensorMember (&members)[2], DWORD dwIndex)
{
    if (dwIndex == 1 || dwIndex == 2)
        WriteSensors(test, members[dwIndex - 1], dwIndex);
}

void WriteTemperature(CTest& test, const wchar_t* pszName, const wchar_t* pszDescription,
                      DWORD dwTemperatureId, DWORD dwAlarmId)
{
    const CSensorReading reading = { pszName, dwTemperatureId, dwAlarmId };
    const CSensorMember member = { .order = CSensorMember::kBeginFirst,
                                   .readings = std::span<const CSensorReading>(&reading, 1),
                                   .pszDescription = pszDescription };
    WriteSensors(test, member);
}
