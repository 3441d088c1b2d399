// Registry values read as text into fixed-size buffers, as the Windows-reading groups need them.
#include "groups/RegistryText.h"

#include <cwchar>
#include <vector>

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
