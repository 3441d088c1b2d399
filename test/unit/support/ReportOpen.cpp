// Test support for CXmlReport::Open: a scripted overwrite answer, a fixed clock, header checks.
#include "support/ReportOpen.h"

#include "device/Utilities.h"
#include "framework/Text.h"
#include "support/ReportXml.h"

#include <gtest/gtest.h>

namespace
{

BOOL s_bAnswer = FALSE;
int s_nQuestions = 0;
std::wstring s_AskedPath;

BOOL ScriptedAnswer(const wchar_t* pszPath)
{
    ++s_nQuestions;
    s_AskedPath = pszPath;
    return s_bAnswer;
}

void FixedClock(SYSTEMTIME* pTime)
{
    *pTime = SYSTEMTIME{};
    pTime->wYear = 2026;
    pTime->wMonth = 12;
    pTime->wDay = 5;
    pTime->wDayOfWeek = 6;
    pTime->wHour = 9;
    pTime->wMinute = 5;
    pTime->wSecond = 3;
}

CXmlReport::PFN_ASK_OVERWRITE s_pfnOldAsk;
CXmlReport::PFN_GET_TIME s_pfnOldClock;

}  // namespace

CScriptedOpen::CScriptedOpen(BOOL bAnswer)
{
    s_bAnswer = bAnswer;
    s_nQuestions = 0;
    s_AskedPath.clear();
    s_pfnOldAsk = CXmlReport::s_pfnAskOverwrite;
    s_pfnOldClock = CXmlReport::s_pfnGetLocalTime;
    CXmlReport::s_pfnAskOverwrite = ScriptedAnswer;
    CXmlReport::s_pfnGetLocalTime = FixedClock;
}

CScriptedOpen::~CScriptedOpen()
{
    CXmlReport::s_pfnAskOverwrite = s_pfnOldAsk;
    CXmlReport::s_pfnGetLocalTime = s_pfnOldClock;
}

int CScriptedOpen::Questions() const
{
    return s_nQuestions;
}

const std::wstring& CScriptedOpen::AskedPath() const
{
    return s_AskedPath;
}

DWORD OpenAndClose(const std::wstring& path, BOOL bOverwrite)
{
    CXmlReport report;
    report.Reset();
    DWORD dwResult = report.Open(path.c_str(), bOverwrite);
    if (report.m_hFile != INVALID_HANDLE_VALUE)
    {
        EXPECT_EQ(CloseReportFile(report.m_szRootName, report.m_hFile), 0u);
        EXPECT_EQ(CheckReportXml(ReadReportText(path)), "") << "report written by Open";
    }
    return dwResult;
}

std::wstring ExpectedHeader(const std::wstring& deviceType)
{
    wchar_t szVersion[260] = {};
    std::wstring version = LoadResString(101);
    if (GetOwnVersionString(szVersion))
        version += L" " + std::wstring(szVersion);
    wchar_t szUser[260] = {};
    DWORD n = 260;
    GetUserNameW(szUser, &n);
    wchar_t szComputer[260] = {};
    n = 260;
    GetComputerNameW(szComputer, &n);
    return L"\t<Header>\r\n"
           L"\t\t<Version>" + version + L"</Version>\r\n"
           L"\t\t<VekDeviceType>" + deviceType + L"</VekDeviceType>\r\n"
           L"\t\t<Time>09:05:03</Time>\r\n"
           L"\t\t<Date>5 Dec 2026</Date>\r\n"
           L"\t\t<Author>" + szUser + L"</Author>\r\n"
           L"\t\t<ComputerName>" + szComputer + L"</ComputerName>\r\n"
           L"\t</Header>\r\n";
}
