// Sub-test conventions: type chains, presence, begin-first and read-first tests. The alarm rule is
// the sensor families' (FamilySensors_test), gates on an unreadable type the rows' (Rows_test).
#include "device/Utilities.h"
#include "groups/readers/Reading.h"
#include "groups/readers/Rows.h"
#include "support/GroupReport.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(TypeChain, UnreadableTypeIsAskedAgainAtEveryCheck)
{
    CSimDevice device("DeviceType = fail 31 then fail 31 then u32 18\n");
    CTivLibrary lib;
    // The first two codes find the type unreadable; the third reads 18 and compares with it.
    EXPECT_FALSE(IsDeviceTypeIn(lib, { 9, 11 }));
    EXPECT_EQ(device.CountCalls("TivGetDeviceType("), 2u);
    EXPECT_TRUE(IsDeviceTypeIn(lib, { 15, 18, 19 }));
    EXPECT_EQ(device.CountCalls("TivGetDeviceType("), 3u);
    // Cached from now on.
    EXPECT_TRUE(IsNotDeviceTypeIn(lib, { 9, 11 }));
    EXPECT_TRUE(IsDeviceTypeIn(lib, CTypeChain{ { 19, 18 } }));
    EXPECT_EQ(device.CountCalls("TivGetDeviceType("), 3u);
}

TEST(Presence, OnlyABoundSuccessfulNonZeroReadIsPresent)
{
    const struct { const char* profile; bool present; } cases[] = {
        { "HardwareValue 65 = u32 1\n", true },
        { "HardwareValue 65 = u32 0\n", false },
        { "HardwareValue 65 = fail 31\n", false },
        { "HardwareValue 65 = u16 1\n", false },  // a 4-byte read of a 2-byte value fails
    };
    for (const auto& c : cases)
    {
        CSimDevice device(c.profile);
        CTivLibrary lib;
        EXPECT_EQ(IsPresent(lib, 65), c.present) << c.profile;
        EXPECT_EQ(device.CountCalls("TivGetHardwareValue(65,4)"), 1u);
    }
}

TEST(Reads, UnboundExportTakesWhateverTheThreadHolds)
{
    DWORD dwError = 0;
    BYTE buffer[4] = {};
    SetLastError(1234);
    EXPECT_FALSE(CallTivRead(static_cast<PFN_TIV_ID_READ>(nullptr), 1, buffer, 4, dwError));
    EXPECT_EQ(dwError, 1234u);
    wchar_t text[4] = {};
    SetLastError(4321);
    EXPECT_FALSE(CallTivRead(static_cast<PFN_TIV_ID_STRING>(nullptr), 1, text, 8, dwError));
    EXPECT_EQ(dwError, 4321u);
}

TEST(Reading, BeginFirstFailureWritesTheErrorTextAndReadFirstWritesNothing)
{
    CReportOutline run = RunInGroup("FactoryValue 1 = fail 31\nFactoryValue 2 = u32 5\n", [](CTest& t) {
        auto read = [&](DWORD id) {
            return [&t, id] {
                return ReadRow(t.m_Library, { .read = kFactoryValue, .id = id, .code = kFormatDec });
            };
        };
        BeginFirstTest(t, L"Begun", L"", read(1));
        EXPECT_FALSE(ReadFirstTest(t, L"Skipped", L"", read(1)));
        EXPECT_TRUE(ReadFirstTest(t, L"Read", L"A description", read(2)));
    });
    ASSERT_EQ(run.Names(), (std::vector<std::wstring>{ L"Begun", L"Read" }));
    const CReportTest& begun = run.tests[0];
    EXPECT_EQ(begun.result, ErrorText(31));
    EXPECT_EQ(begun.status, L"Failed");
    EXPECT_EQ(begun.format, L"String");
    EXPECT_EQ(begun.description, L"DescrUndef");
    // The skipped test took no TestNumber.
    EXPECT_EQ(run.tests[1].number, begun.number + 1);
    EXPECT_EQ(run.tests[1].result, L"5");
    EXPECT_EQ(run.tests[1].description, L"A description");
}
