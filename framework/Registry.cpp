// Reading HKEY_LOCAL_MACHINE: keys opened for querying values only, values as text or number.
#include "framework/Registry.h"

#include <cwchar>
#include <vector>

LONG OpenMachineKey(const wchar_t* pszSubKey, CRegKey& key)
{
    HKEY hKey = nullptr;
    LONG lResult = RegOpenKeyExW(HKEY_LOCAL_MACHINE, pszSubKey, 0, KEY_QUERY_VALUE, &hKey);
    if (lResult == ERROR_SUCCESS)
        key.Reset(hKey);
    return lResult;
}

LONG QueryRegistryText(HKEY hKey, const wchar_t* pszName, DWORD cbBuffer, std::wstring& text,
                       DWORD* pdwType)
{
    text.clear();
    // One extra unit past the buffer stays 0, so nothing below depends on the data's own end.
    std::vector<wchar_t> buffer(cbBuffer / sizeof(wchar_t) + 1, L'\0');
    DWORD cbData = cbBuffer;
    LONG lResult = RegQueryValueExW(hKey, pszName, nullptr, pdwType,
                                    reinterpret_cast<BYTE*>(buffer.data()), &cbData);
    if (lResult != ERROR_SUCCESS)
        return lResult;
    size_t nUnits = (cbData < cbBuffer ? cbData : cbBuffer) / sizeof(wchar_t);
    text.assign(buffer.data(), wcsnlen(buffer.data(), nUnits));
    return ERROR_SUCCESS;
}

LONG QueryRegistryString(HKEY hKey, const wchar_t* pszName, DWORD cbBuffer, std::wstring& text,
                         bool* pbOk)
{
    DWORD dwType = REG_NONE;
    LONG lResult = QueryRegistryText(hKey, pszName, cbBuffer, text, &dwType);
    *pbOk = lResult == ERROR_SUCCESS && dwType == REG_SZ;
    if (!*pbOk)
        text.clear();
    return lResult;
}

LONG QueryRegistryNumber(HKEY hKey, const wchar_t* pszName, DWORD& dwValue, DWORD* pdwType)
{
    DWORD dwBuffer = 0;
    DWORD cbData = sizeof(dwBuffer);
    LONG lResult = RegQueryValueExW(hKey, pszName, nullptr, pdwType,
                                    reinterpret_cast<BYTE*>(&dwBuffer), &cbData);
    // After a failure, ERROR_MORE_DATA above all, the buffer's content is not defined.
    dwValue = lResult == ERROR_SUCCESS ? dwBuffer : 0;
    return lResult;
}
