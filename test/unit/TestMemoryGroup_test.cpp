// Memory group run into a report: categories by type and module presence, a failing status call.
#include "groups/TestMemory.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(MemoryGroup, CategoriesByTypeAndPresence)
{
    const std::wstring physical = L"C:Physical Memory", paging = L"C:Paging Memory", factory = L"C:Factory Settings";
    struct { const char* pszProfile; std::vector<std::wstring> categories; long presenceReads; } const cases[] = {
        { "DeviceType = u32 16\n", { physical, factory, paging }, 0 },
        { "DeviceType = u32 19\nHardwareValue 64 = u32 0\nHardwareValue 60 = u32 1\n",
          { physical, L"C:Memory Module 2", paging }, 2 },
        { "DeviceType = u32 18\nHardwareValue 64 = fail 31\nHardwareValue 60 = u32 0\n", { physical, paging }, 2 },
        { "DeviceType = u32 12\nHardwareValue 64 = u32 1\n", { physical, paging }, 0 },
        { "DeviceType = fail 31\n", { physical, paging }, 0 },
        // Every check of the chains asks again: the type that 15 could not read is there for 16.
        { "DeviceType = fail 31 then u32 16\n", { physical, factory, paging }, 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszProfile);
        CReportOutline report = RunGroup<CTestMemory>(c.pszProfile);
        std::vector<std::wstring> categories = report.lines;
        std::erase_if(categories, [](const std::wstring& line) { return line[0] != L'C'; });
        EXPECT_EQ(categories, c.categories);
        EXPECT_EQ(std::count(report.calls.begin(), report.calls.end(), "TivGetHardwareValue(64,4)") +
                      std::count(report.calls.begin(), report.calls.end(), "TivGetHardwareValue(60,4)"),
                  c.presenceReads);
        // The module's category holds its factory settings in a subcategory of that name.
        if (c.presenceReads != 0 && categories.size() > 2)
        {
            EXPECT_EQ(report.Test(L"Model number").subCategory, L"Factory Settings");
        }
        EXPECT_EQ(report.Section(paging, L"C:").size(), 6u);
        for (const CReportTest& test : report.tests)
            if (test.category == L"Physical Memory" || test.category == L"Paging Memory")
            {
                EXPECT_EQ(test.status, L"Passed") << test.name;
            }
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
        EXPECT_EQ(test.result + L"|" + test.status + L"|" + test.format,
                  ErrorText(ERROR_INVALID_PARAMETER) + L"|Failed|String") << test.name;
}
