// Run job: Init's path checks, the scan over a table of group places (creation before the
// first run, empty places, progress messages), the close result.
#include "app/RunOrder.h"
#include "app/ScanJob.h"
#include "framework/Dialog.h"
#include "support/GroupReport.h"
#include "support/ReportXml.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace
{

// What the groups of a test table did, in order.
std::vector<std::wstring> g_Events;

template <int N>
class CFakeGroup : public CTest
{
public:
    explicit CFakeGroup(CXmlReport* pReport) : CTest(pReport) { g_Events.push_back(L"create " + std::to_wstring(N)); }
    void Run() override { g_Events.push_back(L"run " + std::to_wstring(N) + (m_Library.m_hModule ? L" bound" : L" unbound")); }
};

CTest* CreateNothing(CXmlReport*)
{
    return nullptr;
}

// Five places: a group, an empty place, a group, one that cannot be created, a group.
const CGroupPlace kTestPlaces[] = {
    { L"CFakeGroup1", CreateGroup<CFakeGroup<1>> }, { L"Empty", nullptr },
    { L"CFakeGroup2", CreateGroup<CFakeGroup<2>> }, { L"Failing", CreateNothing },
    { L"CFakeGroup3", CreateGroup<CFakeGroup<3>> },
};

// A window standing in for the progress bar: logs the range and positions it is sent.
std::vector<int> g_Progress;  // range as -low, -high; then the positions
int g_nHigh = 100;

LRESULT CALLBACK ProgressProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg)
    {
    case PBM_SETRANGE:
        g_Progress.insert(g_Progress.end(), { -LOWORD(lParam), -HIWORD(lParam) });
        g_nHigh = HIWORD(lParam);
        return 0;
    case PBM_SETPOS:
        g_Progress.push_back(static_cast<int>(wParam));
        return 0;
    case PBM_GETRANGE:
        if (lParam != 0)
            *reinterpret_cast<PBRANGE*>(lParam) = PBRANGE{ 1, g_nHigh };
        return wParam ? 1 : g_nHigh;
    default:
        return DefWindowProcW(hWnd, uMsg, wParam, lParam);
    }
}

}  // namespace

TEST(ScanJob, InitChecksThePathBeforeTheFileSystem)
{
    CTempDir dir;
    EXPECT_EQ(CScanJob().Init(nullptr, GetModuleHandleW(nullptr), TRUE), 160u);
    // Fill the name so that the whole path has 259 or 260 characters.
    for (size_t nTotal : { size_t(259), size_t(260) })
    {
        std::wstring path = dir.Path() + L"\\" + std::wstring(nTotal - dir.Path().size() - 5, L'r') + L".xml";
        ASSERT_EQ(path.size(), nTotal);
        CScanJob job;
        DWORD dwResult = job.Init(path.c_str(), GetModuleHandleW(nullptr), TRUE);
        EXPECT_EQ(dwResult, nTotal == 260 ? 111u : 0u);
        EXPECT_EQ(GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES, nTotal == 259);
        if (dwResult == 0)
        {
            EXPECT_STREQ(job.m_szReportPath, path.c_str());
            EXPECT_EQ(job.m_hInstance, GetModuleHandleW(nullptr));
            CloseReportFile(job.m_Report.m_szRootName, job.m_Report.m_hFile);
        }
    }
}

TEST(ScanJob, GroupsRunInOrderOneProgressStepEach)
{
    CSimDevice device("DeviceType = u32 18\n");
    CTempDir dir;
    std::wstring path = dir.File(L"groups.xml");
    CScanJob job;
    ASSERT_EQ(job.Init(path.c_str(), GetModuleHandleW(nullptr), TRUE), 0u);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = ProgressProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VekTestProgress";
    RegisterClassW(&wc);
    CProgressCtrl progress;
    progress.Attach(CreateWindowW(L"VekTestProgress", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, wc.hInstance, nullptr));
    ASSERT_NE(progress.m_hWnd, nullptr);
    job.m_pProgress = &progress;
    EXPECT_EQ(job.RunGroups(kTestPlaces, std::size(kTestPlaces)), 0u);
    DestroyWindow(progress.m_hWnd);

    // All groups exist before the first runs; each runs with its own library binding.
    EXPECT_EQ(g_Events, (std::vector<std::wstring>{ L"create 1", L"create 2", L"create 3", L"run 1 bound", L"run 2 bound", L"run 3 bound" }));
    // Range 1 to the number of places, one step per group that ran, then the end of the range.
    EXPECT_EQ(g_Progress, (std::vector<int>{ -1, -5, 1, 2, 3, 5 }));
    // Every binding's library was released by the time the scan ended; the report is closed
    // and balanced (these groups write nothing into it).
    EXPECT_EQ(GetModuleHandleW(L"VekTiv.dll"), nullptr);
    EXPECT_EQ(job.m_Report.m_hFile, INVALID_HANDLE_VALUE);
    EXPECT_EQ(job.m_dwCloseResult, 0u);
    std::wstring text = ReadReportText(path);
    EXPECT_EQ(CheckReportXml(text), "");
    EXPECT_EQ(text.size() - text.rfind(L"</VekQuorvelReport>\r\n"), 21u);
}

TEST(ScanJob, ReportThatIsNotOpenCountsAsNotClosed)
{
    CScanJob job;
    const CGroupPlace kEmpty[17] = {};
    EXPECT_EQ(job.RunGroups(kEmpty, std::size(kEmpty)), 29u);
    EXPECT_EQ(job.m_dwCloseResult, 29u);
}
