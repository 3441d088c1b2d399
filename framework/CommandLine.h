// Command-line splitting by the C runtime's rules and the framework's per-argument parser.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Splits a command line as the C runtime builds argv: the program name first (ended by a blank
// outside quotes, quotes removed, backslashes kept), then the arguments, where blanks outside
// quotes separate, quotes group, 2n backslashes before a quote give n backslashes and a
// quote that toggles quoting, 2n+1 give n backslashes and a literal quote, "" inside quotes gives
// a literal quote, and other backslashes are taken as they are.
std::vector<std::wstring> SplitCommandLine(const wchar_t* pszCommandLine);

// Receives the arguments one by one; derive and override ParseParam.
class CCommandLineInfo
{
public:
    CCommandLineInfo() = default;
    virtual ~CCommandLineInfo() = default;

    // pszParam: the argument with one leading '-' or '/' removed (bFlag then TRUE);
    // bLast: TRUE for the last argument. The base ignores every argument.
    virtual void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast);
};

// Feeds every argument of the command line after the program name to info, in order.
void ParseCommandLine(CCommandLineInfo& info, const wchar_t* pszCommandLine);
