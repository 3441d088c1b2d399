// The program's command line: -f=<report file> and -o; everything else is invalid.
#pragma once

#include "framework/CommandLine.h"

class CCustomCommandLineInfo : public CCommandLineInfo
{
public:
    CCustomCommandLineInfo();

    // Rules, first match wins: "f=" anywhere (case-sensitive) names the report with the text
    // after its first "f=" (a name of 260 characters or more is kept cut to 259, marked as
    // not fitting, and makes the command line invalid); exactly "o" allows overwriting; anything else is invalid.
    void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast) override;

    // Copies the report name into pszOut (260 characters). FALSE for a NULL destination or a
    // name that did not fit 259 characters; pszOut is then untouched.
    BOOL GetReportFile(wchar_t* pszOut /* [260] */) const;

    BOOL m_bInvalidParameter;
    BOOL m_bOverwrite;
    wchar_t m_szReportFile[260];
    // The last report-file argument was longer than m_szReportFile holds.
    BOOL m_bReportFileTooLong;
};
