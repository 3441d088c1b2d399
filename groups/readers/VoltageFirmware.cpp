// Voltage and firmware reader families: member tables and the mechanisms that write them.
#include "groups/readers/VoltageFirmware.h"

#include <iterator>

#include "framework/Text.h"

namespace
{

const CRow kCpuVoltageRows[] = {
    { .name = L"VcoreA", .kind = ERowKind::kThousandths, .read = kVoltageValue, .id = 0,
      .format = L"%.3f", .code = kFormatVolt },
    { .name = L"VcoreB", .description = L"Only supported on R563 CPU boards",
      .kind = ERowKind::kThousandths, .read = kVoltageValue, .id = 4, .format = L"%.3f",
      .code = kFormatVolt, .gate = OnCpuBoard(3) },
};
const CRow kCpuBoardVoltageRows[] = {
    { .name = L"+3.3Vin", .kind = ERowKind::kThousandths, .read = kVoltageValue, .id = 1,
      .format = L"%.3f", .code = kFormatVolt },
    { .name = L"+5Vin", .kind = ERowKind::kThousandths, .read = kVoltageValue, .id = 5,
      .format = L"%.3f", .code = kFormatVolt },
    { .name = L"5Vsb", .description = L"Standby voltage (5Vsb)", .kind = ERowKind::kThousandths,
      .read = kVoltageValue, .id = 2, .format = L"%.3f", .code = kFormatVolt },
};
const CRow kCpuBoardPowerRows[] = {
    { .name = L"Vin", .kind = ERowKind::kThousandths, .read = kVoltageValue, .id = 7,
      .format = L"%.2f", .code = kFormatVolt, .gate = NotOn({ 18, 19 }) },
    { .name = L"Wcpu",
      .description = L"The power of the complete device on TVX670 and MRL660 and CPU power on "
                     L"all other devices.",
      .kind = ERowKind::kThousandths, .read = kVoltageValue, .id = 8, .format = L"%.2f",
      .code = kFormatWatt },
};
const CRow kCmosBatteryVoltageRows[] = {
    { .name = L"Vbat", .description = L"Battery voltage (Vbat)", .kind = ERowKind::kThousandths,
      .read = kVoltageValue, .id = 3, .format = L"%.3f", .code = kFormatVolt,
      .gate = OnlyOn({ 18, 15, 16, 17, 6, 7, 19 }) },
};

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
    nullptr, kAlways, kOlderDrovFirmware, nullptr
};

}  // namespace

const CRows kVoltagesCpu = kCpuVoltageRows;
const CRows kVoltagesCpuBoard = kCpuBoardVoltageRows;
const CRows kPowerCpuBoard = kCpuBoardPowerRows;
const CRows kVoltageCmosBattery = kCmosBatteryVoltageRows;

const CFirmwareMember kFirmwareDisplayLink = {
    nullptr, kAlways, kDisplayLinkFirmware, nullptr
};
const CFirmwareMember kFirmwareIoBoard = {
    nullptr, kAlways, kIoBoardFirmware, nullptr
};
const CFirmwareMember kFirmwareDrov = {
    L"DROV", OnlyOn({ 15, 16, 17, 18, 19, 20, 21 }), kDrovFirmware, &kFirmwareOlderDrov
};
const CFirmwareMember kFirmwareBiosBootMode = {
    nullptr, OnlyOn({ 15, 16, 17 }), kBiosBootMode, nullptr
};

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

    for (const CFirmwareTest& row : pMember->tests)
    {
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
