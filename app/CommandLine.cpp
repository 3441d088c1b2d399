// The program's command line: -f=<report file> and -o; everything else is invalid.
#include "app/CommandLine.h"

#include "framework/Text.h"

#include <cwchar>
#include <iterator>

CCustomCommandLineInfo::CCustomCommandLineInfo()
    : m_bInvalidParameter(FALSE), m_bOverwrite(FALSE), m_szReportFile{}, m_bReportFileTooLong(FALSE)
{
}

void CCustomCommandLineInfo::ParseParam(const wchar_t* pszParam, BOOL, BOOL)
{
    if (const wchar_t* pName = wcsstr(pszParam, L"f="))
    {
        m_bReportFileTooLong =
            CopyToBuffer(m_szReportFile, std::size(m_szReportFile), pName + 2) ? FALSE : TRUE;
        // A name that does not fit is refused like any other bad argument: a script that
        // named a report must not find an interactive dialog in its way.
        if (m_bReportFileTooLong)
            m_bInvalidParameter = TRUE;
        return;
    }
    if (wcscmp(pszParam, L"o") == 0)
    {
        m_bOverwrite = TRUE;
        return;
    }
    m_bInvalidParameter = TRUE;
}

BOOL CCustomCommandLineInfo::GetReportFile(wchar_t* pszOut) const
{
    if (pszOut == nullptr || m_bReportFileTooLong)
        return FALSE;
    CopyToBuffer(pszOut, std::size(m_szReportFile), m_szReportFile);
    return TRUE;
}
