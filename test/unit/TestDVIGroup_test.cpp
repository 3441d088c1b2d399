// DVI group run into a report: gates and channels by type, the panel link, the display data.
#include "groups/TestDVI.h"

#include <algorithm>

#include "device/Utilities.h"
#include "support/GroupReport.h"

#include <gtest/gtest.h>

namespace
{

const std::string kLinked = "[panel 0]\nHardwareValue 13 = u32 1\n[panel 1]\nHardwareValue 13 = u32 1\n"
                            "[panel 8]\nHardwareValue 13 = u32 1\n[device]\n";
// Channel 1's block, up to the end of the identity record's header (the library fills no more).
const std::string kBlock = "FactoryValue 19 = bytes 00 FF FF FF FF FF FF 00 69 8A fill 118 00 FF 55 AA FF 00 00 FF";

// A device of the type with an I/O board and resolution 1024x768; `tail` adds or replaces.
std::string Profile(DWORD dwType, const std::string& tail)
{
    return "DeviceType = u32 " + std::to_string(dwType) + "\nHardwareValue 58 = u32 1\n" +
           "FactoryValue 21 = u16 1024\nFactoryValue 22 = u16 768\n" + kLinked + tail;
}

// "name=result(Format)" of every test after the port's name, but the raw dump.
std::wstring Summary(const CReportOutline& report)
{
    std::wstring text;
    for (const CReportTest& t : report.tests)
        if (t.name != L"Port name" && t.name != L"Raw data")
            text += t.name + L"=" + t.result + L"(" + t.format + L") ";
    return text;
}

}  // namespace

// Which panels the group selects (twice per channel: link, then settings) tells its channels.
TEST(DviGroup, GatesChannelsAndPanels)
{
    struct { std::string profile; std::vector<std::string> selected; } const cases[] = {
        { Profile(12, ""), { "(0)", "(0)", "(8)", "(8)" } },
        { Profile(7, ""), { "(0)", "(0)" } },
        { Profile(15, ""), { "(1)", "(1)" } },
        { Profile(15, "HardwareValue 58 = u32 0\n"), {} },
        { Profile(16, "HardwareValue 58 = u32 0\n"), { "(1)", "(1)" } },  // the board gates type 15 only
        { Profile(21, ""), {} },
        { "DeviceType = u32 0\n", {} },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.profile.substr(0, 20));
        CReportOutline report = RunGroup<CTestDVI>(c.profile);
        std::erase_if(report.calls, [](const std::string& call) { return call.rfind("TivSelectPanel", 0) != 0; });
        for (std::string& call : report.calls)
            call.erase(0, 14);
        EXPECT_EQ(report.calls, c.selected);
        EXPECT_EQ(report.lines.empty(), c.selected.empty());
    }
}

TEST(DviGroup, ChannelOutcome)
{
    const std::wstring yes = L"Panel connected=Yes(YesNo) ", linked = yes + L"Available=Yes(YesNo) ";
    const std::wstring maker = linked + L"Manufacturer ID=698A(Hex) ";
    const std::wstring size = L"Display resolution=1024x768(String) ";
    const std::string numbers = " FF 00 00 FF 80 FF 80 80 FF 80 FF 80 FF";  // header end, 0x88..0x93
    struct { std::string tail; std::wstring summary; } const cases[] = {
        { "[panel 0]\nHardwareValue 13 = u32 0\n" + kBlock, L"Panel connected=No(YesNo) " },
        { "SelectPanel 0 = fail 31\n" + kBlock, L"Panel connected=No(YesNo) " },
        { "[panel 0]\nHardwareValue 13 = fail 50\n" + kBlock, L"Panel connected=" + ErrorText(50) + L"(String) " },
        { "FactoryValue 19 = fail 1117\n", yes + L"Available=" + ErrorText(1117) + L"(String) " },
        { "FactoryValue 19 = bytes 00 FF FF FF FF FF FF 00 8A 69 fill 118 00 FF 55 AA FF 00 00 FF FF\n",
          linked + L"Manufacturer ID=Unknown(String) " + size },
        // Texts without their NUL run on: the revision into the serial number, the model number to the end.
        { kBlock + numbers + " 42 32 33 34 35 53 31 fill 10 00 fill 91 4D\n",
          maker + L"Header ID=FF55AAFF0000FFFF(Hex) Vendor ID=80FF80FFh(String) Device ID=FF80FF80h(String) "
                  L"Compatibility ID=80FFh(String) Hardware revision=B2345S1(String) Serial number=S1(String) "
                  L"Model number=" + std::wstring(91, L'M') + L"(String) " + size },
        { kBlock + " FE\nFactoryValue 21 = u16 65535\nFactoryValue 22 = u16 65535\n",
          maker + L"Header ID=No Vek internal data!(String) Display resolution=65535x65535(String) " },
        // A failed width ends the test with its error; the height is not read then.
        { kBlock + " FE\nFactoryValue 21 = fail 31\nFactoryValue 22 = fail 50\n",
          maker + L"Header ID=No Vek internal data!(String) Display resolution=" + ErrorText(31) + L"(String) " },
        { kBlock + " FE\nFactoryValue 22 = fail 50\n",
          maker + L"Header ID=No Vek internal data!(String) Display resolution=" + ErrorText(50) + L"(String) " },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.tail);
        CReportOutline report = RunGroup<CTestDVI>(Profile(7, c.tail));
        EXPECT_EQ(Summary(report), c.summary);
    }
}

TEST(DviGroup, BlockFilledInPartIsDumpedWithZeros)
{
    std::vector<BYTE> block = { 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x69, 0x8A };
    block.resize(0x80, 0);
    block.insert(block.end(), { 0xFF, 0x55, 0xAA, 0xFF, 0x00, 0x00, 0xFF });
    block.resize(256, 0);
    std::wstring dump;
    HexDump(block.data(), 256, dump);
    CReportTest raw = RunGroup<CTestDVI>(Profile(7, kBlock + "\n")).Test(L"Raw data");
    EXPECT_EQ(raw.result + L" " + raw.format, dump + L" Raw");
}
