// System-unit group: firmware, factory settings, statistics, temperatures, fans, switches, Kelb slots, CMOS battery.
#include "groups/TestSystemUnit.h"

#include <iterator>

#include "groups/readers/FactorySettings.h"
#include "groups/readers/Rows.h"
#include "groups/readers/Statistics.h"
#include "groups/readers/TemperatureFan.h"
#include "groups/readers/VoltageFirmware.h"

namespace
{

const wchar_t kGroupDescription[] =
    L"Contains tests of system unit specific items like temperatures, factory settings or fan "
    L"speeds.";

// ---- Factory settings -------------------------------------------------------------------------

// The system unit's ids form no block; types 4 and 5 keep a one-byte version and fewer fields.
const CRow kFactorySettings[] = {
    { .name = L"Version", .read = kFactoryValue, .id = 1, .size = 1, .gate = OnlyOn({ 4, 5 }) },
    { .name = L"Version", .kind = ERowKind::kText, .read = kFactoryValue, .id = 1,
      .size = kStringBytes, .gate = NotOn({ 4, 5 }) },
    { .name = L"Vendor ID", .description = L"Vek = 0.", .read = kFactoryValue, .id = 11,
      .format = L"%08X", .code = kFormatHex, .gate = NotOn({ 4, 5 }) },
    { .name = L"Device ID", .read = kFactoryValue, .id = 2, .format = L"%08X",
      .code = kFormatHex },
    { .name = L"Compatibility ID",
      .description = kCompatibilityDescription,
      .read = kFactoryValue, .id = 3, .size = 2, .format = L"%04X", .code = kFormatHex },
    { .name = L"Parent Device ID",
      .description = kParentDeviceDescription,
      .read = kFactoryValue, .id = 31, .format = L"%08X", .code = kFormatHex,
      .gate = NotOn({ 4, 5, 9, 11 }) },
    { .name = L"Parent Compatibility ID",
      .description = kParentCompatibilityDescription,
      .read = kFactoryValue, .id = 32, .size = 2, .format = L"%04X", .code = kFormatHex,
      .gate = NotOn({ 4, 5, 9, 11 }) },
    { .name = L"Hardware revision", .kind = ERowKind::kText, .read = kFactoryString, .id = 12,
      .size = kStringBytes, .gate = NotOn({ 4, 5 }) },
    { .name = L"Serial number", .kind = ERowKind::kText, .read = kFactoryString, .id = 13,
      .size = kStringBytes, .gate = NotOn({ 4, 5 }) },
    { .name = L"Model number", .kind = ERowKind::kText, .read = kFactoryString, .id = 14,
      .size = kStringBytes },
    { .name = L"Brightness (min/def/max)", .kind = ERowKind::kByteList, .read = kFactoryValue,
      .format = L"%02Xh", .gate = OnlyOn({ 4, 5 }), .ids = Ids({ 5, 6, 7 }) },
    { .name = L"Brightness (min/max)", .kind = ERowKind::kByteList, .read = kFactoryValue,
      .format = L"%02Xh", .gate = OnlyOn({ 9, 11 }), .ids = Ids({ 5, 7 }) },
    { .name = L"Contrast (min/def/max)", .kind = ERowKind::kByteList, .read = kFactoryValue,
      .format = L"%02Xh", .gate = OnlyOn({ 4, 5 }), .ids = Ids({ 8, 9, 10 }) },
    { .name = L"Contrast (min/max)", .kind = ERowKind::kByteList, .read = kFactoryValue,
      .format = L"%02Xh", .gate = OnlyOn({ 9, 11 }), .ids = Ids({ 8, 10 }) },
    { .name = L"Optimized ID", .kind = ERowKind::kBits, .read = kHardwareValue, .id = 15,
      .size = 1, .code = kFormatDec, .gate = OnlyOn({ 6, 7 }) },
    { .name = L"Raw data", .description = L"Complete factory settings of the Vek device.",
      .kind = ERowKind::kRaw, .read = kFactoryValue, .id = 17, .size = 2048, .code = kFormatRaw,
      .gate = OnlyOn({ 15, 16, 17, 18, 19, 20, 21 }) },
    { .name = L"Raw data", .description = L"Complete factory settings of the Vek device.",
      .kind = ERowKind::kRaw, .read = kFactoryValue, .id = 17, .size = 256, .code = kFormatRaw,
      .gate = NotOn({ 15, 16, 17, 18, 19, 20, 21 }) },
};

// ---- Temperatures -----------------------------------------------------------------------------

// The named board sensors of the types before 15, begun first with their alarms.
struct CNamedSensor
{
    const wchar_t* pszName;
    const wchar_t* pszDescription;
    DWORD dwTemperatureId;
    DWORD dwAlarmId;
    CTypeGate gate;
};

const CNamedSensor kNamedSensors[] = {
    { L"Power supply", L"", 2, 1, OnlyOn({ 6, 7, 12, 13, 14 }) },
    { L"Board power supply", L"", 8, 20, OnlyOn({ 12, 13 }) },
    { L"Board Ethernet Controller 2", L"", 9, 21, OnlyOn({ 12, 13 }) },
    { L"Board I/O", L"", 1, 0, OnlyOn({ 4, 5, 6, 7, 8, 10, 12, 13 }) },
    { L"Board out",
      L"Temperature of the baseboard at the air outlet (at the top of the device).", 12, 24,
      OnlyOn({ 14 }) },
    { L"Board center",
      L"Temperature in the baseboard center of (between baseboard and CPU board).", 13, 25,
      OnlyOn({ 14 }) },
    { L"Board in",
      L"Temperature of the baseboard at the air inlet (at the bottom of the device).", 11, 23,
      OnlyOn({ 14 }) },
    { L"Ethernet Controller 2", L"", 10, 22, OnlyOn({ 12 }) },
    { L"Slide-In drive 1", L"", 3, 2, OnlyOn({ 6, 7, 12, 13 }) },
    { L"Slide-In drive 2", L"", 4, 3, OnlyOn({ 6, 7, 12 }) },
    { L"IF slot", L"", 14, 26, OnlyOn({ 13, 14 }) },
};

// ---- Switches and CMOS battery ----------------------------------------------------------------

const CRow kSwitches[] = {
    { .name = L"CMOS profile", .read = kHardwareValue, .id = 51, .size = 1, .format = L"%x",
      .code = kFormatHex, .gate = OnlyOn({ 12, 13, 14 }) },
    { .name = L"Mode/Node", .description = L"The setting of the Mode/Node switches.",
      .read = kHardwareValue, .id = 0, .size = 1, .format = L"%02X", .code = kFormatHex,
      .gate = OnlyOn({ 4, 5, 8, 15, 17 }) },
    { .name = L"Write Protect", .kind = ERowKind::kWords, .read = kHardwareValue, .id = 1,
      .code = kFormatEnableDisable, .gate = OnlyOn({ 4, 5 }), .words = kEnabledWords },
};

// A bad battery is reported by its number alone, Passed.
const CRow kCmosBatteryState = {
    .name = L"CMOS battery state",
    .description = L"0 = Unknown, 1 = Good, 2 = Bad (missing, defect or empty).",
    .kind = ERowKind::kSigned, .read = kHardwareValue, .id = 37, .format = L"%d",
    .code = kFormatDec
};

// ---- Firmware ---------------------------------------------------------------------------------

// SMC and ZUQ controllers of types 4 and 5: one version each.
struct CControllerFirmware
{
    const wchar_t* pszSubCategory;
    CRow version;
};

const CControllerFirmware kControllers[] = {
    { L"SMC", { .name = L"Version", .kind = ERowKind::kText, .read = kFirmwareString, .id = 16,
                .size = kStringBytes } },
    { L"ZUQ", { .name = L"Version", .kind = ERowKind::kText, .read = kFirmwareString, .id = 17,
                .size = kStringBytes } },
};

// The on-board FPGAs "FPGA" and "FPGA1": the same tests with their own ids.
const wchar_t kFpgaInfoDescription[] =
    L"Comment of on-board FPGA firmware. Per default the comment contains date and version of "
    L"the firmware. Example: \"Sendra 10.03.2003 V10\".";
const wchar_t kFpgaExtendedInfoDescription[] =
    L"The XML header of the on-board FPGA firmware. The XML header contains properties of the "
    L"firmware as device ID, version, size.";
const wchar_t kFpgaSizeDescription[] = L"Size in bytes of the on-board FPGA firmware.";
const wchar_t kFpgaBootStatusDescription[] =
    L"Boot status of on-board FPGA firmware. See the TIV documentation for further information.";

struct COnBoardFpga
{
    const wchar_t* pszSubCategory;
    CRow tests[4];
};

// The boot status is shown as its number here, not as its text.
constexpr COnBoardFpga OnBoardFpga(const wchar_t* pszSubCategory, DWORD dwInfoId,
                                   DWORD dwHeaderId, DWORD dwSizeId, DWORD dwStatusId)
{
    return { pszSubCategory,
             { { .name = L"Info", .description = kFpgaInfoDescription, .kind = ERowKind::kText,
                 .read = kFirmwareString, .id = dwInfoId, .size = kStringBytes },
               { .name = L"Extended info", .description = kFpgaExtendedInfoDescription,
                 .kind = ERowKind::kText, .read = kFirmwareString, .id = dwHeaderId,
                 .size = kStringBytes, .code = kFormatRaw },
               { .name = L"Size", .description = kFpgaSizeDescription, .read = kFirmwareValue,
                 .id = dwSizeId, .code = kFormatBytes },
               { .name = L"Boot status", .description = kFpgaBootStatusDescription,
                 .read = kFirmwareValue, .id = dwStatusId, .size = 1, .code = kFormatDec } } };
}

const COnBoardFpga kOnBoardFpgas[] = {
    OnBoardFpga(L"FPGA", 0, 4, 8, 12),
    OnBoardFpga(L"FPGA1", 3, 7, 11, 15),
};

// LMQ Link: the link type decides whether its text and FPGA version are read.
const DWORD kLmqLinkTypeId = 18;
const CRow kLmqLinkTypeText = { .kind = ERowKind::kText, .read = kHardwareString, .id = 19,
                                .size = kStringBytes };
const CRow kLmqFpgaVersion = { .name = L"FPGA version", .kind = ERowKind::kText,
                               .read = kFirmwareString, .id = 24, .size = kStringBytes };

// ---- Kelb slots -------------------------------------------------------------------------------

// Boot status code of a Kelb slot without a module.
const BYTE kNoKelbModule = 2;

// A Kelb slot: its FPGA in "Firmware" and its module in a category of its own.
struct CKelbSlot
{
    const wchar_t* pszCategory;
    const wchar_t* pszFpgaSubCategory;
    DWORD dwBootStatusId;
    CRow fpga[3];
    CRow module[4];
};

constexpr CKelbSlot KelbSlot(const wchar_t* pszCategory, const wchar_t* pszFpgaSubCategory,
                             DWORD dwBootStatusId, DWORD dwInfoId, DWORD dwHeaderId,
                             DWORD dwSizeId, DWORD dwModelId, DWORD dwDeviceId,
                             DWORD dwVariantId, DWORD dwEepromId)
{
    return { pszCategory,
             pszFpgaSubCategory,
             dwBootStatusId,
             { { .name = L"Kelb info", .kind = ERowKind::kText, .read = kFirmwareString,
                 .id = dwInfoId, .size = kStringBytes },
               { .name = L"Kelb extended info", .kind = ERowKind::kText,
                 .read = kFirmwareString, .id = dwHeaderId, .size = kStringBytes },
               { .name = L"Kelb size", .read = kFirmwareValue, .id = dwSizeId,
                 .code = kFormatBytes } },
             { { .name = L"Model number", .kind = ERowKind::kText, .read = kHardwareString,
                 .id = dwModelId, .size = kStringBytes },
               { .name = L"Device ID", .kind = ERowKind::kText, .read = kHardwareString,
                 .id = dwDeviceId, .size = kStringBytes },
               { .name = L"Variant", .read = kHardwareValue, .id = dwVariantId, .size = 1 },
               { .name = L"EEPROM data", .kind = ERowKind::kRaw, .read = kHardwareValue,
                 .id = dwEepromId, .size = 256, .code = kFormatRaw } } };
}

const CKelbSlot kKelbSlots[] = {
    KelbSlot(L"Kelb Slot 1", L"Kelb Slot 1 FPGA", 13, 1, 5, 9, 2, 4, 24, 26),
    KelbSlot(L"Kelb Slot 2", L"Kelb Slot 2 FPGA", 14, 2, 6, 10, 3, 5, 25, 27),
};

// The boot status of a Kelb slot's FPGA as its text. bModule is true only when the read
// succeeded with a code other than "no module"; a failed call's buffer is never looked at.
CReading ReadKelbBootStatus(CTivLibrary& library, DWORD dwId, bool& bModule)
{
    BYTE byCode = 0;
    DWORD dwError = 0;
    bModule = false;
    if (!CallTivRead(library.m_pTivGetFirmwareValue, dwId, &byCode, 1, dwError))
        return Failure(dwError);
    bModule = byCode != kNoKelbModule;
    return Value(GetFpgaBootStatusText(byCode), kFormatString);
}

// ---- Run order --------------------------------------------------------------------------------

// One step of the group: when its gate passes, the category it opens first (nullptr: the step
// opens its own containers) and its sub-test.
struct CStep
{
    CTypeGate gate;
    const wchar_t* pszCategory;
    void (CTestSystemUnit::*pTest)();
};

// Subcategories of "Firmware", each opened by its sub-test.
const CStep kFirmwareSteps[] = {
    { NotOn({ 4, 5, 9, 11 }), nullptr, &CTestSystemUnit::TestDrov },
    { OnlyOn({ 4, 5 }), nullptr, &CTestSystemUnit::TestSmcVersion },
    { OnlyOn({ 4, 5 }), nullptr, &CTestSystemUnit::TestZuqVersion },
    { OnlyOn({ 4, 5 }), nullptr, &CTestSystemUnit::TestFpga },
    { OnlyOn({ 5 }), nullptr, &CTestSystemUnit::TestFpga1 },
    { NotOn({ 4, 5, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19, 20, 21 }), nullptr,
      &CTestSystemUnit::TestLmqLink },
    { OnlyOn({ 4, 8 }), nullptr, &CTestSystemUnit::TestKelbFpga },
};

// The categories after "Factory Settings". A category opened here is written even when none
// of its tests applies to the device type.
const CStep kCategorySteps[] = {
    { NotOn({ 4, 5 }), L"Statistics", &CTestSystemUnit::TestStatistics },
    { NotOn({ 9, 11 }), nullptr, &CTestSystemUnit::TestTemperatures },
    { NotOn({ 4, 5, 9, 11, 15, 16, 17, 18, 19, 20, 21 }), L"Fans", &CTestSystemUnit::TestFans },
    { NotOn({ 6, 7, 9, 10, 11, 16, 18, 19, 20, 21 }), L"Switches",
      &CTestSystemUnit::TestSwitches },
    { OnlyOn({ 4, 8 }), nullptr, &CTestSystemUnit::TestKelbSlots },
    { NotOn({ 9, 11, 20, 21 }), L"CMOS Battery", &CTestSystemUnit::TestCmosBattery },
};

void RunSteps(CTestSystemUnit& group, std::span<const CStep> steps)
{
    for (const CStep& step : steps)
    {
        if (!PassesGate(group.m_Library, step.gate))
            continue;
        if (step.pszCategory != nullptr)
            group.m_pReport->NextCategory(step.pszCategory, nullptr);
        (group.*step.pTest)();
    }
}

}  // namespace

