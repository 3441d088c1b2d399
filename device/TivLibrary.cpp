// Binding of VekTiv.dll: load by bare name, bind the 38 exports by name, lazy device type.
#include "device/TivLibrary.h"

#include <cstddef>
#include <iterator>

#define TIV_EXPORT(name) { #name, offsetof(CTivLibrary, m_p##name) }

const CTivExport kTivExports[38] = {
    TIV_EXPORT(TivGetFactoryStringW),
    TIV_EXPORT(TivGetFirmwareStringW),
    TIV_EXPORT(TivGetHardwareStringW),
    TIV_EXPORT(TivGetKeyCfgStringW),
    TIV_EXPORT(TivGetUserlogoStringW),
    TIV_EXPORT(TivUploadFileW),
    TIV_EXPORT(TivGetFactoryValue),
    TIV_EXPORT(TivGetTemperature),
    TIV_EXPORT(TivGetStatisticsValue),
    TIV_EXPORT(TivGetFirmwareValue),
    TIV_EXPORT(TivGetDeviceType),
    TIV_EXPORT(TivGetHardwareValue),
    TIV_EXPORT(TivGetVoltage),
    TIV_EXPORT(TivIsWmiEnabled),
    TIV_EXPORT(TivGetKeyCount),
    TIV_EXPORT(TivGetKeyCfgState),
    TIV_EXPORT(TivGetKeyLayer),
    TIV_EXPORT(TivGetKeyLayerMode),
    TIV_EXPORT(TivGetKeyMatrix),
    TIV_EXPORT(TivGetKeySwitches),
    TIV_EXPORT(TivGetLedCount),
    TIV_EXPORT(TivGetLedMatrix),
    TIV_EXPORT(TivGetUserSerialId),
    TIV_EXPORT(TivGetUserLed),
    TIV_EXPORT(TivGetUserlogoValue),
    TIV_EXPORT(TivSelectPanel),
    TIV_EXPORT(TivGetPanelLockTime),
    TIV_EXPORT(TivGetDisplayType),
    TIV_EXPORT(TivGetDisplayBrightness),
    TIV_EXPORT(TivGetDisplayDefaultBrightness),
    TIV_EXPORT(TivGetDisplayFactoryBrightness),
    TIV_EXPORT(TivGetDisplayContrast),
    TIV_EXPORT(TivGetDisplayDefaultContrast),
    TIV_EXPORT(TivGetDisplayFactoryContrast),
    TIV_EXPORT(TivGetDisplayEqualizer),
    TIV_EXPORT(TivAreKeysEnabled),
    TIV_EXPORT(TivEnableWmi),
    TIV_EXPORT(TivGetAlarm),
};

#undef TIV_EXPORT

CTivLibrary::CTivLibrary()
{
    m_dwDeviceType = 0;
    ClearExports();

    m_hModule.Reset(LoadLibraryW(L"VekTiv.dll"));
    if (!m_hModule)
        return;

    for (const CTivExport& e : kTivExports)
        *reinterpret_cast<FARPROC*>(reinterpret_cast<char*>(this) + e.nOffset) =
            GetProcAddress(m_hModule.Get(), e.pszName);
}

void CTivLibrary::Free()
{
    ClearExports();
    m_dwDeviceType = 0;
    m_hModule.Reset();
}

void CTivLibrary::ClearExports()
{
    for (const CTivExport& e : kTivExports)
        *reinterpret_cast<FARPROC*>(reinterpret_cast<char*>(this) + e.nOffset) = nullptr;
}

bool CTivLibrary::IsDeviceType(DWORD dwType)
{
    if (m_dwDeviceType == 0)
    {
        // A failed read leaves the cache at 0 so that the next check asks again; a code that a
        // failing library wrote anyway is not trusted.
        if (m_pTivGetDeviceType == nullptr || !m_pTivGetDeviceType(&m_dwDeviceType))
        {
            m_dwDeviceType = 0;
            return false;
        }
    }
    return m_dwDeviceType == dwType;
}
