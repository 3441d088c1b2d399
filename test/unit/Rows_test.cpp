// Table rows: each kind's text at its edges, the failure rule, the gate, the byte list's early end.
#include "groups/readers/Rows.h"
#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace
{

const CRow kRows[] = {
    { .name = L"u8", .read = kHardwareValue, .id = 1, .size = 1, .format = L"%02X",
      .code = kFormatHex },
    { .name = L"u16", .read = kHardwareValue, .id = 2, .size = 2, .format = L"%04X" },
    { .name = L"u32", .read = kHardwareValue, .id = 3 },
    { .name = L"i8", .kind = ERowKind::kSigned, .read = kHardwareValue, .id = 1, .size = 1,
      .format = L"%d", .code = kFormatDec },
    { .name = L"text", .kind = ERowKind::kText, .read = kFactoryString, .id = 4, .size = 512 },
    { .name = L"unterminated", .kind = ERowKind::kText, .read = kFactoryValue, .id = 5,
      .size = 8 },
    { .name = L"raw", .kind = ERowKind::kRaw, .read = kFactoryValue, .id = 6, .size = 4,
      .code = kFormatRaw },
    { .name = L"bytes", .kind = ERowKind::kByteList, .read = kFactoryValue, .format = L"%02Xh",
      .ids = Ids({ 10, 11, 12 }) },
    { .name = L"bits", .kind = ERowKind::kBits, .read = kHardwareValue, .id = 13,
      .code = kFormatDec },
    { .name = L"words", .kind = ERowKind::kWords, .read = kHardwareValue, .id = 14,
      .code = kFormatEnableDisable, .words = kEnabledWords },
    { .name = L"volts", .kind = ERowKind::kThousandths, .read = kVoltageValue, .id = 1,
      .format = L"%.2f", .code = kFormatVolt },
    { .name = L"serial", .read = &CTivLibrary::m_pTivGetUserSerialId, .format = L"%08Xh" },
    { .name = L"layer", .read = &CTivLibrary::m_pTivGetKeyLayer, .size = 1 },
    { .name = L"block", .kind = ERowKind::kRaw, .read = &CTivLibrary::m_pTivGetKeyMatrix,
      .size = 2, .code = kFormatRaw },
    { .name = L"i16", .kind = ERowKind::kSigned, .read = kHardwareValue, .id = 15, .size = 2,
      .format = L"%d" },
    { .name = L"odd text", .kind = ERowKind::kText, .read = kFactoryValue, .id = 16, .size = 7 },
};

}  // namespace

TEST(Rows, EachKindFormatsItsValue)
{
    CReportOutline run = RunInGroup(
        "HardwareValue 1 = u8 0xFF\nHardwareValue 2 = u16 0x1A2B\nHardwareValue 3 = u32 "
        "0xFFFFFFFE\nFactoryStringW 4 = str \"a&b\"\nFactoryValue 5 = strnt \"xy\"\n"
        "FactoryValue 6 = bytes 00 80 FF\nFactoryValue 10 = u8 0\nFactoryValue 11 = u8 0x80\n"
        "FactoryValue 12 = u8 0xFF\nHardwareValue 13 = u8 0x4B\nHardwareValue 14 = u32 2\n"
        "Voltage 1 = u32 45\nUserSerialId = u32 0xABCD\nKeyLayer = u8 200\n"
        "KeyMatrix = bytes 00 80\nHardwareValue 15 = u16 0x8000\n"
        "FactoryValue 16 = bytes 61 00 62 00 63 00 64\n",
        [](CTest& t) { WriteRows(t, kRows); });
    const struct { const wchar_t* name; const wchar_t* result; const wchar_t* format; } expected[] = {
        { L"u8", L"FF", L"Hex" },
        { L"u16", L"1A2B", L"String" },
        { L"u32", L"4294967294", L"String" },
        { L"i8", L"-1", L"Dec" },
        { L"text", L"a&b", L"String" },
        { L"unterminated", L"xyxy", L"String" },  // cut at the end of its 8 bytes
        { L"bytes", L"00h 80h FFh", L"String" },
        { L"bits", L"01001011", L"Dec" },
        { L"words", L"Enabled", L"EnableDisable" },
        { L"volts", L"0.05", L"Volt" },
        { L"serial", L"0000ABCDh", L"String" },
        { L"layer", L"200", L"String" },
        { L"i16", L"-32768", L"String" },
        { L"odd text", L"abc", L"String" },  // the half character at the end is cut
    };
    for (const auto& e : expected)
    {
        EXPECT_EQ(run.Test(e.name).result, e.result) << e.name;
        EXPECT_EQ(run.Test(e.name).format, e.format) << e.name;
        EXPECT_EQ(run.Test(e.name).status, L"Passed") << e.name;
    }
    EXPECT_EQ(run.Test(L"raw").format, L"Raw");
    const BYTE block[4] = { 0x00, 0x80, 0xFF, 0x00 };  // a block filled in part keeps its size
    std::wstring dump = RawText(block, 4);
    while (!dump.empty() && dump.back() == L'\n')  // the writer drops one final line feed
        dump.pop_back();
    EXPECT_EQ(run.Test(L"raw").result, dump);
    // A block without an id: the buffer's own size reaches the reader.
    EXPECT_NE(std::find(run.calls.begin(), run.calls.end(), "TivGetKeyMatrix(2)"), run.calls.end());
    EXPECT_EQ(run.Test(L"block").status, L"Passed");
}

