// Shared utilities at their edges: hex dumps past 256 bytes, error texts of codes without one,
// a file without a version resource, file-name parts, month numbers, the usage text's line
// ends. Typical dumps, error texts and file versions are in the scanned reports.
#include "device/Utilities.h"
#include "framework/Text.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

std::wstring Dump(const std::vector<BYTE>& data)
{
    std::wstring text = L"junk";
    HexDump(data.data(), static_cast<int>(data.size()), text);
    return text;
}

}  // namespace

TEST(HexDump, TheTrailingFfRunPast256BytesIsSummedUp)
{
    EXPECT_EQ(Dump({}), L"");
    // The first 256 bytes are never cut, FF or not; a trailing FF run after them is summed up.
    std::vector<BYTE> big(300, 0x5A);
    std::fill(big.begin() + 250, big.end(), 0xFF);
    EXPECT_EQ(Dump(big).substr(15 * 34), L"\r\n5A5A5A5A5A5A5A5A5A5AFFFFFFFFFFFF\r\n(remaining 44 bytes are FF)");
    EXPECT_EQ(Dump(std::vector<BYTE>(256, 0xFF)).size(), 16u * 34u);
    // An FF run that stops before the end is not a trailing run.
    big.push_back(0x00);
    EXPECT_EQ(Dump(big).size(), 18u * 34u + 2u + 26u);
}

TEST(SystemErrorText, CodeWithoutTextNamesTheCodeNotThePreviousText)
{
    GetSystemErrorText(ERROR_ACCESS_DENIED);
    EXPECT_STREQ(GetSystemErrorText(12345678), L"Unknown error 12345678");
    EXPECT_STREQ(GetSystemErrorText(0xE0001234), L"Unknown error 3758101044");
}

// A file that exists but has no version resource: FALSE, not an empty version.
TEST(Versions, FileWithoutVersionResource)
{
    CTempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.File(L"plain.txt"), "no version here"));
    std::wstring text = L"junk";
    EXPECT_FALSE(GetFileVersionString(dir.File(L"plain.txt").c_str(), text));
    EXPECT_EQ(text, L"");
}

TEST(FileNamePart, TextAfterTheLastBackslashCutWithinTheBuffer)
{
    // Without a backslash the whole path; a final backslash is kept; a path whose only
    // backslash is its last character leaves out as it was.
    struct { std::wstring path, part; } const kCases[] = {
        { L"C:\\data\\report.xml", L"report.xml" }, { L"C:\\a\\b\\", L"b\\" }, { L"C:/data/report.xml", L"C:/data/report.xml" },
        { L"", L"" }, { L"C\\", L"untouched" }, { L"C:\\" + std::wstring(400, L'n'), std::wstring(259, L'n') },
    };
    for (const auto& c : kCases)
    {
        wchar_t out[261] = L"untouched";
        out[260] = L'#';
        GetFileNamePart(c.path.c_str(), out);
        EXPECT_EQ(std::wstring(out), c.part) << c.path.size();
        EXPECT_EQ(out[260], L'#');
    }
}

TEST(MonthName, ThreeLettersOrUnknown)
{
    const struct { WORD month; const wchar_t* name; } kCases[] = { { 1, L"Jan" }, { 12, L"Dec" }, { 0, L"Unknown" }, { 13, L"Unknown" } };
    for (const auto& c : kCases)
    {
        std::wstring name;
        GetMonthName(c.month, name);
        EXPECT_EQ(name, c.name) << c.month;
    }
}

TEST(Usage, LinesEndWithLfCrAndTheLastWithCrLf)
{
    std::wstring text = GetUsageText();
    EXPECT_EQ(text.substr(text.size() - 23), L"data in a webbrowser.\r\n");
    size_t lfcr = 0;
    for (size_t i = text.find(L"\n\r"); i != std::wstring::npos; i = text.find(L"\n\r", i + 1))
        ++lfcr;
    EXPECT_EQ(lfcr, 14u);
}