const wchar_t* GetFpgaBootStatusText(DWORD dwCode)
{
    static const wchar_t* const kTexts[] = {
        L"FPGA firmware not found",
        L"Invalid FPGA firmware size (data corrupted)",
        L"Kelb module not found",
        L"Can't enter boot mode",
        L"Boot failed",
        L"Boot OK",
        L"Old FPGA firmware (old version)",
        L"FPGA firmware mismatch (wrong device ID or variant)",
        L"Boot disabled (in BIOS Setup)",
        L"Boot is active)",
        L"Invalid FPGA firmware checksum",
    };
    BYTE byCode = static_cast<BYTE>(dwCode);
    return byCode < std::size(kTexts) ? kTexts[byCode] : L"Unknown";
}

void CTestSystemUnit::Run()
{
    // One type read; past this gate every check compares the cached code.
    if (!HasReadableDeviceType(m_Library))
        return;
    if (IsDeviceTypeIn(m_Library, { 9, 11 }))
    {
        m_pReport->BeginTestGroup(L"System Unit", kGroupDescription, L"Factory Settings",
                                  nullptr);
    }
    else
    {
        m_pReport->BeginTestGroup(L"System Unit", kGroupDescription, L"Firmware",
                                  L"MANUALSUBCATS");
        TestFirmware();
        m_pReport->NextCategory(L"Factory Settings", nullptr);
    }
    TestFactorySettings();
    RunSteps(*this, kCategorySteps);
    m_pReport->EndTestGroup();
}

