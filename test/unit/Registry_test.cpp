// HKEY_LOCAL_MACHINE reading: keys open for querying only, numbers read into a cleared buffer.
#include "framework/Registry.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace
{

const wchar_t kKey[] = L"SOFTWARE\\VekQuorvelRegistry";

}  // namespace

TEST(MachineKey, OpensForQueryingOnlyAndKeepsTheKeyOnFailure)
{
    CStagedMachineKey machine;
    machine.SetString(kKey, L"Name", L"x");
    CRegKey key;
    ASSERT_EQ(OpenMachineKey(kKey, key), ERROR_SUCCESS);
    const DWORD dwData = 1;
    EXPECT_EQ(RegSetValueExW(key.Get(), L"Other", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwData), sizeof(dwData)),
              ERROR_ACCESS_DENIED);
    HKEY hOpen = key.Get();
    EXPECT_EQ(OpenMachineKey(L"SOFTWARE\\VekQuorvelMissing", key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key.Get(), hOpen);
}

TEST(MachineKey, NumberComesFromABufferClearedBeforeTheQuery)
{
    CStagedMachineKey machine;
    const DWORD dwDword = 0x12345678;
    const WORD wWord = 0xBEEF;
    const uint64_t qwQword = 0x1111111122222222ull;
    machine.SetRaw(kKey, L"Dword", REG_DWORD, &dwDword, sizeof(dwDword));
    machine.SetRaw(kKey, L"Word", REG_BINARY, &wWord, sizeof(wWord));
    machine.SetRaw(kKey, L"Qword", REG_QWORD, &qwQword, sizeof(qwQword));
    CRegKey key;
    ASSERT_EQ(OpenMachineKey(kKey, key), ERROR_SUCCESS);
    // dwType is looked at after a success only.
    struct { const wchar_t* pszName; LONG lResult; DWORD dwValue, dwType; } const cases[] = {
        { L"Dword", ERROR_SUCCESS, 0x12345678, REG_DWORD },
        { L"Word", ERROR_SUCCESS, 0xBEEF, REG_BINARY },  // shorter data leave the upper bytes 0
        { L"Qword", ERROR_MORE_DATA, 0, REG_NONE },      // data that do not fit fail, whatever the buffer holds
        { L"Missing", ERROR_FILE_NOT_FOUND, 0, REG_NONE },
    };
    for (const auto& c : cases)
    {
        DWORD dwValue = 0xFFFFFFFF, dwType = REG_NONE;
        EXPECT_EQ(QueryRegistryNumber(key.Get(), c.pszName, dwValue, &dwType), c.lResult) << c.pszName;
        EXPECT_EQ(dwValue, c.dwValue) << c.pszName;
        EXPECT_EQ(dwType, c.lResult == ERROR_SUCCESS ? c.dwType : dwType) << c.pszName;
    }
}
