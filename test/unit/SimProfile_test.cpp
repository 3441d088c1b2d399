// Device profile parser of the simulated library: values, modifiers, sections, errors, and
// that every profile shipped in sim/profiles parses.
#include "sim/Profile.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

CSimProfile Parsed(const std::string& text)
{
    CSimProfile profile;
    std::string error;
    EXPECT_TRUE(profile.Parse(text, error)) << error;
    return profile;
}

}  // namespace

TEST(SimProfileParse, RejectsMalformedLinesNamingTheLine)
{
    const struct
    {
        const char* text;
        const char* message;
    } kCases[] = {
        { "Alarm 1 = u9 1", "unknown value kind" },
        { "Alarm 1 = u8 256", "out of range" },
        { "Alarm 1 = i8 -129", "out of range" },
        { "Alarm 1 = u32 0x100000000", "out of range" },
        { "Alarm 1 = u8 12abc", "bad number" },
        { "HardwareStringW 16 = str \"abc", "unterminated" },
        { "HardwareStringW 16 = strnt \"\"", "strnt needs a text" },
        { "HardwareStringW 16 = str \"\\u12\"", "short escape" },
        { "Alarm 1 = fail x", "fail <code>" },
        { "[panel -1]", "unknown section" },
        { "Alarm 1 u8 1", "expected" },
        { "Default = u32 1", "Default takes" },
        { "FactoryValue 17 = bytes 0G", "bad hex" },
        { "FactoryValue 17 = bytes fill 3 100", "fill" },
        { "FactoryValue 17 = bytes fill 1500000000 41", "longer than 1048576" },
        { "FactoryValue 17 = bytes 00 fill 1048576 41", "longer than 1048576" },
        { "Alarm 1 = u8 1 ret", "unexpected" },
        { "Alarm 1 = u8 1 then", "missing value" },
    };
    for (const auto& c : kCases)
    {
        CSimProfile profile;
        std::string error;
        EXPECT_FALSE(profile.Parse(std::string("# first line\n") + c.text + "\n", error)) << c.text;
        EXPECT_NE(error.find("line 2"), std::string::npos) << c.text << ": " << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.text << ": " << error;
    }
}

TEST(SimProfileParse, NumbersKeepTheirWidthAndBits)
{
    const struct
    {
        const char* text;
        DWORD width;
        unsigned long long low32;
    } kCases[] = {
        { "X = u8 255", 1, 0xFF },     { "X = i8 -128", 1, 0x80 },
        { "X = i16 -2", 2, 0xFFFE },   { "X = i32 -2147483648", 4, 0x80000000 },
        { "X = u32 4294967295", 4, 0xFFFFFFFF },
    };
    for (const auto& c : kCases)
    {
        CSimProfile profile = Parsed(c.text);
        const CSimValue* v = profile.Find("X", 0, -1);
        ASSERT_NE(v, nullptr) << c.text;
        EXPECT_EQ(v->kind, CSimValue::kNumber) << c.text;
        EXPECT_EQ(v->width, c.width) << c.text;
        EXPECT_EQ(v->number & 0xFFFFFFFFull & ((1ull << (8 * c.width)) - 1), c.low32) << c.text;
    }
}

TEST(SimProfileParse, StringsDecodeEscapesAndUtf8)
{
    CSimProfile profile = Parsed("A = str \"q\\\"b\\\\ \\t\\n\\x01\\uFFFF\"\n"
                                 "B = str \"\xC3\xBC \xE2\x82\xAC \xF0\x9F\x98\x80\"\n"
                                 "C = strnt \"ab\"   # comment after the value\n"
                                 "D = str \"#not a comment\"\n");
    EXPECT_EQ(profile.Find("A", 0, -1)->text, std::wstring(L"q\"b\\ \t\n\x01\xFFFF"));
    EXPECT_EQ(profile.Find("B", 0, -1)->text, std::wstring(L"\x00FC \x20AC \xD83D\xDE00"));
    EXPECT_EQ(profile.Find("C", 0, -1)->kind, CSimValue::kStringNoTerminator);
    EXPECT_EQ(profile.Find("D", 0, -1)->text, L"#not a comment");
}

TEST(SimProfileParse, ModifiersAndThenSequences)
{
    CSimProfile profile = Parsed("DeviceType = fail 31 then u32 18 ret 2 then absent\n"
                                 "StatisticsValue 3 = u16 7 mismatch 31\n"
                                 "Temperature 0 = i8 45 wmi\n");
    const CSimValue* first = profile.Find("DeviceType", 0, -1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->kind, CSimValue::kFail);
    EXPECT_EQ(first->failCode, 31u);
    const CSimValue* second = profile.Find("DeviceType", 0, -1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->number, 18u);
    EXPECT_EQ(second->ret, 2);
    // The last answer repeats.
    EXPECT_EQ(profile.Find("DeviceType", 0, -1), nullptr);
    EXPECT_EQ(profile.Find("DeviceType", 0, -1), nullptr);

    EXPECT_EQ(profile.Find("StatisticsValue", 3, -1)->mismatchCode, 31u);
    EXPECT_EQ(profile.Find("Temperature", 0, -1)->needsWmi, true);
}

TEST(SimProfileParse, DefaultFailCodeAndLaterEntriesReplaceEarlier)
{
    CSimProfile plain = Parsed("Alarm 1 = u32 1\n");
    EXPECT_EQ(plain.DefaultFailCode(), static_cast<DWORD>(ERROR_NOT_FOUND));
    CSimProfile profile = Parsed("\xEF\xBB\xBF" "Default = fail 1117\r\nAlarm 1 = u32 1\r\nAlarm 1 = u32 2\r\n");
    EXPECT_EQ(profile.DefaultFailCode(), 1117u);
    EXPECT_EQ(profile.Find("Alarm", 1, -1)->number, 2u);
    EXPECT_EQ(profile.Find("Alarm", 2, -1), nullptr);
}

TEST(SimProfileFiles, EveryShippedProfileParses)
{
    std::wstring folder = SourceFolder();
    ASSERT_FALSE(folder.empty()) << "VEK_SOURCE is not set";
    folder += L"\\sim\\profiles\\";
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((folder + L"*.ini").c_str(), &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    int typeProfiles = 0, all = 0;
    do
    {
        std::wstring name = data.cFileName;
        std::string narrow(name.begin(), name.end());
        CSimProfile profile;
        std::string error;
        EXPECT_TRUE(profile.Parse(ReadFileBytes(folder + name), error)) << narrow << ": " << error;
        ++all;
        // typeNN.ini answers device type NN.
        if (name.size() == 10 && name.compare(0, 4, L"type") == 0)
        {
            ++typeProfiles;
            const CSimValue* type = profile.Find("DeviceType", 0, -1);
            ASSERT_NE(type, nullptr) << narrow;
            EXPECT_EQ(type->number, std::wcstoul(name.substr(4, 2).c_str(), nullptr, 10)) << narrow;
        }
    } while (FindNextFileW(h, &data));
    FindClose(h);
    EXPECT_EQ(typeProfiles, 21);
    EXPECT_GT(all, typeProfiles);
}
