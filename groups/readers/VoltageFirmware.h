// Voltage and firmware reader families: supply voltages, firmware versions and boot modes, driven by member tables.
#pragma once

#include <windows.h>

#include <string>

#include "groups/readers/Rows.h"

// ---- Voltages ---------------------------------------------------------------------------------

// Voltage members are rows (TivGetVoltage(id, 4 bytes), kind kThousandths), written with
// WriteRows: begin-first, Volt (Watt for the power), the failure rule.
extern const CRows kVoltagesCpu;          // "VcoreA", "VcoreB" (board R563 only)
extern const CRows kVoltagesCpuBoard;     // "+3.3Vin", "+5Vin", "5Vsb"
extern const CRows kPowerCpuBoard;        // "Vin" (not on 18, 19), "Wcpu"
extern const CRows kVoltageCmosBattery;   // "Vbat" on 18, 15, 16, 17, 6, 7, 19

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
    std::span<const CFirmwareTest> tests;
    const CFirmwareMember* pOtherwise;
};

extern const CFirmwareMember kFirmwareDisplayLink;  // "FPGA firmware version", "Boot mode"
extern const CFirmwareMember kFirmwareIoBoard;      // "FPGA firmware version", "Boot mode"
extern const CFirmwareMember kFirmwareDrov;         // subcategory "DROV" and its two tests
extern const CFirmwareMember kFirmwareBiosBootMode; // "Boot mode" (BIOS form), on 15, 16, 17

void WriteFirmware(CTest& test, const CFirmwareMember& member);

// One boot-mode test, begin-first, no description.
void WriteBootMode(CTest& test, const wchar_t* pszName, DWORD dwId, bool bBiosForm);
