// Registry values read as text into fixed-size buffers, as the Windows-reading groups need them.
#pragma once

#include <windows.h>

#include <string>

// Queries value pszName of hKey into a buffer of cbBuffer bytes and returns the query's own
// result code. On ERROR_SUCCESS, text holds the data as UTF-16 up to its first NUL or to the
// end of the returned data, whichever comes first (data without a terminator is never read
// past), and *pdwType (when not NULL) the value's type; on failure text is left empty.
LONG QueryRegistryText(HKEY hKey, const wchar_t* pszName, DWORD cbBuffer, std::wstring& text,
                       DWORD* pdwType);

// The same for a value that must be REG_SZ: *pbOk is true only for a REG_SZ value that was
// read (text empty otherwise). The result is still the query's own code, so a value of another
// type gives *pbOk false with the code 0.
LONG QueryRegistryString(HKEY hKey, const wchar_t* pszName, DWORD cbBuffer, std::wstring& text,
                         bool* pbOk);
