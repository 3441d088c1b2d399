// Temperature and fan-speed reader families: sensor readings with alarms, driven by member tables.
#pragma once

#include <windows.h>

#include <span>

#include "groups/readers/Reading.h"

// One reading of a member. A name holding "%d" is filled with the call's index (drive number,
// panel index).
struct CSensorReading
{
    const wchar_t* pszName;
    DWORD dwValueId;  // temperature id, or hardware-value id of a fan speed
    DWORD dwAlarmId;  // kNoAlarm when the reading has none
    CTypeGate gate = kAlways;  // checked before the reading
};

struct CSensorMember
{
    enum EKind
    {
        kTemperature,         // TivGetTemperature, 1 signed byte, "%d", DegreeCentigrade
        kBatteryTemperature,  // the same, but a byte of 0x80 is "(n.a.)", Passed, String, and
                              // no alarm is read
        kFanSpeed,            // TivGetHardwareValue, 2 bytes, "%u", Rpm
    };
    enum EOrder
    {
        kReadFirst,   // a failed reading writes nothing
        kBeginFirst,  // a failed reading writes the failure text
    };
    enum EContainer
    {
        kContainerOpen,      // the group has opened it
        kOpensSubCategory,   // NextSubCategory "Temperatures" before the first reading that reads
        kOpensCategory,      // NextCategory "Temperatures" (default subcategory), likewise
    };
    EKind kind = kTemperature;
    EOrder order = kReadFirst;
    std::span<const CSensorReading> readings;
    const wchar_t* pszDescription = L"";  // of every test; "" for none
    EContainer container = kContainerOpen;
    CTypeGate gate = kAlways;               // the member applies when this passes ...
    const CSensorMember* pOtherwise = nullptr;  // ... else this member does (nullptr: nothing)
};

// Temperatures.
extern const CSensorMember kTemperaturesCpuBoard;  // sensors on 15..19, else "Board temperature"
extern const CSensorMember kTemperaturesDisplayLink;
extern const CSensorMember kTemperaturesIfBoard;   // opens subcategory "Temperatures" itself
extern const CSensorMember kTemperaturesIoBoard;
extern const CSensorMember kTemperaturesSystemUnitExtra;  // opens category "Temperatures" itself
extern const CSensorMember kTemperatureDrives[2];  // slide-in drive 1, 2 (call with the drive)
extern const CSensorMember kTemperaturePanel;      // call with the panel index
extern const CSensorMember kTemperaturesUps;
// Fan speeds.
extern const CSensorMember kFanSpeedsCaseFanKit;
extern const CSensorMember kFanSpeedsBusFanKit;
extern const CSensorMember kFanSpeedsSystemUnit;
extern const CSensorMember kFanSpeedPanel;  // call with the panel index

// Writes the member's readings in table order. dwIndex fills the names that hold "%d".
void WriteSensors(CTest& test, const CSensorMember& member, DWORD dwIndex = 0);
// The member of number dwIndex (1 or 2) of a pair, called with that number; any other
// number writes nothing.
void WriteSensors(CTest& test, const CSensorMember (&members)[2], DWORD dwIndex);

// One named temperature begun first with the alarm rule (a failed read: failure text, no alarm
// read). For groups with sensors of their own.
void WriteTemperature(CTest& test, const wchar_t* pszName, const wchar_t* pszDescription,
                      DWORD dwTemperatureId, DWORD dwAlarmId);