TEST(Rows, FailuresTakeTheErrorOfTheFailingCall)
{
    // The byte list ends at its first failing read: the third byte is never asked for.
    CReportOutline run = RunInGroup(
        "Default = fail 1168\nFactoryValue 10 = u8 1\nFactoryValue 11 = fail 5\n"
        "HardwareValue 14 = u16 1\n",
        [](CTest& t) {
            WriteRow(t, kRows[7]);
            WriteRow(t, kRows[9]);  // a 4-byte read of a 2-byte value: 87
            WriteRow(t, kRows[4]);
            // Rows no read can serve: nothing is asked, nothing passes as read.
            WriteRow(t, { .name = L"no ids", .kind = ERowKind::kByteList, .read = kFactoryValue });
            WriteRow(t, { .name = L"3 bytes", .read = kHardwareValue, .id = 3, .size = 3 });
        });
    EXPECT_EQ(run.Test(L"bytes").result, ErrorText(5));
    EXPECT_EQ(run.Test(L"words").result, ErrorText(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(run.Test(L"text").result, ErrorText(1168));
    EXPECT_EQ(run.Test(L"no ids").result, ErrorText(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(run.Test(L"3 bytes").result, ErrorText(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(run.calls.size(), 4u);  // two bytes, the words, the text
    for (const CReportTest& test : run.tests)
    {
        EXPECT_EQ(test.status, L"Failed");
        EXPECT_EQ(test.format, L"String");
    }
    for (const std::string& call : run.calls)
        EXPECT_EQ(call.find("TivGetFactoryValue(12"), std::string::npos) << call;
}

TEST(Rows, AFailedGateWritesNothingAndNegatedGatesHoldOnAnUnreadableType)
{
    const CRow rows[] = {
        { .name = L"only on 18", .read = kHardwareValue, .id = 3, .gate = OnlyOn({ 18 }) },
        { .name = L"not on 9", .read = kHardwareValue, .id = 3, .gate = NotOn({ 9 }) },
        { .name = L"board 3", .read = kHardwareValue, .id = 3, .gate = OnCpuBoard(3) },
    };
    CReportOutline run = RunInGroup("DeviceType = fail 31\nHardwareValue 3 = u32 7\n",
                               [&](CTest& t) { WriteRows(t, rows); });
    EXPECT_EQ(run.Names(), std::vector<std::wstring>{ L"not on 9" });

    CReportOutline board = RunInGroup("HardwareStringW 16 = str \"R563 rev 2\"\nHardwareValue 3 = u32 7\n",
                                 [&](CTest& t) { WriteRows(t, rows); });
    EXPECT_EQ(board.Names(), (std::vector<std::wstring>{ L"not on 9", L"board 3" }));
}
