// Command line: splitting by the C runtime's rules and the -f= / -o grammar.
#include "app/CommandLine.h"
#include "framework/CommandLine.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace
{

struct CSplitCase
{
    const wchar_t* pszCommandLine;
    std::vector<std::wstring> args;
};

const CSplitCase kSplitCases[] = {
    { L"\"C:\\Program Files\\prog.exe\" -o", { L"C:\\Program Files\\prog.exe", L"-o" } },
    { L"prog  -f=a.xml \t -o  ", { L"prog", L"-f=a.xml", L"-o" } },
    { L"prog -f=\"C:\\Report 1\\My Report.xml\"", { L"prog", L"-f=C:\\Report 1\\My Report.xml" } },
    { L"prog a\\\\b\\c", { L"prog", L"a\\\\b\\c" } },
    { L"prog a\\\"b", { L"prog", L"a\"b" } },
    { L"prog a\\\\\"b c\"", { L"prog", L"a\\b c" } },
    { L"prog \"a\"\"b\"", { L"prog", L"a\"b" } },
    { L"prog \"\"", { L"prog", L"" } },
};

TEST(SplitCommandLine, FollowsTheRuntimeRules)
{
    for (const CSplitCase& c : kSplitCases)
        EXPECT_EQ(SplitCommandLine(c.pszCommandLine), c.args) << c.pszCommandLine;
}

struct CGrammarCase
{
    const wchar_t* pszArgs;   // after the program name
    BOOL bInvalid;
    BOOL bOverwrite;
    const wchar_t* pszReportFile;
};

const CGrammarCase kGrammarCases[] = {
    { L"", FALSE, FALSE, L"" },
    { L"f=C:\\r.xml", FALSE, FALSE, L"C:\\r.xml" },
    { L"-xf=C:\\r.xml", FALSE, FALSE, L"C:\\r.xml" },
    { L"-f=a.xml -f=b.xml", FALSE, FALSE, L"b.xml" },
    { L"-f=a-f=b.xml", FALSE, FALSE, L"a-f=b.xml" },
    { L"-f=", FALSE, FALSE, L"" },
    { L"-o", FALSE, TRUE, L"" },
    { L"o", FALSE, TRUE, L"" },
    { L"-O", TRUE, FALSE, L"" },
    { L"-oo", TRUE, FALSE, L"" },
    { L"r.xml", TRUE, FALSE, L"" },
    { L"-f=r.xml -x", TRUE, FALSE, L"r.xml" },
    { L"-x -f=r.xml -o", TRUE, TRUE, L"r.xml" },
};

TEST(CustomCommandLineInfo, Grammar)
{
    for (const CGrammarCase& c : kGrammarCases)
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
    struct { size_t nLength; BOOL bFits; } kLengths[] = { { 259, TRUE }, { 260, FALSE }, { 1000, FALSE } };
    for (const auto& c : kLengths)
    {
        struct { CCustomCommandLineInfo info; wchar_t guard[8]; } frame;
        wmemset(frame.guard, L'G', 8);
        std::wstring name(c.nLength, L'n');
        ParseCommandLine(frame.info, (L"VekQuorvel.exe -f=" + name).c_str());
        EXPECT_EQ(wcslen(frame.info.m_szReportFile), std::min<size_t>(c.nLength, 259));
        EXPECT_EQ(frame.info.m_bInvalidParameter, !c.bFits) << c.nLength;
        wchar_t out[260] = L"untouched";
        EXPECT_FALSE(frame.info.GetReportFile(nullptr));
        EXPECT_EQ(frame.info.GetReportFile(out), c.bFits) << c.nLength;
        if (c.bFits)
            EXPECT_EQ(std::wstring(out), name);
        else
            EXPECT_STREQ(out, L"untouched");
        for (wchar_t g : frame.guard)
            EXPECT_EQ(g, L'G');
    }
}

// The framework strips one leading '-' or '/' and says so in the flag.
class CRecordingInfo : public CCommandLineInfo
{
public:
    void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast) override
    {
        params.push_back(pszParam);
        flags.push_back(bFlag);
        lasts.push_back(bLast);
    }
    std::vector<std::wstring> params;
    std::vector<BOOL> flags;
    std::vector<BOOL> lasts;
};

TEST(ParseCommandLine, StripsOneLeadingSwitchCharacter)
{
    CRecordingInfo info;
    ParseCommandLine(info, L"prog -a /b --c //d e");
    EXPECT_EQ(info.params, (std::vector<std::wstring>{ L"a", L"b", L"-c", L"/d", L"e" }));
    EXPECT_EQ(info.flags, (std::vector<BOOL>{ TRUE, TRUE, TRUE, TRUE, FALSE }));
    EXPECT_EQ(info.lasts, (std::vector<BOOL>{ FALSE, FALSE, FALSE, FALSE, TRUE }));
}

}  // namespace
