// Panels group: display settings, keys and LEDs of the selected panel.
#include "groups/TestPanel.h"

#include <string>

#include "framework/Text.h"
#include "groups/readers/Rows.h"

namespace
{

const CRow kDisplayType = { .name = L"Display type", .read = &CTivLibrary::m_pTivGetDisplayType,
                            .size = 1, .format = L"%02X", .code = kFormatHex };
// Type 15 keeps the display type of its first panel in the factory values.
const CRow kFactoryDisplayType = { .name = L"Display type", .read = kFactoryValue, .id = 4,
                                   .size = 1, .format = L"%02X", .code = kFormatHex };

// The brightness as text with its percent sign; its default and factory values as Percent.
const CRow kBrightness = { .name = L"Brightness",
                           .read = &CTivLibrary::m_pTivGetDisplayBrightness, .size = 1,
                           .format = L"%u%%" };
const CRow kBrightnessFollowers[] = {
    { .name = L"Default brightness", .read = &CTivLibrary::m_pTivGetDisplayDefaultBrightness,
      .size = 1, .code = kFormatPercent },
    { .name = L"Factory brightness", .read = &CTivLibrary::m_pTivGetDisplayFactoryBrightness,
      .size = 1, .code = kFormatPercent, .gate = OnlyOn({ 4, 5, 8 }) },
};

const CRow kContrast = { .name = L"Contrast", .read = &CTivLibrary::m_pTivGetDisplayContrast,
                         .size = 1, .code = kFormatPercent };
const CRow kContrastFollowers[] = {
    { .name = L"Default contrast", .read = &CTivLibrary::m_pTivGetDisplayDefaultContrast,
      .size = 1, .code = kFormatPercent },
    { .name = L"Factory contrast", .read = &CTivLibrary::m_pTivGetDisplayFactoryContrast,
      .size = 1, .code = kFormatPercent, .gate = OnlyOn({ 4, 5 }) },
};

const CRow kEqualizerAutoValue = {
    .name = L"Equalizer auto value",
    .description = L"Predetermined equalizer value of the Lumeq: 0 (strong; for long cables) to "
                   L"15 (weak; for short cables).",
    .read = kHardwareValue, .id = 21, .size = 1
};

const CRow kKeyCount = { .name = L"Count",
                         .description = L"The maximum number of keys supported by the Vek device.",
                         .read = &CTivLibrary::m_pTivGetKeyCount, .size = 1 };
const CRow kKeysEnabled = { .name = L"Enabled",
                            .description = L"Determines whether the keys are enabled.",
                            .kind = ERowKind::kWords, .read = &CTivLibrary::m_pTivAreKeysEnabled,
                            .code = kFormatYesNo, .words = kYesWords };
const CRow kKeySwitches = {
    .name = L"Switches",
    .description = L"The state of the key switches on the device. Each state is represented by "
                   L"one bit: 0 = contact open, 1 = contact closed.",
    .read = &CTivLibrary::m_pTivGetKeySwitches, .size = 1, .format = L"%02X", .code = kFormatHex,
    .gate = NotOn({ 9, 11 })
};
const CRow kKeyMatrix = { .name = L"Matrix", .description = L"State of all keys on the Lumeq.",
                          .kind = ERowKind::kRaw, .read = &CTivLibrary::m_pTivGetKeyMatrix,
                          .size = 16, .code = kFormatRaw };

const CRow kLedCount = { .name = L"Count",
                         .description = L"The maximum number of LEDs supported by the Vek device.",
                         .read = &CTivLibrary::m_pTivGetLedCount, .size = 1 };
// The layer is the row's id; the name is filled in per layer.
const CRow kLedMatrix = { .description = L"State of all LEDs on the Lumeq.",
                          .kind = ERowKind::kRaw, .read = &CTivLibrary::m_pTivGetLedMatrix,
                          .size = 32, .code = kFormatRaw };
const DWORD kLedLayers = 4;

// Equalizer reads that fail with "not supported" mean the panel has no equalizer.
CReading NotSupportedIsNotAvailable(const CReading& reading)
{
    if (!reading.bOk && reading.dwError == ERROR_NOT_SUPPORTED)
        return NotAvailable();
    return reading;
}

}  // namespace

