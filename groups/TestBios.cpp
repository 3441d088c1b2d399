// BIOS group: firmware version and build date, the registry BIOS id, the BIOS boot area.
#include "groups/TestBios.h"

#include "framework/Handles.h"
#include "framework/Registry.h"
#include "groups/readers/Reading.h"
#include "groups/readers/VoltageFirmware.h"

namespace
{

const wchar_t kBiosKey[] = L"HARDWARE\\TIV\\Bios";

// Firmware strings of the group in report order.
struct CFirmwareString
{
    const wchar_t* pszTest;
    DWORD dwId;
};

const CFirmwareString kFirmwareStrings[] = {
    { L"Vek version", 21 },
    { L"Build date", 23 },
};

// The registry's BIOS id; failures carry the registry calls' own codes, not the last error.
CReading ReadBiosId()
{
    CRegKey key;
    LONG lResult = OpenMachineKey(kBiosKey, key);
    if (lResult != ERROR_SUCCESS)
        return Failure(static_cast<DWORD>(lResult));
    // Whatever type the value has, its data are shown as text within the returned bytes.
    std::wstring id;
    lResult = QueryRegistryText(key.Get(), L"VersionID", kStringBytes, id, nullptr);
    if (lResult != ERROR_SUCCESS)
        return Failure(static_cast<DWORD>(lResult));
    return Value(id, kFormatString);
}

}  // namespace

void CTestBios::Run()
{
    // Unlike a plain "not on 9 or 11" gate, an unreadable type writes nothing here.
    if (!HasReadableDeviceType(m_Library) || IsDeviceTypeIn(m_Library, { 9, 11 }))
        return;
    m_pReport->BeginTestGroup(L"BIOS",
                              L"Contains BIOS related tests like checking the version number or "
                              L"the BIOS ID.",
                              nullptr, nullptr);
    for (const CFirmwareString& row : kFirmwareStrings)
    {
        BeginFirstTest(*this, row.pszTest, L"",
                       [&] { return ReadString(m_Library.m_pTivGetFirmwareStringW, row.dwId); });
    }
    BeginFirstTest(*this, L"ID", L"", ReadBiosId);
    WriteFirmware(*this, kFirmwareBiosBootMode);
    m_pReport->EndTestGroup();
}
