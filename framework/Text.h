// Wide text helpers standing in for the framework's string class: formatting and string resources.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>

// printf-style formatting with the Microsoft C runtime's wide rules, the ones the program's
// format strings are written for: in a wide format "%s" takes a wide string (as does "%ls").
// Every printf-style wide format of the program goes through here.
std::wstring StrFormat(const wchar_t* pszFormat, ...);
std::wstring StrFormatV(const wchar_t* pszFormat, va_list args);

// A string from the string table of hInstance (the program's own module when NULL);
// empty when the string cannot be loaded.
std::wstring LoadResString(UINT nId, HINSTANCE hInstance = nullptr);

// Copies src into a fixed buffer of nChars characters, cutting it to nChars - 1 and always
// terminating. Returns false when src had to be cut.
bool CopyToBuffer(wchar_t* pszDest, size_t nChars, const wchar_t* pszSrc);