void CTestPanel::TestDisplaySettings(DWORD dwPanel)
{
    if (IsDeviceTypeIn(m_Library, { 4, 5 }))
        WriteRow(*this, kDisplayType);
    else if (IsDeviceTypeIn(m_Library, { 15 }) && dwPanel == 0)
        WriteRow(*this, kFactoryDisplayType);

    // Width and height are unsigned 16-bit values; the height is asked for only after the
    // width has been read.
    BeginFirstTest(*this, L"Resolution", L"", [&] {
        DWORD dwWidth = 0;
        DWORD dwHeight = 0;
        DWORD dwError = 0;
        if (!CallTivRead(m_Library.m_pTivGetFactoryValue, 15, &dwWidth, 2, dwError) ||
            !CallTivRead(m_Library.m_pTivGetFactoryValue, 16, &dwHeight, 2, dwError))
            return Failure(dwError);
        return Value(StrFormat(L"%ux%u", dwWidth, dwHeight), kFormatString);
    });

    DWORD dwBrightness = 0;
    if (WriteRowAndKeep(kBrightness, dwBrightness))
        WriteRows(*this, kBrightnessFollowers);

    // An unreadable contrast leaves out all three contrast tests.
    if (IsDeviceTypeIn(m_Library, { 4, 5, 9, 11 }) &&
        ReadFirstTest(*this, kContrast.name, kContrast.description,
                      [&] { return ReadRow(m_Library, kContrast); }))
        WriteRows(*this, kContrastFollowers);

    if (!HasLink(dwPanel))
        return;
    // The auto value belongs to the manual mode; a failed read gives no mode, so no auto value.
    bool bManual = false;
    BeginFirstTest(*this, L"Equalizer", L"", [&] {
        DWORD dwMode = 0;
        BYTE byValue = 0;
        PFN_TIV_EQUALIZER pfn = m_Library.m_pTivGetDisplayEqualizer;
        if (pfn == nullptr || !pfn(&dwMode, &byValue))
            return NotSupportedIsNotAvailable(Failure(GetLastError()));
        bManual = dwMode == 0;
        return Value(StrFormat(L"%u (%s)", static_cast<DWORD>(byValue),
                               bManual ? L"Manual" : L"Auto"),
                     kFormatString);
    });
    if (!bManual)
        return;
    // Read before the test is begun; the test is written in every outcome.
    CReading autoValue = NotSupportedIsNotAvailable(ReadRow(m_Library, kEqualizerAutoValue));
    WriteTest(*this, kEqualizerAutoValue.name, kEqualizerAutoValue.description, autoValue);
}

void CTestPanel::TestKeys()
{
    DWORD dwCount = 0;
    WriteRowAndKeep(kKeyCount, dwCount);
    if (dwCount == 0)
        return;
    WriteRow(*this, kKeysEnabled);
    if (PassesGate(m_Library, kKeySwitches.gate))
    {
        // Without a valid key configuration the switches cannot be read: "Undefined", not an
        // error.
        BeginFirstTest(*this, kKeySwitches.name, kKeySwitches.description, [&] {
            CReading reading = ReadRow(m_Library, kKeySwitches);
            return reading.bOk ? reading : Value(L"Undefined", kFormatString);
        });
    }
    WriteRow(*this, kKeyMatrix);
}

void CTestPanel::TestLeds()
{
    DWORD dwCount = 0;
    WriteRowAndKeep(kLedCount, dwCount);
    if (dwCount == 0)
        return;
    for (DWORD dwLayer = 0; dwLayer < kLedLayers; ++dwLayer)
    {
        // Asked before every layer; a failed read counts as an invalid configuration, whatever
        // the library left in the state.
        DWORD dwState = 0;
        PFN_TIV_DWORD_OUT pfn = m_Library.m_pTivGetKeyCfgState;
        if (pfn != nullptr && !pfn(&dwState))
            dwState = 0;
        // Layer 1 always exists; the others only with a valid key configuration.
        if (dwLayer > 0 && dwState == 0)
            continue;
        const std::wstring name = StrFormat(L"Matrix, layer %d", dwLayer + 1);
        CRow row = kLedMatrix;
        row.name = name.c_str();
        row.id = dwLayer;
        WriteRow(*this, row);
    }
}
