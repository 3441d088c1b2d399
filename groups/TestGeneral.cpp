// General group: user serial id, boot logo and LED, and the key configuration.
#include "groups/TestGeneral.h"

#include "framework/Text.h"
#include "groups/readers/Rows.h"

namespace
{

// Key configuration strings in report order; an empty text of a row with bEmptyIsNa is "(n.a.)".
struct CKeyCfgString
{
    const wchar_t* pszTest;
    DWORD dwId;
    bool bEmptyIsNa;
};

const CKeyCfgString kKeyCfgStrings[] = {
    { L"Version", 0, false },
    { L"Build date", 1, false },
    { L"User information", 2, true },
};

// Bytes read through a single out-pointer, written zero-extended as "%d", Format Dec.
const CRow kUserLed = {
    .name = L"Status",
    .description =
        L"0 = LED is off, 1 = LED is slow blinking, 2 = LED is fast blinking, 3 = LED is on.",
    .read = &CTivLibrary::m_pTivGetUserLed, .size = 1, .format = L"%d", .code = kFormatDec
};

const CRow kKeyLayers[] = {
    { .name = L"Key layer", .description = L"The number of the active key layer.",
      .read = &CTivLibrary::m_pTivGetKeyLayer, .size = 1, .format = L"%d", .code = kFormatDec },
    { .name = L"Layer mode", .description = L"0=Shift, 1=Toggle, 2=One-Shot.",
      .read = &CTivLibrary::m_pTivGetKeyLayerMode, .size = 1, .format = L"%d",
      .code = kFormatDec },
};

const DWORD kLogoCommentId = 0;

const CRow kUserSerialId = {
    .name = L"Value",
    .description = L"The User Serial ID is a 32-bit value that can be freely defined and allows "
                   L"you to give the Vek device your own identification number.",
    .read = &CTivLibrary::m_pTivGetUserSerialId, .format = L"%08Xh"
};

// The logo's comment, VESA mode and size, once the comment has shown that there is a logo.
const CRow kUserBootlogo[] = {
    { .name = L"Info",
      .description = L"The comment of the User Boot Logo. Per default the comment contains file "
                     L"name, date and time of the bitmap being used. Example: \"sendra640.bmp "
                     L"2003/08/21 15:03:52\".",
      .kind = ERowKind::kText, .read = &CTivLibrary::m_pTivGetUserlogoStringW,
      .id = kLogoCommentId, .size = kStringBytes },
    { .name = L"VESA mode",
      .description = L"121h = 320x240 pixels (QVGA), 101h = 640x480 pixels (VGA), 103h = 800x600 "
                     L"pixels (SVGA), 105h = 1024x768 pixels (XGA), 125h =1152x864 pixels (XGA+), "
                     L"107h=1280x1024 pixels (SXGA), 131h=1600x1200 pixels (UXGA).",
      .read = &CTivLibrary::m_pTivGetUserlogoValue, .id = 1, .size = 2, .format = L"%x",
      .code = kFormatHex },
    { .name = L"Size", .description = L"Size in bytes of the User Boot Logo.",
      .read = &CTivLibrary::m_pTivGetUserlogoValue, .id = 2, .code = kFormatBytes },
};

}  // namespace

void CTestGeneral::Run()
{
    if (!HasReadableDeviceType(m_Library))
        return;
    m_pReport->BeginTestGroup(L"General",
                              L"Contains general tests like key configuration or user settings.",
                              L"User Settings", L"MANUALSUBCATS");
    TestUserSettings();
    m_pReport->NextCategory(L"Key Configuration", nullptr);
    TestKeyConfiguration();
    m_pReport->EndTestGroup();
}

bool CTestGeneral::HasUserLogoAndLed()
{
    return IsDeviceTypeIn(m_Library, { 8, 5, 10, 4 });
}

void CTestGeneral::TestUserSettings()
{
    m_pReport->NextSubCategory(L"User Serial ID");
    TestUserSerialId();
    if (HasUserLogoAndLed())
    {
        m_pReport->NextSubCategory(L"User Bootlogo");
        TestUserBootlogo();
    }
    if (HasUserLogoAndLed())
    {
        m_pReport->NextSubCategory(L"User LED");
        TestUserLed();
    }
}

void CTestGeneral::TestUserSerialId()
{
    WriteRow(*this, kUserSerialId);
}

void CTestGeneral::TestUserLed()
{
    WriteRow(*this, kUserLed);
}

void CTestGeneral::TestUserBootlogo()
{
    // A failed probe only means there is no logo: "No", not an error.
    if (!ReadString(m_Library.m_pTivGetUserlogoStringW, kLogoCommentId).bOk)
    {
        WriteTest(*this, L"Available", L"", Value(L"No", kFormatYesNo));
        return;
    }
    WriteRows(*this, kUserBootlogo);
}

void CTestGeneral::TestKeyConfiguration()
{
    DWORD dwState = 0;
    bool bStateRead = false;
    BeginFirstTest(*this, L"State",
                   L"\"Valid\" indicates that the key configuration is valid. \"Invalid\" is "
                   L"shown, if the key configuration is invalid or not installed.",
                   [&] {
                       if (m_Library.m_pTivGetKeyCfgState == nullptr ||
                           !m_Library.m_pTivGetKeyCfgState(&dwState))
                           return Failure(GetLastError());
                       bStateRead = true;
                       // Format code 16: the report shows it as "Unknown".
                       return Value(dwState != 0 ? L"Valid" : L"Invalid", kFormatUnknown);
                   });
    // An unreadable or invalid configuration has nothing more to show.
    if (!bStateRead || dwState == 0)
        return;

    for (const CKeyCfgString& row : kKeyCfgStrings)
    {
        BeginFirstTest(*this, row.pszTest, L"", [&] {
            CReading reading = ReadString(m_Library.m_pTivGetKeyCfgStringW, row.dwId);
            if (reading.bOk && reading.text.empty() && row.bEmptyIsNa)
                return NotAvailable();
            return reading;
        });
    }
    WriteRows(*this, kKeyLayers);
}
