// Test support for CXmlReport::Open: a scripted overwrite answer, a fixed clock, header checks.
#pragma once

#include "report/XmlReport.h"

#include <string>

// While alive: the overwrite question answers bAnswer and counts its calls; the Header's clock
// reads 09:05:03 on 5 December 2026. Both are restored afterwards.
class CScriptedOpen
{
public:
    explicit CScriptedOpen(BOOL bAnswer = FALSE);
    ~CScriptedOpen();
    CScriptedOpen(const CScriptedOpen&) = delete;
    CScriptedOpen& operator=(const CScriptedOpen&) = delete;

    int Questions() const;
    const std::wstring& AskedPath() const;
};

// Opens a report with a fresh record, closes it again (checking the whole file as XML) and
// returns Open's result.
DWORD OpenAndClose(const std::wstring& path, BOOL bOverwrite);

// The Header lines that Open writes at the fixed clock, with the given device type text.
std::wstring ExpectedHeader(const std::wstring& deviceType);
