// Shared utilities: error texts, version strings, hex dumps, usage and close-error boxes, names.
#pragma once

#include <windows.h>

#include <string>

// The system's message text for a Win32 error code without its final full stop and line end,
// in one static buffer of 1024 characters that every call overwrites. A code the system has
// no text for gives "Unknown error <code>".
const wchar_t* GetSystemErrorText(DWORD dwCode);

// Message box "The report file can not be closed." with the program's title and an error icon.
void ShowReportCloseError();

// "V<major>.<minor, two digits>" from the program's own file version. FALSE leaves out unchanged.
BOOL GetOwnVersionString(wchar_t* pszOut /* [260] */);

// The FileVersion string of a file's version resource, "?" when the resource has none.
BOOL GetFileVersionString(const wchar_t* pszPath, std::wstring& out);

// Hex text of a data block, 16 bytes a line, each line begun with CR LF; a run of 0xFF at the
// end beyond the first 256 bytes is summed up in one remark.
void HexDump(const BYTE* pData, int nLength, std::wstring& out);

// The command-line usage box; kind 1 shows the error icon, any other kind the information icon.
void ShowUsage(HWND hOwner, int nKind);
// The usage text as the box shows it.
std::wstring GetUsageText();

// The part of a path after its last backslash (a final backslash is skipped over and kept).
void GetFileNamePart(const wchar_t* pszPath, wchar_t* pszOut /* [260] */);

// "Vek Quorvel V1.00": the program's title, a blank and its version.
void BuildTitle(std::wstring& out);

// "Jan" to "Dec"; "Unknown" for any other month number.
void GetMonthName(WORD wMonth, std::wstring& out);
