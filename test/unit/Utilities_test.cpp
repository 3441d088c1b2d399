// Shared utilities: hex dumps, error texts, version strings, file-name parts, month names.
#include "device/Utilities.h"
#include "framework/Text.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::wstring SystemText(DWORD code)
{
    wchar_t buffer[1024] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                   buffer, 1024, nullptr);
    return buffer;
}

std::wstring Dump(const std::vector<BYTE>& data)
{
    std::wstring text = L"junk";
    HexDump(data.data(), static_cast<int>(data.size()), text);
    return text;
}

}  // namespace

TEST(HexDump, LinesOfSixteenAndTheTrailingFfRunPast256Bytes)
{
    std::vector<BYTE> data(20);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<BYTE>(i * 0x11);
    EXPECT_EQ(Dump(data), L"\r\n00112233445566778899AABBCCDDEEFF\r\n10213243");
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

TEST(SystemErrorText, DropsTheFinalFullStopAndLineEnd)
{
    std::wstring raw = SystemText(ERROR_FILE_NOT_FOUND);
    ASSERT_GE(raw.size(), 3u);
    ASSERT_EQ(raw.substr(raw.size() - 2), L"\r\n");
    EXPECT_EQ(std::wstring(GetSystemErrorText(ERROR_FILE_NOT_FOUND)), raw.substr(0, raw.size() - 3));
}

TEST(SystemErrorText, CodeWithoutTextNamesTheCodeNotThePreviousText)
{
    GetSystemErrorText(ERROR_ACCESS_DENIED);
    EXPECT_STREQ(GetSystemErrorText(12345678), L"Unknown error 12345678");
    EXPECT_STREQ(GetSystemErrorText(0xE0001234), L"Unknown error 3758101044");
}

TEST(FileNamePart, TextAfterTheLastBackslash)
{
    struct { const wchar_t* path; const wchar_t* part; } cases[] = {
        { L"C:\\data\\report.xml", L"report.xml" },
        { L"C:\\a\\b\\", L"b\\" },
        { L"C:/data/report.xml", L"C:/data/report.xml" },
        { L"", L"" },
    };
    for (const auto& c : cases)
    {
        wchar_t out[260] = L"untouched";
        GetFileNamePart(c.path, out);
        EXPECT_STREQ(out, c.part) << c.path;
    }
    wchar_t out[260] = L"untouched";
    GetFileNamePart(L"C\\", out);
    EXPECT_STREQ(out, L"untouched");
}

TEST(FileNamePart, LongNameIsCutWithinTheBuffer)
{
    std::wstring path = L"C:\\" + std::wstring(400, L'n');
    wchar_t out[261];
    out[260] = L'#';
    GetFileNamePart(path.c_str(), out);
    EXPECT_EQ(std::wstring(out), std::wstring(259, L'n'));
    EXPECT_EQ(out[260], L'#');
}

TEST(MonthName, ThreeLettersOrUnknown)
{
    const struct
    {
        WORD month;
        const wchar_t* name;
    } cases[] = { { 1, L"Jan" }, { 12, L"Dec" }, { 0, L"Unknown" }, { 13, L"Unknown" } };
    for (const auto& c : cases)
    {
        std::wstring name;
        GetMonthName(c.month, name);
        EXPECT_EQ(name, c.name) << c.month;
    }
}

TEST(Versions, FileVersionStringOfFilesWithAndWithoutResource)
{
    std::wstring text = L"junk";
    EXPECT_TRUE(GetFileVersionString((ExeFolder() + L"\\VekTiv.dll").c_str(), text));
    EXPECT_EQ(text, L"1.0.0.0");

    CTempDir dir;
    WriteFileBytes(dir.File(L"plain.txt"), "no version here");
    text = L"junk";
    EXPECT_FALSE(GetFileVersionString(dir.File(L"plain.txt").c_str(), text));
    EXPECT_EQ(text, L"");
    EXPECT_FALSE(GetFileVersionString(dir.File(L"missing.dll").c_str(), text));
}

TEST(Usage, LinesEndWithLfCrAndTheLastWithCrLf)
{
    std::wstring text = GetUsageText();
    EXPECT_EQ(text.substr(text.size() - 23), L"data in a webbrowser.\r\n");
    size_t lfcr = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i)
        lfcr += text[i] == L'\n' && text[i + 1] == L'\r';
    EXPECT_EQ(lfcr, 14u);
}
