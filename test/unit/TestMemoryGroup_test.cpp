// Memory group run into a report: the type asked at every check, a lone second module, a failing status call.
#include "groups/TestMemory.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>

TEST(MemoryGroup, CategoriesByTypeAndPresence)
{
    const std::wstring physical = L"C:Physical Memory", paging = L"C:Paging Memory";
    const std::pair<const char*, std::vector<std::wstring>> cases[] = {
        { "DeviceType = u32 19\nHardwareValue 64 = u32 0\nHardwareValue 60 = u32 1\n", { physical, L"C:Memory Module 2", paging } },
        // Every check of the chains asks again: the type that 15 could not read is there for 16.
        { "DeviceType = fail 31 then u32 16\n", { physical, L"C:Factory Settings", paging } },
    };
    for (const auto& [pszProfile, expected] : cases)
    {
        std::vector<std::wstring> categories = RunGroup<CTestMemory>(pszProfile).lines;
        std::erase_if(categories, [](const std::wstring& line) { return line[0] != L'C'; });
        EXPECT_EQ(categories, expected) << pszProfile;
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
