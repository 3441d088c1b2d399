// Reading HKEY_LOCAL_MACHINE: keys opened for querying values only, values read as text or as
// a number into fixed-size buffers that start out cleared.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <string>

// Opens pszSubKey under HKEY_LOCAL_MACHINE with KEY_QUERY_VALUE and returns RegOpenKeyExW's own
// result code. On ERROR_SUCCESS key holds the open key (closing what it held before); on any
// other code key is left unchanged.
LONG OpenMachineKey(const wchar_t* pszSubKey, CRegKey& key);

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

// Queries value pszName of hKey into a 4-byte buffer preset to 0 and returns the query's own
// result code. On ERROR_SUCCESS dwValue holds the buffer (data shorter than 4 bytes leave the
// upper bytes 0) and *pdwType (when not NULL) the value's type, whatever it is; on any failure,
// data longer than 4 bytes included, dwValue is 0.
LONG QueryRegistryNumber(HKEY hKey, const wchar_t* pszName, DWORD& dwValue, DWORD* pdwType);
