// Memory group run into a report: categories by type and module presence, a failing status call.
#include "groups/TestMemory.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(MemoryGroup, CategoriesByTypeAndPresence)
{
    const std::vector<std::wstring> physical = { L"G:Memory", L"C:Physical Memory", L"S:CatUndef",
                                                 L"T:Total", L"T:Free", L"T:Usage" };
    const std::vector<std::wstring> paging = { L"C:Paging Memory", L"S:CatUndef", L"T:Paging file",
                                               L"T:Total", L"T:Free", L"T:Usage" };
    auto with = [&](std::vector<std::wstring> middle) {
        std::vector<std::wstring> all = physical;
        all.insert(all.end(), middle.begin(), middle.end());
        all.insert(all.end(), paging.begin(), paging.end());
        return all;
    };
    // Module 1 on type 16: all ten tests; on 18 and 19 "Version" (19) and "Raw data" vary.
    const std::vector<std::wstring> module16 = { L"C:Factory Settings", L"S:CatUndef",
        L"T:Version", L"T:Vendor ID", L"T:Device ID", L"T:Compatibility ID",
        L"T:Parent Device ID", L"T:Parent Compatibility ID", L"T:Hardware revision",
        L"T:Serial number", L"T:Model number", L"T:Raw data" };
    std::vector<std::wstring> module2On19 = { L"C:Memory Module 2", L"S:Factory Settings" };
    module2On19.insert(module2On19.end(), module16.begin() + 3, module16.end() - 1);
    std::vector<std::wstring> modulesOn18 = { L"C:Memory Module 1", L"S:Factory Settings" };
    modulesOn18.insert(modulesOn18.end(), module16.begin() + 2, module16.end());
    modulesOn18.insert(modulesOn18.end(), { L"C:Memory Module 2", L"S:Factory Settings" });
    modulesOn18.insert(modulesOn18.end(), module16.begin() + 2, module16.end());
    struct
    {
        const char* pszProfile;
        std::vector<std::wstring> expected;
        size_t presenceReads;
    } const cases[] = {
        { "DeviceType = u32 16\n", with(module16), 0 },
        { "DeviceType = u32 19\nHardwareValue 64 = u32 0\nHardwareValue 60 = u32 1\n",
          with(module2On19), 2 },
        { "DeviceType = u32 18\nHardwareValue 64 = u32 1\nHardwareValue 60 = u32 5\n",
          with(modulesOn18), 2 },
        { "DeviceType = u32 18\nHardwareValue 64 = fail 31\nHardwareValue 60 = u32 0\n",
          with({}), 2 },
        { "DeviceType = u32 12\nHardwareValue 64 = u32 1\n", with({}), 0 },
        { "DeviceType = fail 31\n", with({}), 0 },
        // Every check of the chains asks again: the type that 15 could not read is there for 16.
        { "DeviceType = fail 31 then u32 16\n", with(module16), 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszProfile);
        CReportOutline report = RunGroup<CTestMemory>(c.pszProfile);
        EXPECT_EQ(report.lines, c.expected);
        size_t presenceReads = std::count_if(report.calls.begin(), report.calls.end(),
                                             [](const std::string& call) {
                                                 return call == "TivGetHardwareValue(64,4)" ||
                                                        call == "TivGetHardwareValue(60,4)";
                                             });
        EXPECT_EQ(presenceReads, c.presenceReads);
        for (const wchar_t* name : { L"Total", L"Free", L"Usage", L"Paging file" })
            EXPECT_EQ(report.Test(name).status, L"Passed") << name;
    }
}

TEST(MemoryGroup, FailedStatusFailsEveryFigure)
{
    CMemoryStatus status = {};
    status.bOk = false;
    status.dwError = ERROR_INVALID_PARAMETER;
    CReportOutline report = RunInGroup("", [&](CTest& test) {
        WritePhysicalMemory(test, status);
        WritePagingMemory(test, status);
    });
    ASSERT_EQ(report.tests.size(), 7u);
    for (const CReportTest& test : report.tests)
    {
        EXPECT_EQ(test.result, ErrorText(ERROR_INVALID_PARAMETER)) << test.name;
        EXPECT_EQ(test.status, L"Failed") << test.name;
        EXPECT_EQ(test.format, L"String") << test.name;
    }
}
