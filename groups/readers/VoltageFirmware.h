// Voltage and firmware reader families: supply voltages, firmware versions and boot modes, driven by member tables.
#pragma once

#include <windows.h>

#include <string>

#include "groups/readers/Reading.h"

// ---- Voltages ---------------------------------------------------------------------------------

// One voltage (or power) test: TivGetVoltage(id, 4 bytes), thousandths shown in units.
struct CVoltageTest
{
    const wchar_t* pszName;
    const wchar_t* pszDescription;  // "" for none
    DWORD dwId;
    const wchar_t* pszFormat;  // "%.3f" or "%.2f"
    DWORD dwFormat;            // Volt, or Watt for the power
    CTypeGate gate;
    DWORD dwCpuBoardCode;  // non-zero: written only when the CPU board query gives this code
};

struct CVoltageMember
{
    const CVoltageTest* pTests;
    size_t nTests;
};

extern const CVoltageMember kVoltagesCpu;          // "VcoreA", "VcoreB" (board R563 only)
extern const CVoltageMember kVoltagesCpuBoard;     // "+3.3Vin", "+5Vin", "5Vsb"
extern const CVoltageMember kPowerCpuBoard;        // "Vin" (not on 18, 19), "Wcpu"
extern const CVoltageMember kVoltageCmosBattery;   // "Vbat" on 18, 15, 16, 17, 6, 7, 19

// Writes the member's tests into the open container, each begin-first with the failure rule.
void WriteVoltages(CTest& test, const CVoltageMember& member);

// Thousandths as units: the count is divided by 1000 in single precision, as the device
// software always has (45 with "%.2f" gives 0.05; 4294967295 with "%.3f" gives 4294967.500).
std::wstring FormatThousandths(DWORD dwValue, const wchar_t* pszFormat);

// ---- Firmware versions and boot modes ---------------------------------------------------------

struct CFirmwareTest
{
    enum EKind
    {
        kVersion,       // TivGetFirmwareStringW(id, 512 bytes), String
        kBootMode,      // TivGetFirmwareValue(id, 4 bytes) returning exactly 1: High/Low area
        kBootModeBios,  // the same returning non-zero: Normal/Backup area
    };
    EKind kind;
    const wchar_t* pszName;
    DWORD dwId;
};

// A member: optionally first a subcategory of its own, then its tests when its gate passes,
// else the tests of pOtherwise (whose gate is walked the same way).
struct CFirmwareMember
{
    const wchar_t* pszSubCategory;  // opened with NextSubCategory first; nullptr for none
    CTypeGate gate;
    const CFirmwareTest* pTests;
    size_t nTests;
    const CFirmwareMember* pOtherwise;
};

extern const CFirmwareMember kFirmwareDisplayLink;  // "FPGA firmware version", "Boot mode"
extern const CFirmwareMember kFirmwareIoBoard;      // "FPGA firmware version", "Boot mode"
extern const CFirmwareMember kFirmwareDrov;         // subcategory "DROV" and its two tests
extern const CFirmwareMember kFirmwareBiosBootMode; // "Boot mode" (BIOS form), on 15, 16, 17

void WriteFirmware(CTest& test, const CFirmwareMember& member);

// One boot-mode test, begin-first, no description.
void WriteBootMode(CTest& test, const wchar_t* pszName, DWORD dwId, bool bBiosForm);
