// General group: user serial id, boot logo and LED, and the key configuration.
#include "groups/TestGeneral.h"

#include "framework/Text.h"
#include "groups/readers/Reading.h"

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
struct CByteTest
{
    const wchar_t* pszTest;
    const wchar_t* pszDescription;
    PFN_TIV_BYTE_OUT CTivLibrary::*pRead;
};

const CByteTest kUserLed = {
    L"Status", L"0 = LED is off, 1 = LED is slow blinking, 2 = LED is fast blinking, 3 = LED is on.",
    &CTivLibrary::m_pTivGetUserLed
};

const CByteTest kKeyLayers[] = {
    { L"Key layer", L"The number of the active key layer.", &CTivLibrary::m_pTivGetKeyLayer },
    { L"Layer mode", L"0=Shift, 1=Toggle, 2=One-Shot.", &CTivLibrary::m_pTivGetKeyLayerMode },
};

const DWORD kLogoCommentId = 0;
const DWORD kLogoVesaModeId = 1;
const DWORD kLogoSizeId = 2;

void WriteByteTest(CTest& test, const CByteTest& row)
{
    PFN_TIV_BYTE_OUT pRead = test.m_Library.*row.pRead;
    BeginFirstTest(test, row.pszTest, row.pszDescription, [&] {
        BYTE byValue = 0;
        if (pRead == nullptr || !pRead(&byValue))
            return Failure(GetLastError());
        return Value(StrFormat(L"%d", static_cast<int>(byValue)), kFormatDec);
    });
}

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
    BeginFirstTest(*this, L"Value",
                   L"The User Serial ID is a 32-bit value that can be freely defined and allows "
                   L"you to give the Vek device your own identification number.",
                   [&] {
                       DWORD dwId = 0;
                       if (m_Library.m_pTivGetUserSerialId == nullptr ||
                           !m_Library.m_pTivGetUserSerialId(&dwId))
                           return Failure(GetLastError());
                       return Value(StrFormat(L"%08Xh", dwId), kFormatString);
                   });
}

void CTestGeneral::TestUserLed()
{
    WriteByteTest(*this, kUserLed);
}

void CTestGeneral::TestUserBootlogo()
{
    // A failed probe only means there is no logo: "No", not an error.
    if (!ReadString(m_Library.m_pTivGetUserlogoStringW, kLogoCommentId).bOk)
    {
        WriteTest(*this, L"Available", L"", Value(L"No", kFormatYesNo));
        return;
    }
    BeginFirstTest(*this, L"Info",
                   L"The comment of the User Boot Logo. Per default the comment contains file "
                   L"name, date and time of the bitmap being used. Example: \"sendra640.bmp "
                   L"2003/08/21 15:03:52\".",
                   [&] { return ReadString(m_Library.m_pTivGetUserlogoStringW, kLogoCommentId); });
    BeginFirstTest(*this, L"VESA mode",
                   L"121h = 320x240 pixels (QVGA), 101h = 640x480 pixels (VGA), 103h = 800x600 "
                   L"pixels (SVGA), 105h = 1024x768 pixels (XGA), 125h =1152x864 pixels (XGA+), "
                   L"107h=1280x1024 pixels (SXGA), 131h=1600x1200 pixels (UXGA).",
                   [&] {
                       return ReadNumber(m_Library.m_pTivGetUserlogoValue, kLogoVesaModeId, 2,
                                         L"%x", kFormatHex);
                   });
    BeginFirstTest(*this, L"Size", L"Size in bytes of the User Boot Logo.", [&] {
        return ReadNumber(m_Library.m_pTivGetUserlogoValue, kLogoSizeId, 4, L"%u", kFormatBytes);
    });
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
    for (const CByteTest& row : kKeyLayers)
        WriteByteTest(*this, row);
}
