// The shipped per-type profiles describe the device they are named after: model, CPU board,
// I/O board, first IF slot, first drive slot and first panel, asked through the binding.
#include "device/TivLibrary.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace
{

std::string ProfileText(const char* name)
{
    std::wstring path = SourceFolder() + L"\\sim\\profiles\\";
    for (const char* p = name; *p; ++p)
        path += static_cast<wchar_t>(*p);
    return ReadFileBytes(path);
}

const DWORD kNone = 0xFFFFFFFF;

// One row per device type: what its profile carries (0 / kNone: nothing there).
struct CDeviceRow
{
    DWORD type;
    const wchar_t* model;
    DWORD boardCode;
    bool ioBoard;
    DWORD firstIfSlot;
    DWORD firstDriveSlot;
    DWORD firstPanel;
};

const CDeviceRow kDevices[] = {
    { 1, L"Vek Ostell 340", 1, false, kNone, kNone, 0 },
    { 2, L"Vek Ostell 710", 1, false, kNone, kNone, 0 },
    { 3, L"Vek Torvex 430", 2, false, kNone, kNone, 0 },
    { 4, L"Vek Sendra 140/240", 2, false, kNone, kNone, 0 },
    { 5, L"Vek Kavun 120/220", 2, false, kNone, kNone, 0 },
    { 6, L"Vek Torvex 270", 3, false, kNone, kNone, 0 },
    { 7, L"Vek Mirral 380", 3, false, kNone, kNone, 0 },
    { 8, L"Vek Sendra 370/470", 4, false, kNone, kNone, 0 },
    { 9, L"Vek Kavun 16", 4, false, kNone, kNone, 0 },
    { 10, L"Vek Mirral 150", 5, false, kNone, kNone, 0 },
    { 11, L"Vek Kavun 18", 5, false, kNone, kNone, 0 },
    { 12, L"Vek Torvex 520", 6, false, kNone, kNone, 0 },
    { 13, L"Vek Mirral 540", 8, false, kNone, kNone, 0 },
    { 14, L"Vek Torvex 530", 7, false, kNone, kNone, 0 },
    { 15, L"Vek Sendra 590", 7, true, 1, kNone, 0 },
    { 16, L"Vek Torvex 190", 6, true, 2, kNone, 0 },
    { 17, L"Vek Torvex 191", 7, true, 1, kNone, 0 },
    { 18, L"Vek Torvex 670", 8, false, 1, 1, 0 },
    { 19, L"Vek Mirral 660", 8, false, 1, 2, 0 },
    { 20, L"Vek Torvex 960", 7, false, 1, kNone, 0 },
    { 21, L"Vek Mirral 960", 8, false, 2, kNone, 0 },
};

}  // namespace

TEST(SimDeviceProfiles, EachTypeProfileIsItsDevice)
{
    for (const CDeviceRow& row : kDevices)
    {
        char name[16];
        std::snprintf(name, sizeof name, "type%02lu.ini", static_cast<unsigned long>(row.type));
        std::string text = ProfileText(name);
        ASSERT_FALSE(text.empty()) << name;
        CSimDevice device(text);
        CTivLibrary lib;
        ASSERT_NE(lib.m_hModule.Get(), nullptr);

        DWORD type = 0;
        wchar_t model[260] = {};
        EXPECT_TRUE(lib.GetDeviceTypeName(&type, model)) << name;
        EXPECT_EQ(type, row.type) << name;
        EXPECT_STREQ(model, row.model) << name;

        DWORD board = 0;
        wchar_t boardName[260] = {};
        EXPECT_TRUE(lib.GetCpuBoardType(&board, boardName)) << name;
        EXPECT_EQ(board, row.boardCode) << name;

        EXPECT_EQ(lib.IsIoBoardPresent() != 0, row.ioBoard) << name;
        DWORD slot = kNone;
        EXPECT_EQ(lib.FindFirstIfBoardSlot(&slot) != FALSE, row.firstIfSlot != kNone) << name;
        EXPECT_EQ(slot, row.firstIfSlot) << name;
        slot = kNone;
        EXPECT_EQ(lib.FindFirstDriveSlot(&slot) != FALSE, row.firstDriveSlot != kNone) << name;
        EXPECT_EQ(slot, row.firstDriveSlot) << name;
        DWORD panel = kNone;
        EXPECT_TRUE(lib.FindFirstPanel(&panel)) << name;
        EXPECT_EQ(panel, row.firstPanel) << name;
    }
}

TEST(SimDeviceProfiles, DefaultProfileIsTheRichestTypeEighteen)
{
    CSimDevice device(ProfileText("default.ini"));
    CTivLibrary lib;
    DWORD type = 0;
    EXPECT_TRUE(lib.GetDeviceTypeName(&type, nullptr));
    EXPECT_EQ(type, 18u);
    // Both IF slots, both drives and panels 0, 1 and 8 (the display link slot).
    DWORD value = 0;
    for (DWORD id : { 57, 59, 62, 63 })
    {
        ASSERT_TRUE(lib.m_pTivGetHardwareValue(id, &value, 4)) << id;
        EXPECT_NE(value, 0u) << id;
    }
    for (DWORD panel : { 0, 1, 8 })
        EXPECT_TRUE(lib.IsPanelConnected(panel)) << panel;
    EXPECT_FALSE(lib.IsPanelConnected(2));
}
