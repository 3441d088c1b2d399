// Voltage and firmware reader families: member tables and the mechanisms that write them.
#include "groups/readers/VoltageFirmware.h"

#include <iterator>

#include "framework/Text.h"

namespace
{

const CTypeGate kAlways = { CTypeGate::kAlways, {} };

const CVoltageTest kCpuVoltages[] = {
    { L"VcoreA", L"", 0, L"%.3f", kFormatVolt, kAlways, 0 },
    { L"VcoreB", L"Only supported on R563 CPU boards", 4, L"%.3f", kFormatVolt, kAlways, 3 },
};
const CVoltageTest kCpuBoardVoltages[] = {
    { L"+3.3Vin", L"", 1, L"%.3f", kFormatVolt, kAlways, 0 },
    { L"+5Vin", L"", 5, L"%.3f", kFormatVolt, kAlways, 0 },
    { L"5Vsb", L"Standby voltage (5Vsb)", 2, L"%.3f", kFormatVolt, kAlways, 0 },
};
const CVoltageTest kCpuBoardPower[] = {
    { L"Vin", L"", 7, L"%.2f", kFormatVolt, { CTypeGate::kNotOn, { { 18, 19 } } }, 0 },
    { L"Wcpu",
      L"The power of the complete device on TVX670 and MRL660 and CPU power on all other "
      L"devices.",
      8, L"%.2f", kFormatWatt, kAlways, 0 },
};
const CVoltageTest kCmosBatteryVoltage[] = {
    { L"Vbat", L"Battery voltage (Vbat)", 3, L"%.3f", kFormatVolt,
      { CTypeGate::kOnlyOn, { { 18, 15, 16, 17, 6, 7, 19 } } }, 0 },
};

bool IsCpuBoard(CTivLibrary& library, DWORD dwCode)
{
    DWORD dwBoard = 0;
    wchar_t szName[260] = {};
    return library.GetCpuBoardType(&dwBoard, szName) && dwBoard == dwCode;
}

const CFirmwareTest kDisplayLinkFirmware[] = {
    { CFirmwareTest::kVersion, L"FPGA firmware version", 24 },
    { CFirmwareTest::kBootMode, L"Boot mode", 32 },
};
const CFirmwareTest kIoBoardFirmware[] = {
    { CFirmwareTest::kVersion, L"FPGA firmware version", 30 },
    { CFirmwareTest::kBootMode, L"Boot mode", 31 },
};
const CFirmwareTest kDrovFirmware[] = {
    { CFirmwareTest::kVersion, L"DROV version", 27 },
    { CFirmwareTest::kBootMode, L"Boot mode", 29 },
};
const CFirmwareTest kOlderDrovFirmware[] = {
    { CFirmwareTest::kVersion, L"FPGA version", 18 },
    { CFirmwareTest::kVersion, L"KJ58 version", 19 },
};
const CFirmwareTest kBiosBootMode[] = {
    { CFirmwareTest::kBootModeBios, L"Boot mode", 28 },
};

// Types before 15 (and an unreadable type) report the FPGA and KJ58 versions instead.
const CFirmwareMember kFirmwareOlderDrov = {
    nullptr, kAlways, kOlderDrovFirmware, std::size(kOlderDrovFirmware), nullptr
};

}  // namespace

const CVoltageMember kVoltagesCpu = { kCpuVoltages, std::size(kCpuVoltages) };
const CVoltageMember kVoltagesCpuBoard = { kCpuBoardVoltages, std::size(kCpuBoardVoltages) };
const CVoltageMember kPowerCpuBoard = { kCpuBoardPower, std::size(kCpuBoardPower) };
const CVoltageMember kVoltageCmosBattery = { kCmosBatteryVoltage,
                                             std::size(kCmosBatteryVoltage) };

const CFirmwareMember kFirmwareDisplayLink = {
    nullptr, kAlways, kDisplayLinkFirmware, std::size(kDisplayLinkFirmware), nullptr
};
const CFirmwareMember kFirmwareIoBoard = {
    nullptr, kAlways, kIoBoardFirmware, std::size(kIoBoardFirmware), nullptr
};
const CFirmwareMember kFirmwareDrov = {
    L"DROV", { CTypeGate::kOnlyOn, { { 15, 16, 17, 18, 19, 20, 21 } } }, kDrovFirmware,
    std::size(kDrovFirmware), &kFirmwareOlderDrov
};
const CFirmwareMember kFirmwareBiosBootMode = {
    nullptr, { CTypeGate::kOnlyOn, { { 15, 16, 17 } } }, kBiosBootMode, std::size(kBiosBootMode),
    nullptr
};

std::wstring FormatThousandths(DWORD dwValue, const wchar_t* pszFormat)
{
    // volatile keeps the quotient in single precision whatever the compiler's FPU settings.
    volatile float fValue = static_cast<float>(dwValue);
    volatile float fQuotient = fValue / 1000.0f;
    return StrFormat(pszFormat, static_cast<double>(fQuotient));
}

void WriteVoltages(CTest& test, const CVoltageMember& member)
{
    CTivLibrary& library = test.m_Library;
    for (size_t i = 0; i < member.nTests; ++i)
    {
        const CVoltageTest& row = member.pTests[i];
        if (!PassesGate(library, row.gate))
            continue;
        if (row.dwCpuBoardCode != 0 && !IsCpuBoard(library, row.dwCpuBoardCode))
            continue;
        BeginFirstTest(test, row.pszName, row.pszDescription, [&] {
            DWORD dwValue = 0;
            DWORD dwError = 0;
            if (!CallTivRead(library.m_pTivGetVoltage, row.dwId, &dwValue, sizeof dwValue,
                             dwError))
                return Failure(dwError);
            return Value(FormatThousandths(dwValue, row.pszFormat), row.dwFormat);
        });
    }
}

void WriteBootMode(CTest& test, const wchar_t* pszName, DWORD dwId, bool bBiosForm)
{
    PFN_TIV_ID_READ pfnRead = test.m_Library.m_pTivGetFirmwareValue;
    BeginFirstTest(test, pszName, L"", [&] {
        DWORD dwValue = 0;
        BOOL bResult = pfnRead != nullptr ? pfnRead(dwId, &dwValue, sizeof dwValue) : FALSE;
        DWORD dwError = GetLastError();
        // The common form trusts only a result of exactly 1; the BIOS form any non-zero one.
        bool bOk = bBiosForm ? bResult != FALSE : bResult == 1;
        if (!bOk)
            return Failure(dwError);
        if (bBiosForm)
            return Value(dwValue == 1 ? L"Normal area" : L"Backup area", kFormatString);
        return Value(dwValue == 1 ? L"High area" : L"Low area", kFormatString);
    });
}

void WriteFirmware(CTest& test, const CFirmwareMember& member)
{
    if (member.pszSubCategory != nullptr)
        test.m_pReport->NextSubCategory(member.pszSubCategory);

    const CFirmwareMember* pMember = &member;
    while (pMember != nullptr && !PassesGate(test.m_Library, pMember->gate))
        pMember = pMember->pOtherwise;
    if (pMember == nullptr)
        return;

    for (size_t i = 0; i < pMember->nTests; ++i)
    {
        const CFirmwareTest& row = pMember->pTests[i];
        if (row.kind == CFirmwareTest::kVersion)
        {
            BeginFirstTest(test, row.pszName, L"", [&] {
                return ReadString(test.m_Library.m_pTivGetFirmwareStringW, row.dwId);
            });
        }
        else
        {
            WriteBootMode(test, row.pszName, row.dwId, row.kind == CFirmwareTest::kBootModeBios);
        }
    }
}