void CTestSystemUnit::TestFirmware()
{
    RunSteps(*this, kFirmwareSteps);
}

void CTestSystemUnit::TestDrov()
{
    WriteFirmware(*this, kFirmwareDrov);
}

void CTestSystemUnit::TestSmcVersion()
{
    TestControllerVersion(0);
}

void CTestSystemUnit::TestZuqVersion()
{
    TestControllerVersion(1);
}

void CTestSystemUnit::TestControllerVersion(size_t nController)
{
    const CControllerFirmware& controller = kControllers[nController];
    m_pReport->NextSubCategory(controller.pszSubCategory);
    WriteRow(*this, controller.version);
}

void CTestSystemUnit::TestFpga()
{
    TestOnBoardFpga(0);
}

void CTestSystemUnit::TestFpga1()
{
    TestOnBoardFpga(1);
}

void CTestSystemUnit::TestOnBoardFpga(size_t nFpga)
{
    const COnBoardFpga& fpga = kOnBoardFpgas[nFpga];
    m_pReport->NextSubCategory(fpga.pszSubCategory);
    WriteRows(*this, fpga.tests);
}

void CTestSystemUnit::TestLmqLink()
{
    m_pReport->NextSubCategory(L"LMQ Link");
    bool bTypeRead = false;
    BeginFirstTest(*this, L"Type", L"", [&] {
        // An unbound or failed read means no link, whatever the call left in the buffer.
        DWORD dwLinkType = 0;
        DWORD dwError = 0;
        if (!CallTivRead(m_Library.m_pTivGetHardwareValue, kLmqLinkTypeId, &dwLinkType,
                         sizeof dwLinkType, dwError))
            dwLinkType = 0;
        if (dwLinkType == 0)
            return Value(L"Not available", kFormatString);
        CReading reading = ReadRow(m_Library, kLmqLinkTypeText);
        bTypeRead = reading.bOk;
        return reading;
    });
    if (bTypeRead)
        WriteRow(*this, kLmqFpgaVersion);
}

