// Test support for report groups: run a group (or a body in a small group) on the simulated
// library into a report file, read the file back and parse it into an outline; stage
// HKEY_LOCAL_MACHINE values in a private key that stands in for it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/GroupBase.h"

// One Test element of a report, with the containers it lies in.
struct CReportTest
{
    std::wstring category, subCategory, name, description, result, format, status;
    int number = 0;
};

// A report read back: every Test with its fields, and the tree as outline lines.
struct CReportOutline
{
    std::wstring text;               // the whole report text after the BOM
    std::vector<CReportTest> tests;  // every Test in file order
    // "G:<group>", "C:<category>", "S:<subcategory>", "T:<test>" in file order
    std::vector<std::wstring> lines;
    // The library calls made by the body or the group's Run, in order.
    std::vector<std::string> calls;

    // The first test of that name; fails the calling test (and gives an empty record) when absent.
    const CReportTest& Test(const std::wstring& name) const;
    std::vector<std::wstring> Names() const;
    // The lines from the first line equal to `from` up to (not including) the next line that
    // begins with `untilPrefix` (e.g. "C:"), or to the end.
    std::vector<std::wstring> Section(const std::wstring& from, const std::wstring& untilPrefix) const;
};

// Parses a report text (after the BOM) into its outline.
CReportOutline ParseReport(const std::wstring& text);

// The UTF-16 text of a file after its byte-order mark; sets *pbBom to whether the file began
// with FF FE. Empty when the file cannot be read.
std::wstring ReadReportText(const std::wstring& path, bool* pbBom = nullptr);

// Stages the profile on the simulated library, opens a report on a temp file, begins one
// TestGroup (category "Family", default subcategory), runs body on a small test group, ends the
// group, closes the report and reads it back. calls holds only the body's calls.
CReportOutline RunInGroup(const std::string& profile, const std::function<void(CTest&)>& body);

// Stages the profile, opens a fresh report, constructs the group with makeGroup and runs it,
// closes the report and reads it back. calls holds only the calls of Run.
CReportOutline RunGroupWith(const std::string& profile,
                            const std::function<std::unique_ptr<CTest>(CXmlReport*)>& makeGroup);

// Runs the group class TGroup as above.
template <class TGroup>
CReportOutline RunGroup(const std::string& profile)
{
    return RunGroupWith(profile, [](CXmlReport* pReport) -> std::unique_ptr<CTest> {
        return std::make_unique<TGroup>(pReport);
    });
}

// The system's message text for a code, as the report writes a failure.
std::wstring ErrorText(DWORD dwCode);

// Makes HKEY_LOCAL_MACHINE of this process a fresh private key below HKEY_CURRENT_USER, so the
// tests stage their values without touching the machine's keys (other tests read those).
class CStagedMachineKey
{
public:
    CStagedMachineKey();
    ~CStagedMachineKey();
    CStagedMachineKey(const CStagedMachineKey&) = delete;
    CStagedMachineKey& operator=(const CStagedMachineKey&) = delete;

    void CreateKey(const std::wstring& subKey);
    // Raw data of any type (a string's terminator only when the caller includes it).
    void SetRaw(const std::wstring& subKey, const wchar_t* pszName, DWORD dwType,
                const void* pData, DWORD cbData);
    void SetString(const std::wstring& subKey, const wchar_t* pszName, const std::wstring& value,
                   DWORD dwType = REG_SZ);

private:
    std::wstring m_Path;
    HKEY m_hRoot = nullptr;
};
