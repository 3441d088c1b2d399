// Command line: splitting by the C runtime's rules and the edges of the -f= / -o grammar (the
// plain switches, an empty name and an unknown argument are run end to end by test_gui.py).
#include "app/CommandLine.h"
#include "framework/CommandLine.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace
{

TEST(SplitCommandLine, FollowsTheRuntimeRules)
{
    const struct { const wchar_t* pszCommandLine; std::vector<std::wstring> args; } kCases[] = {
        { L"\"C:\\Program Files\\prog.exe\" -o", { L"C:\\Program Files\\prog.exe", L"-o" } },
        { L"prog  -f=a.xml \t -o  ", { L"prog", L"-f=a.xml", L"-o" } },
        { L"prog -f=\"C:\\Report 1\\My Report.xml\"", { L"prog", L"-f=C:\\Report 1\\My Report.xml" } },
        { L"prog a\\\\b\\c", { L"prog", L"a\\\\b\\c" } },
        { L"prog a\\\"b", { L"prog", L"a\"b" } },
        { L"prog a\\\\\"b c\"", { L"prog", L"a\\b c" } },
        { L"prog \"a\"\"b\"", { L"prog", L"a\"b" } },
        { L"prog \"\"", { L"prog", L"" } },
    };
    for (const auto& c : kCases)
        EXPECT_EQ(SplitCommandLine(c.pszCommandLine), c.args) << c.pszCommandLine;
}

TEST(CustomCommandLineInfo, Grammar)
{
    // pszArgs: after the program name
    const struct { const wchar_t* pszArgs; BOOL bInvalid, bOverwrite; const wchar_t* pszReportFile; } kCases[] = {
        { L"f=C:\\r.xml", FALSE, FALSE, L"C:\\r.xml" },
        { L"-xf=C:\\r.xml", FALSE, FALSE, L"C:\\r.xml" },
        { L"-f=a.xml -f=b.xml", FALSE, FALSE, L"b.xml" },
        { L"-f=a-f=b.xml", FALSE, FALSE, L"a-f=b.xml" },
        { L"o", FALSE, TRUE, L"" },
        { L"-O", TRUE, FALSE, L"" },
        { L"-oo", TRUE, FALSE, L"" },
        { L"r.xml", TRUE, FALSE, L"" },
        { L"-x -f=r.xml -o", TRUE, TRUE, L"r.xml" },
    };
    for (const auto& c : kCases)
    {
        CCustomCommandLineInfo info;
        ParseCommandLine(info, (std::wstring(L"VekQuorvel.exe ") + c.pszArgs).c_str());
        EXPECT_EQ(info.m_bInvalidParameter, c.bInvalid) << c.pszArgs;
        EXPECT_EQ(info.m_bOverwrite, c.bOverwrite) << c.pszArgs;
        EXPECT_STREQ(info.m_szReportFile, c.pszReportFile) << c.pszArgs;
    }
}

// The name field holds 259 characters; a longer name must neither overrun it nor pass.
TEST(CustomCommandLineInfo, OverLongNameIsRefusedWithoutOverrun)
{
    for (size_t nLength : { 259, 260 })
    {
        struct { CCustomCommandLineInfo info; wchar_t guard[8]; } frame;
        wmemset(frame.guard, L'G', 8);
        std::wstring name(nLength, L'n');
        ParseCommandLine(frame.info, (L"VekQuorvel.exe -f=" + name).c_str());
        EXPECT_EQ(wcslen(frame.info.m_szReportFile), 259u);
        EXPECT_EQ(frame.info.m_bInvalidParameter != FALSE, nLength == 260) << nLength;
        wchar_t out[260] = L"untouched";
        EXPECT_FALSE(frame.info.GetReportFile(nullptr));
        EXPECT_EQ(frame.info.GetReportFile(out) != FALSE, nLength == 259) << nLength;
        EXPECT_EQ(std::wstring(out), nLength == 259 ? name : L"untouched");
        EXPECT_EQ(std::wstring(frame.guard, 8), std::wstring(8, L'G'));
    }
}

// The framework strips one leading '-' or '/' and says so in the flag.
class CRecordingInfo : public CCommandLineInfo
{
public:
    void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast) override
    {
        seen.push_back(std::wstring(pszParam) + (bFlag ? L" flag" : L"") + (bLast ? L" last" : L""));
    }
    std::vector<std::wstring> seen;
};

TEST(ParseCommandLine, StripsOneLeadingSwitchCharacter)
{
    CRecordingInfo info;
    ParseCommandLine(info, L"prog -a /b --c //d e");
    EXPECT_EQ(info.seen, (std::vector<std::wstring>{ L"a flag", L"b flag", L"-c flag", L"/d flag", L"e last" }));
}

}  // namespace
