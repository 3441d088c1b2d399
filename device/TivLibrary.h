// Run-time binding of the device-interface library VekTiv.dll and the device queries built on it.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

// The library's exports; all stdcall, non-zero result = success.
typedef BOOL(WINAPI* PFN_TIV_ID_READ)(DWORD dwId, void* pBuffer, DWORD dwSize);
typedef BOOL(WINAPI* PFN_TIV_ID_STRING)(DWORD dwId, wchar_t* pBuffer, DWORD dwSize);
typedef BOOL(WINAPI* PFN_TIV_DWORD_OUT)(DWORD* pValue);
typedef BOOL(WINAPI* PFN_TIV_BYTE_OUT)(BYTE* pValue);
typedef BOOL(WINAPI* PFN_TIV_BUFFER)(void* pBuffer, DWORD dwSize);
typedef BOOL(WINAPI* PFN_TIV_UPLOAD_FILE)(const wchar_t* pszPath, DWORD dwId, DWORD dwReserved1,
                                          DWORD dwReserved2);
typedef BOOL(WINAPI* PFN_TIV_IS_WMI_ENABLED)(BOOL* pEnabled);
typedef BOOL(WINAPI* PFN_TIV_LED_MATRIX)(DWORD dwLayer, void* pBuffer, DWORD dwSize);
typedef BOOL(WINAPI* PFN_TIV_SELECT_PANEL)(DWORD dwPanel);
typedef BOOL(WINAPI* PFN_TIV_EQUALIZER)(DWORD* pMode, BYTE* pValue);
typedef BOOL(WINAPI* PFN_TIV_ENABLE_WMI)(BOOL bEnable);

// Device type codes as the library reports them (0 = not read or unreadable).
const DWORD kMaxDeviceType = 21;

// Binding of one load of VekTiv.dll. A plain record: the field order below is the
// documented layout (module, cached type, then the 38 exports in layout order).
// Every pointer is NULL when the library did not load or lacks the export, and callers
// treat a NULL pointer exactly like a call that returned FALSE. The binding owns its load of
// the library: Free or the destructor releases it, once.
class CTivLibrary
{
public:
    CTivLibrary();
    CTivLibrary(const CTivLibrary&) = delete;
    CTivLibrary& operator=(const CTivLibrary&) = delete;

    // Releases the library and leaves the binding as one whose library did not load: module,
    // cached type and every pointer NULL, so no pointer outlives the code it points into.
    void Free();

    // Lazy device-type check of every gate: reads the type into the cache while the cache
    // is 0 (again at every check as long as the read fails), then compares it with dwType.
    bool IsDeviceType(DWORD dwType);

    // Device identification queries.
    BOOL GetCpuBoardType(DWORD* pdwCode, wchar_t* pszName /* [260] in/out */);
    BOOL IsCpuBoardType(DWORD dwCode);
    DWORD IsIoBoardPresent();
    BOOL FindFirstPanel(DWORD* pdwIndex);
    BOOL FindFirstIfBoardSlot(DWORD* pdwSlot);
    BOOL FindFirstDriveSlot(DWORD* pdwSlot);
    BOOL IsPanelConnected(DWORD dwIndex);
    // Always asks the library (the cache is neither read nor written). pszName may be NULL.
    BOOL GetDeviceTypeName(DWORD* pdwType, wchar_t* pszName /* [260] or NULL */);

    CModule m_hModule;  // one HMODULE wide, so the layout is that of a plain handle
    DWORD m_dwDeviceType;

    PFN_TIV_ID_READ m_pTivGetFactoryValue;
    PFN_TIV_ID_STRING m_pTivGetFactoryStringW;
    PFN_TIV_ID_READ m_pTivGetTemperature;
    PFN_TIV_ID_READ m_pTivGetStatisticsValue;
    PFN_TIV_ID_STRING m_pTivGetFirmwareStringW;
    PFN_TIV_ID_READ m_pTivGetFirmwareValue;
    PFN_TIV_DWORD_OUT m_pTivGetDeviceType;
    PFN_TIV_ID_READ m_pTivGetHardwareValue;
    PFN_TIV_ID_STRING m_pTivGetHardwareStringW;
    PFN_TIV_UPLOAD_FILE m_pTivUploadFileW;
    PFN_TIV_ID_READ m_pTivGetVoltage;
    PFN_TIV_IS_WMI_ENABLED m_pTivIsWmiEnabled;
    PFN_TIV_DWORD_OUT m_pTivGetKeyCfgState;
    PFN_TIV_ID_STRING m_pTivGetKeyCfgStringW;
    PFN_TIV_BYTE_OUT m_pTivGetKeyLayer;
    PFN_TIV_BYTE_OUT m_pTivGetKeyLayerMode;
    PFN_TIV_BUFFER m_pTivGetKeyMatrix;
    PFN_TIV_BUFFER m_pTivGetKeySwitches;
    PFN_TIV_BYTE_OUT m_pTivGetLedCount;
    PFN_TIV_LED_MATRIX m_pTivGetLedMatrix;
    PFN_TIV_DWORD_OUT m_pTivGetUserSerialId;
    PFN_TIV_BYTE_OUT m_pTivGetUserLed;
    PFN_TIV_ID_READ m_pTivGetUserlogoValue;
    PFN_TIV_ID_STRING m_pTivGetUserlogoStringW;
    PFN_TIV_SELECT_PANEL m_pTivSelectPanel;
    PFN_TIV_DWORD_OUT m_pTivGetPanelLockTime;
    PFN_TIV_BYTE_OUT m_pTivGetDisplayType;
    PFN_TIV_BYTE_OUT m_pTivGetDisplayBrightness;
    PFN_TIV_BYTE_OUT m_pTivGetDisplayDefaultBrightness;
    PFN_TIV_BYTE_OUT m_pTivGetDisplayFactoryBrightness;
    PFN_TIV_BYTE_OUT m_pTivGetDisplayContrast;
    PFN_TIV_BYTE_OUT m_pTivGetDisplayDefaultContrast;
    PFN_TIV_BYTE_OUT m_pTivGetDisplayFactoryContrast;
    PFN_TIV_EQUALIZER m_pTivGetDisplayEqualizer;
    PFN_TIV_BYTE_OUT m_pTivGetKeyCount;
    PFN_TIV_DWORD_OUT m_pTivAreKeysEnabled;
    PFN_TIV_ENABLE_WMI m_pTivEnableWmi;
    PFN_TIV_ID_READ m_pTivGetAlarm;

private:
    void ClearExports();
};

static_assert(sizeof(CModule) == sizeof(HMODULE), "the binding's layout needs a bare handle");

// One export of the binding: its ANSI name and the address of its pointer field.
struct CTivExport
{
    const char* pszName;
    size_t nOffset;  // offset of the pointer field within CTivLibrary
};

// The exports in binding order (the order GetProcAddress is asked in).
extern const CTivExport kTivExports[38];

// Model name of a device type code; "Not supported" outside 1..21.
const wchar_t* GetDeviceModelName(DWORD dwType);
