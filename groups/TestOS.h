// Operating-system group: Windows version text, the key=value file, registration, admin rights.
#pragma once

#include "app/GroupBase.h"

#include <string>
#include <vector>

// One "key=value" line of the key=value file: the text before the first '=' and after it.
struct CKeyValueLine
{
    std::wstring key;
    std::wstring value;
};

// The key=value lines of a file's bytes, read as text: CR LF and LF end lines, a Ctrl-Z ends
// the text, bytes are read in the ANSI code page. Empty lines and lines without '=' (section headers) give nothing;
// nothing is trimmed.
std::vector<CKeyValueLine> ParseKeyValueText(const std::string& bytes);

// Path of the key=value file: %SystemDrive% ("C:" when unset) + "\DAZIRAVAZ.INI". False when
// the path would not fit 260 characters.
bool GetRuntimeIniPath(std::wstring& path);

// The first group of the run: reads Windows only, never the device-interface library, and is
// written on every device.
class CTestOS : public CTest
{
public:
    explicit CTestOS(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;

    void TestOperatingSystem();
    // Appends the registry's ProductName (REG_SZ) to text; FALSE appends nothing.
    BOOL ReadProductName(std::wstring& text);
    void TestRuntimeIni();
    void TestRegistrationDetails();
    void TestAdministratorPrivileges();
};
