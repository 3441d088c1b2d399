// Wide text helpers: formatting, string resources, bounded copies.
#include "framework/Text.h"

#include <cwchar>
#include <vector>

std::wstring StrFormatV(const wchar_t* pszFormat, va_list args)
{
    // _vscwprintf/_vsnwprintf are msvcrt's own: "%s" means a wide string in a wide format.
    va_list count;
    va_copy(count, args);
    int n = _vscwprintf(pszFormat, count);
    va_end(count);
    if (n <= 0)
        return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(n) + 1);
    _vsnwprintf(buffer.data(), buffer.size(), pszFormat, args);
    buffer[static_cast<size_t>(n)] = L'\0';
    return std::wstring(buffer.data(), static_cast<size_t>(n));
}

std::wstring StrFormat(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    std::wstring text = StrFormatV(pszFormat, args);
    va_end(args);
    return text;
}

std::wstring LoadResString(UINT nId, HINSTANCE hInstance)
{
    if (hInstance == nullptr)
        hInstance = GetModuleHandleW(nullptr);
    // With a length of 0 LoadStringW hands back a pointer to the resource text itself.
    const wchar_t* pText = nullptr;
    int n = LoadStringW(hInstance, nId, reinterpret_cast<LPWSTR>(&pText), 0);
    if (n <= 0 || pText == nullptr)
        return std::wstring();
    return std::wstring(pText, static_cast<size_t>(n));
}

bool CopyToBuffer(wchar_t* pszDest, size_t nChars, const wchar_t* pszSrc)
{
    if (nChars == 0)
        return false;
    size_t n = wcslen(pszSrc);
    bool fits = n < nChars;
    if (!fits)
        n = nChars - 1;
    wmemcpy(pszDest, pszSrc, n);
    pszDest[n] = L'\0';
    return fits;
}
