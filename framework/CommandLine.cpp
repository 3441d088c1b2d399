// Command-line splitting by the C runtime's rules and the framework's per-argument parser.
#include "framework/CommandLine.h"

namespace
{

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

// The program name: up to the first blank outside quotes, quotes dropped, no escapes.
const wchar_t* SplitProgramName(const wchar_t* p, std::wstring& out)
{
    bool bQuoted = false;
    for (; *p != L'\0'; ++p)
    {
        if (*p == L'"')
            bQuoted = !bQuoted;
        else if (IsBlank(*p) && !bQuoted)
            break;
        else
            out += *p;
    }
    return p;
}

}  // namespace

std::vector<std::wstring> SplitCommandLine(const wchar_t* pszCommandLine)
{
    std::vector<std::wstring> args;
    if (pszCommandLine == nullptr)
        return args;
    std::wstring name;
    const wchar_t* p = SplitProgramName(pszCommandLine, name);
    args.push_back(name);

    for (;;)
    {
        while (IsBlank(*p))
            ++p;
        if (*p == L'\0')
            break;
        std::wstring arg;
        bool bQuoted = false;
        while (*p != L'\0' && (bQuoted || !IsBlank(*p)))
        {
            size_t nSlashes = 0;
            while (*p == L'\\')
            {
                ++p;
                ++nSlashes;
            }
            if (*p == L'"')
            {
                arg.append(nSlashes / 2, L'\\');
                if (nSlashes % 2 == 1)
                {
                    arg += L'"';
                    ++p;
                }
                else if (bQuoted && p[1] == L'"')
                {
                    // "" inside quotes: one literal quote, and quoting goes on.
                    arg += L'"';
                    p += 2;
                }
                else
                {
                    bQuoted = !bQuoted;
                    ++p;
                }
            }
            else
            {
                arg.append(nSlashes, L'\\');
                if (*p != L'\0' && (bQuoted || !IsBlank(*p)))
                    arg += *p++;
            }
        }
        args.push_back(arg);
    }
    return args;
}

void CCommandLineInfo::ParseParam(const wchar_t*, BOOL, BOOL)
{
}

void ParseCommandLine(CCommandLineInfo& info, const wchar_t* pszCommandLine)
{
    std::vector<std::wstring> args = SplitCommandLine(pszCommandLine);
    for (size_t i = 1; i < args.size(); ++i)
    {
        const wchar_t* pszParam = args[i].c_str();
        BOOL bFlag = FALSE;
        if (*pszParam == L'-' || *pszParam == L'/')
        {
            bFlag = TRUE;
            ++pszParam;
        }
        info.ParseParam(pszParam, bFlag, i + 1 == args.size());
    }
}
