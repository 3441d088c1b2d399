// General group: user serial id, boot logo and LED, and the key configuration.
#include "groups/TestGeneral.h"

#include "device/Utilities.h"
#include "framework/Text.h"

#include <cwchar>
#include <iterator>

namespace
{

const DWORD kStringBytes = 512;
const size_t kStringChars = kStringBytes / sizeof(wchar_t);

// Device types with a user boot logo and a user LED, in the order they are asked.
const DWORD kUserLogoTypes[] = { 8, 5, 10, 4 };

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

// Key configuration bytes in report order.
struct CKeyCfgByte
{
    const wchar_t* pszTest;
    const wchar_t* pszDescription;
    PFN_TIV_BYTE_OUT CTivLibrary::*pRead;
};

const CKeyCfgByte kKeyCfgBytes[] = {
    { L"Key layer", L"The number of the active key layer.", &CTivLibrary::m_pTivGetKeyLayer },
    { L"Layer mode", L"0=Shift, 1=Toggle, 2=One-Shot.", &CTivLibrary::m_pTivGetKeyLayerMode },
};

void EndTest(CXmlReport* pReport)
{
    WriteEndTag(pReport->m_hFile, L"Test", 6);
}

void WriteFailure(CXmlReport* pReport)
{
    pReport->WriteTestResult(GetSystemErrorText(GetLastError()), kStatusFailed, kFormatString);
}

// A 512-byte string read; the text never runs past the buffer, terminated or not.
bool ReadString(PFN_TIV_ID_STRING pRead, DWORD dwId, std::wstring& text)
{
    wchar_t szBuffer[kStringChars + 1] = {};
    if (pRead == nullptr || !pRead(dwId, szBuffer, kStringBytes))
        return false;
    text.assign(szBuffer, wcsnlen(szBuffer, kStringChars));
    return true;
}

// One byte through a single out-pointer export, written zero-extended as "%d", Format Dec.
void TestByte(CXmlReport* pReport, PFN_TIV_BYTE_OUT pRead, const wchar_t* pszTest,
              const wchar_t* pszDescription)
{
    pReport->BeginTest(pszTest, pszDescription);
    BYTE byValue = 0;
    if (pRead != nullptr && pRead(&byValue))
        pReport->WriteTestResult(StrFormat(L"%d", static_cast<int>(byValue)).c_str(),
                                 kStatusPassed, kFormatDec);
    else
        WriteFailure(pReport);
    EndTest(pReport);
}

}  // namespace

void CTestGeneral::Run()
{
    m_Library.IsDeviceType(0);
    if (m_Library.m_dwDeviceType == 0)
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
    for (DWORD dwType : kUserLogoTypes)
    {
        if (m_Library.IsDeviceType(dwType))
            return true;
    }
    return false;
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
    m_pReport->BeginTest(L"Value",
                         L"The User Serial ID is a 32-bit value that can be freely defined and "
                         L"allows you to give the Vek device your own identification number.");
    DWORD dwId = 0;
    if (m_Library.m_pTivGetUserSerialId != nullptr && m_Library.m_pTivGetUserSerialId(&dwId))
        m_pReport->WriteTestResult(StrFormat(L"%08Xh", dwId).c_str(), kStatusPassed,
                                   kFormatString);
    else
        WriteFailure(m_pReport);
    EndTest(m_pReport);
}

void CTestGeneral::TestUserLed()
{
    TestByte(m_pReport, m_Library.m_pTivGetUserLed, L"Status",
             L"0 = LED is off, 1 = LED is slow blinking, 2 = LED is fast blinking, 3 = LED is on.");
}

void CTestGeneral::TestUserBootlogo()
{
    std::wstring comment;
    if (!ReadString(m_Library.m_pTivGetUserlogoStringW, 0, comment))
    {
        // No logo is not an error: the probe's failure only means there is none.
        m_pReport->BeginTest(L"Available", L"");
        m_pReport->WriteTestResult(L"No", kStatusPassed, kFormatYesNo);
        EndTest(m_pReport);
        return;
    }

    m_pReport->BeginTest(
        L"Info",
        L"The comment of the User Boot Logo. Per default the comment contains file name, date and "
        L"time of the bitmap being used. Example: \"sendra640.bmp 2003/08/21 15:03:52\".");
    if (ReadString(m_Library.m_pTivGetUserlogoStringW, 0, comment))
        m_pReport->WriteTestResult(comment.c_str(), kStatusPassed, kFormatString);
    else
        WriteFailure(m_pReport);
    EndTest(m_pReport);

    m_pReport->BeginTest(
        L"VESA mode",
        L"121h = 320x240 pixels (QVGA), 101h = 640x480 pixels (VGA), 103h = 800x600 pixels (SVGA), "
        L"105h = 1024x768 pixels (XGA), 125h =1152x864 pixels (XGA+), 107h=1280x1024 pixels "
        L"(SXGA), 131h=1600x1200 pixels (UXGA).");
    WORD wMode = 0;
    if (m_Library.m_pTivGetUserlogoValue != nullptr &&
        m_Library.m_pTivGetUserlogoValue(1, &wMode, sizeof(wMode)))
        m_pReport->WriteTestResult(StrFormat(L"%x", static_cast<unsigned int>(wMode)).c_str(),
                                   kStatusPassed, kFormatHex);
    else
        WriteFailure(m_pReport);
    EndTest(m_pReport);

    m_pReport->BeginTest(L"Size", L"Size in bytes of the User Boot Logo.");
    DWORD dwSize = 0;
    if (m_Library.m_pTivGetUserlogoValue != nullptr &&
        m_Library.m_pTivGetUserlogoValue(2, &dwSize, sizeof(dwSize)))
        m_pReport->WriteTestResult(StrFormat(L"%u", dwSize).c_str(), kStatusPassed, kFormatBytes);
    else
        WriteFailure(m_pReport);
    EndTest(m_pReport);
}

void CTestGeneral::TestKeyConfiguration()
{
    m_pReport->BeginTest(L"State",
                         L"\"Valid\" indicates that the key configuration is valid. \"Invalid\" "
                         L"is shown, if the key configuration is invalid or not installed.");
    DWORD dwState = 0;
    if (m_Library.m_pTivGetKeyCfgState == nullptr || !m_Library.m_pTivGetKeyCfgState(&dwState))
    {
        WriteFailure(m_pReport);
        EndTest(m_pReport);
        return;
    }
    // Written with Format code 16, which the report shows as "Unknown".
    m_pReport->WriteTestResult(dwState != 0 ? L"Valid" : L"Invalid", kStatusPassed,
                               kFormatUnknown);
    EndTest(m_pReport);
    if (dwState == 0)
        return;

    for (const CKeyCfgString& row : kKeyCfgStrings)
    {
        m_pReport->BeginTest(row.pszTest, L"");
        std::wstring text;
        if (!ReadString(m_Library.m_pTivGetKeyCfgStringW, row.dwId, text))
            WriteFailure(m_pReport);
        else if (text.empty() && row.bEmptyIsNa)
            m_pReport->WriteTestResult(L"(n.a.)", kStatusPassed, kFormatString);
        else
            m_pReport->WriteTestResult(text.c_str(), kStatusPassed, kFormatString);
        EndTest(m_pReport);
    }
    for (const CKeyCfgByte& row : kKeyCfgBytes)
        TestByte(m_pReport, m_Library.*row.pRead, row.pszTest, row.pszDescription);
}