void CTestSystemUnit::TestKelbFpga()
{
    for (const CKelbSlot& slot : kKelbSlots)
    {
        m_pReport->NextSubCategory(slot.pszFpgaSubCategory);
        bool bModule = false;
        // A failed boot is a value, not a failed test; a failed read ends the slot.
        BeginFirstTest(*this, L"Kelb boot status", L"", [&] {
            return ReadKelbBootStatus(m_Library, slot.dwBootStatusId, bModule);
        });
        if (bModule)
            WriteRows(*this, slot.fpga);
    }
}

void CTestSystemUnit::TestFactorySettings()
{
    WriteRows(*this, kFactorySettings);
}

void CTestSystemUnit::TestStatistics()
{
    WriteStatistics(*this, kStatisticsSystemUnit);
}

void CTestSystemUnit::TestTemperatures()
{
    if (IsDeviceTypeIn(m_Library, { 15, 16, 17, 18, 19, 20, 21 }))
    {
        TestExtraSensors();
        return;
    }
    m_pReport->NextCategory(L"Temperatures", nullptr);
    for (const CNamedSensor& sensor : kNamedSensors)
    {
        if (PassesGate(m_Library, sensor.gate))
            WriteTemperature(*this, sensor.pszName, sensor.pszDescription,
                             sensor.dwTemperatureId, sensor.dwAlarmId);
    }
}

void CTestSystemUnit::TestExtraSensors()
{
    WriteSensors(*this, kTemperaturesSystemUnitExtra);
}

void CTestSystemUnit::TestFans()
{
    WriteSensors(*this, kFanSpeedsSystemUnit);
}

void CTestSystemUnit::TestSwitches()
{
    WriteRows(*this, kSwitches);
}

void CTestSystemUnit::TestKelbSlots()
{
    for (const CKelbSlot& slot : kKelbSlots)
    {
        m_pReport->NextCategory(slot.pszCategory, nullptr);
        // The status byte counts only after a successful read: a failed read is reported as
        // such, not as an empty slot.
        bool bModule = false;
        CReading status = ReadKelbBootStatus(m_Library, slot.dwBootStatusId, bModule);
        if (!bModule)
        {
            WriteTest(*this, L"Kelb boot status", L"", status);
            continue;
        }
        WriteRows(*this, slot.module);
    }
}

void CTestSystemUnit::TestCmosBattery()
{
    WriteRow(*this, kCmosBatteryState);
    WriteRows(*this, kVoltageCmosBattery);
}
