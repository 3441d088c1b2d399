// Test support for the reader families: a small test group, a report on a temp file, and its tests read back.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/GroupBase.h"

// One Test element of the report as read back from the file, with the container it lies in.
struct CFamilyTest
{
    std::wstring category;
    std::wstring subCategory;
    std::wstring name;
    std::wstring description;
    int number = 0;
    std::wstring result;
    std::wstring format;
    std::wstring status;
};

struct CFamilyRun
{
    std::wstring text;                  // the whole report file, decoded
    std::vector<CFamilyTest> tests;     // every Test in file order
    std::vector<std::wstring> outline;  // "Category X", "SubCategory Y", "Test Z" in file order
    std::vector<std::string> calls;     // the library calls the body made, in order

    std::vector<std::wstring> Names() const;
    // The test of that name; fails the calling test (and gives an empty one) when absent.
    const CFamilyTest& Test(const std::wstring& name) const;
};

// Stages the profile on the simulated library, opens a report on a temp file, begins one
// TestGroup (category "Family", default subcategory), constructs a test group and runs body on
// it, ends the group, closes the report and reads it back. calls holds only the body's calls.
CFamilyRun RunFamily(const std::string& profile, const std::function<void(CTest&)>& body);

// The system's message text for a code, as the failure rule writes it.
std::wstring ErrorText(DWORD dwCode);
