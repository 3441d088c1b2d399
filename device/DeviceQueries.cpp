// Device identification: model name, CPU board, I/O board, first panel, IF and drive slots.
#include "device/TivLibrary.h"

#include <cwchar>
#include <iterator>

namespace
{

const wchar_t* const kModelNames[kMaxDeviceType + 1] = {
    nullptr,
    L"Vek Ostell 340",     L"Vek Ostell 710",  L"Vek Torvex 430", L"Vek Sendra 140/240",
    L"Vek Kavun 120/220",  L"Vek Torvex 270",  L"Vek Mirral 380", L"Vek Sendra 370/470",
    L"Vek Kavun 16",       L"Vek Mirral 150",  L"Vek Kavun 18",   L"Vek Torvex 520",
    L"Vek Mirral 540",     L"Vek Torvex 530",  L"Vek Sendra 590", L"Vek Torvex 190",
    L"Vek Torvex 191",     L"Vek Torvex 670",  L"Vek Mirral 660", L"Vek Torvex 960",
    L"Vek Mirral 960",
};

// CPU boards by the beginning of hardware string 16; compared in this order, first match wins.
struct CCpuBoard
{
    const wchar_t* pszPrefix;
    DWORD dwCode;
    const wchar_t* pszShortName;
};

const CCpuBoard kCpuBoards[] = {
    { L"815E", 1, L"H302" },    { L"H302", 1, L"H302" }, { L"855GME", 2, L"G417" },
    { L"G417", 2, L"G417" },    { L"R563GME", 3, L"R563" }, { L"R563", 3, L"R563" },
    { L"T628", 4, L"T628" },    { L"K749", 5, L"K749" }, { L"W871", 6, L"W871" },
    { L"QD26", 7, L"QD26" },    { L"ZLVR", 8, L"ZLVR" },
};

const DWORD kNameChars = 260;

// Presence value ids of the two slots of a module kind.
BOOL FindFirstSlot(CTivLibrary& lib, DWORD dwSlot1Id, DWORD dwSlot2Id, DWORD* pdwSlot)
{
    const DWORD ids[] = { dwSlot1Id, dwSlot2Id };
    for (DWORD slot = 1; slot <= 2; ++slot)
    {
        DWORD dwValue = 0;
        if (lib.m_pTivGetHardwareValue != nullptr &&
            lib.m_pTivGetHardwareValue(ids[slot - 1], &dwValue, sizeof dwValue) && dwValue != 0)
        {
            *pdwSlot = slot;
            return TRUE;
        }
    }
    return FALSE;
}

}  // namespace

const wchar_t* GetDeviceModelName(DWORD dwType)
{
    if (dwType >= 1 && dwType <= kMaxDeviceType)
        return kModelNames[dwType];
    return L"Not supported";
}

BOOL CTivLibrary::GetCpuBoardType(DWORD* pdwCode, wchar_t* pszName)
{
    // The library writes the hardware string straight into the caller's 260-character buffer.
    if (m_pTivGetHardwareStringW == nullptr ||
        !m_pTivGetHardwareStringW(16, pszName, kNameChars * sizeof(wchar_t)))
    {
        *pdwCode = 0;
        return FALSE;
    }
    // A library that fills the whole buffer leaves no terminator: the name ends inside it.
    if (wmemchr(pszName, L'\0', kNameChars) == nullptr)
        pszName[kNameChars - 1] = L'\0';
    for (const CCpuBoard& board : kCpuBoards)
    {
        if (wcsncmp(pszName, board.pszPrefix, wcslen(board.pszPrefix)) == 0)
        {
            *pdwCode = board.dwCode;
            wcsncpy(pszName, board.pszShortName, kNameChars - 1);
            pszName[kNameChars - 1] = L'\0';
            return TRUE;
        }
    }
    *pdwCode = 0;
    return TRUE;
}

BOOL CTivLibrary::IsCpuBoardType(DWORD dwCode)
{
    DWORD dwBoard = 0;
    wchar_t szName[kNameChars] = {};
    return GetCpuBoardType(&dwBoard, szName) && dwBoard == dwCode;
}

DWORD CTivLibrary::IsIoBoardPresent()
{
    DWORD dwValue = 0;
    if (m_pTivGetHardwareValue == nullptr || !m_pTivGetHardwareValue(58, &dwValue, sizeof dwValue))
        return 0;
    return dwValue;
}

BOOL CTivLibrary::FindFirstIfBoardSlot(DWORD* pdwSlot)
{
    return FindFirstSlot(*this, 57, 59, pdwSlot);
}

BOOL CTivLibrary::FindFirstDriveSlot(DWORD* pdwSlot)
{
    return FindFirstSlot(*this, 62, 63, pdwSlot);
}

BOOL CTivLibrary::IsPanelConnected(DWORD dwIndex)
{
    // These devices have one built-in panel, index 0, and no panel selection.
    if (IsDeviceType(5) || IsDeviceType(4) || IsDeviceType(9) || IsDeviceType(11))
        return dwIndex == 0 ? TRUE : FALSE;

    if (m_pTivSelectPanel == nullptr || !m_pTivSelectPanel(dwIndex))
        return FALSE;

    DWORD dwConnected = 0;
    if (m_pTivGetHardwareValue == nullptr ||
        !m_pTivGetHardwareValue(12, &dwConnected, sizeof dwConnected))
        return FALSE;
    return dwConnected != 0 ? TRUE : FALSE;
}

BOOL CTivLibrary::FindFirstPanel(DWORD* pdwIndex)
{
    if (IsDeviceType(5) || IsDeviceType(4))
    {
        *pdwIndex = 0;
        return TRUE;
    }
    // Selecting is lasting: afterwards the library addresses the panel found, or the last tried.
    for (DWORD i = 0; i < 16; ++i)
    {
        if (IsPanelConnected(i))
        {
            *pdwIndex = i;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CTivLibrary::GetDeviceTypeName(DWORD* pdwType, wchar_t* pszName)
{
    if (m_pTivGetDeviceType != nullptr && m_pTivGetDeviceType(pdwType))
    {
        if (pszName != nullptr)
        {
            wcsncpy(pszName, GetDeviceModelName(*pdwType), kNameChars - 1);
            pszName[kNameChars - 1] = L'\0';
        }
        return TRUE;
    }
    *pdwType = 0;
    if (pszName != nullptr)
        wcscpy(pszName, L"Unknown");
    return FALSE;
}
