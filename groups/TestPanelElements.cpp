// Panels group: the handheld's operating elements (switches, handwheel, joystick, override potentiometer).
#include "groups/TestPanel.h"

#include "framework/Text.h"
#include "groups/readers/Rows.h"

namespace
{

const CRow kSwitches[] = {
    { .name = L"Key switch / push button state",
      .description = L"Shows the state of a key switch or a push button. Note: An error occurs "
                     L"if a valid KVN16/18 key configuration is missing.",
      .read = &CTivLibrary::m_pTivGetKeySwitches, .size = 1, .code = kFormatDec },
    { .name = L"Enabling switch 1",
      .description = L"State of first enabling switch. 1 indicates that the panic position of "
                     L"the switch is pressed.",
      .read = kHardwareValue, .id = 48, .size = 1, .code = kFormatDec },
    { .name = L"Enabling switch 2",
      .description = L"State of second enabling switch. 1 indicates that the panic position of "
                     L"the switch is pressed.",
      .read = kHardwareValue, .id = 49, .size = 1, .code = kFormatDec },
};

constexpr CRow Flag(const wchar_t* pszName, const wchar_t* pszDescription, DWORD dwId)
{
    return { .name = pszName, .description = pszDescription, .kind = ERowKind::kWords,
             .read = kHardwareValue, .id = dwId, .code = kFormatYesNo, .words = kYesWords };
}

const CRow kHandwheelAvailable =
    Flag(L"Available", L"Flag that indicates that the electronic handwheel is present. ", 38);
const CRow kHandwheelValue = { .name = L"Value",
                               .description = L"Counter value of the electronic handwheel: 0 to "
                                              L"65535.",
                               .read = kHardwareValue, .id = 39, .code = kFormatDec };

const CRow kJoystickAvailable =
    Flag(L"Available", L"Flag that indicates that a joystick is present.", 40);
const CRow kJoystickCalibrated =
    Flag(L"Calibrated", L"Flag that indicates that the joystick is calibrated.", 41);

const CRow kPotentiometerAvailable =
    Flag(L"Available", L"Flag that indicates that a override potentiometer is present.", 44);
const CRow kPotentiometerRows[] = {
    Flag(L"Calibrated", L"Flag that indicates that the override potentiometer is calibrated.", 45),
    { .name = L"Value", .description = L"Calibrated value of override potentiometer.",
      .read = kHardwareValue, .id = 47 },
    { .name = L"Raw value",
      .description = L"Raw value of override potentiometer: 0 to 1023. ",
      .read = kHardwareValue, .id = 46 },
};

// A joystick position: three 32-bit values X, Y, Z in one 12-byte read.
void WritePosition(CTest& test, const wchar_t* pszName, const wchar_t* pszDescription,
                   DWORD dwId, bool bSigned)
{
    BeginFirstTest(test, pszName, pszDescription, [&] {
        DWORD xyz[3] = {};
        DWORD dwError = 0;
        if (!CallTivRead(test.m_Library.m_pTivGetHardwareValue, dwId, xyz, sizeof xyz, dwError))
            return Failure(dwError);
        std::wstring text =
            bSigned ? StrFormat(L"%d / %d / %d", static_cast<int>(xyz[0]),
                                static_cast<int>(xyz[1]), static_cast<int>(xyz[2]))
                    : StrFormat(L"%u / %u / %u", xyz[0], xyz[1], xyz[2]);
        return Value(text, kFormatString);
    });
}

}  // namespace

void CTestPanel::TestSwitches()
{
    WriteRows(*this, kSwitches);
}

void CTestPanel::TestHandwheel()
{
    DWORD dwAvailable = 0;
    WriteRowAndKeep(kHandwheelAvailable, dwAvailable);
    if (dwAvailable != 0)
        WriteRow(*this, kHandwheelValue);
}

// An uncalibrated joystick still shows its positions.
void CTestPanel::TestJoystick()
{
    DWORD dwAvailable = 0;
    WriteRowAndKeep(kJoystickAvailable, dwAvailable);
    if (dwAvailable == 0)
        return;
    WriteRow(*this, kJoystickCalibrated);
    WritePosition(*this, L"Positions (X/Y/Z)", L"Calibrated values of the joystick position.",
                  43, true);
    WritePosition(*this, L"Raw positions (X/Y/Z)",
                  L"Raw values of the joystick position: 0 to 1023.", 42, false);
}

void CTestPanel::TestOverridePotentiometer()
{
    DWORD dwAvailable = 0;
    WriteRowAndKeep(kPotentiometerAvailable, dwAvailable);
    if (dwAvailable != 0)
        WriteRows(*this, kPotentiometerRows);
}
