// DVI group run into a report: unselectable panel, foreign display data, failed resolution reads.
#include "groups/TestDVI.h"

#include "device/Utilities.h"
#include "support/GroupReport.h"

#include <gtest/gtest.h>

namespace
{

// Channel 1's block, up to the end of the identity record's header but its last byte.
const std::string kBlock = "FactoryValue 19 = bytes 00 FF FF FF FF FF FF 00 69 8A fill 118 00 FF 55 AA FF 00 00 FF";

// A device with one channel (panel 0, linked) and resolution 1024x768; `tail` adds or replaces.
CReportOutline RunDvi(const std::string& tail)
{
    return RunGroup<CTestDVI>("DeviceType = u32 7\nFactoryValue 21 = u16 1024\nFactoryValue 22 = u16 768\n"
                              "[panel 0]\nHardwareValue 13 = u32 1\n[device]\n" + tail);
}

}  // namespace

TEST(DviGroup, ChannelOutcome)
{
    const std::wstring linked = L"Panel connected=Yes Available=Yes ", maker = linked + L"Manufacturer ID=698A ";
    const std::wstring noRecord = maker + L"Header ID=No Vek internal data! Display resolution=";
    struct { std::string tail; std::wstring summary; } const cases[] = {
        { "SelectPanel 0 = fail 31\n" + kBlock + " FF\n", L"Panel connected=No " },
        { "FactoryValue 19 = bytes 00 FF FF FF FF FF FF 00 8A 69 fill 118 00 FF 55 AA FF 00 00 FF FF\n",
          linked + L"Manufacturer ID=Unknown Display resolution=1024x768 " },
        // A failed width ends the test with its error; the height is not read then.
        { kBlock + " FE\nFactoryValue 21 = fail 31\nFactoryValue 22 = fail 50\n", noRecord + ErrorText(31) + L" " },
        { kBlock + " FE\nFactoryValue 22 = fail 50\n", noRecord + ErrorText(50) + L" " },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.tail);
        std::wstring summary;  // "name=result" of every test after the port's name, but the raw dump
        for (const CReportTest& t : RunDvi(c.tail).tests)
            if (t.name != L"Port name" && t.name != L"Raw data")
                summary += t.name + L"=" + t.result + L" ";
        EXPECT_EQ(summary, c.summary);
    }
}

TEST(DviGroup, BlockFilledInPartIsDumpedWithZeros)
{
    const BYTE block[256] = { 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x69, 0x8A };
    std::wstring dump;
    HexDump(block, 256, dump);
    EXPECT_EQ(RunDvi("FactoryValue 19 = bytes 00 FF FF FF FF FF FF 00 69 8A\n").Test(L"Raw data").result, dump);
}
