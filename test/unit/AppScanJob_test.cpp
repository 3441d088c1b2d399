// Run job: Init's path checks, the scan over a table of group places, progress messages.
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
int g_nDestroyed = 0;

// A member whose destructor shows that the whole derived object was released.
struct CDestroyCounter
{
    ~CDestroyCounter() { ++g_nDestroyed; }
};

template <int N>
class CFakeGroup : public CTest
{
public:
    explicit CFakeGroup(CXmlReport* pReport) : CTest(pReport)
    {
        g_Events.push_back(L"create " + std::to_wstring(N));
    }
    void Run() override
    {
        g_Events.push_back(L"run " + std::to_wstring(N) +
                           (m_Library.m_hModule ? L" bound" : L" unbound"));
    }

private:
    CDestroyCounter m_Counter;
};

CTest* CreateNothing(CXmlReport*)
{
    return nullptr;
}

// Five places: a group, an empty place, a group, one that cannot be created, a group.
const CGroupPlace kTestPlaces[] = {
    { L"CFakeGroup1", CreateGroup<CFakeGroup<1>> },
    { L"Empty", nullptr },
    { L"CFakeGroup2", CreateGroup<CFakeGroup<2>> },
    { L"Failing", CreateNothing },
    { L"CFakeGroup3", CreateGroup<CFakeGroup<3>> },
};

// A window standing in for the progress bar: counts what the scan thread sends it.
struct CProgressLog
{
    std::vector<std::pair<int, int>> ranges;
    std::vector<int> positions;
    int nLow = 0;
    int nHigh = 100;
};
CProgressLog* g_pLog = nullptr;

LRESULT CALLBACK ProgressProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg)
    {
    case PBM_SETRANGE:
        g_pLog->ranges.emplace_back(LOWORD(lParam), HIWORD(lParam));
        g_pLog->nLow = LOWORD(lParam);
        g_pLog->nHigh = HIWORD(lParam);
        return 0;
    case PBM_SETPOS:
        g_pLog->positions.push_back(static_cast<int>(wParam));
        return 0;
    case PBM_GETRANGE:
        if (lParam != 0)
        {
            reinterpret_cast<PBRANGE*>(lParam)->iLow = g_pLog->nLow;
            reinterpret_cast<PBRANGE*>(lParam)->iHigh = g_pLog->nHigh;
        }
        return wParam ? g_pLog->nLow : g_pLog->nHigh;
    default:
        return DefWindowProcW(hWnd, uMsg, wParam, lParam);
    }
}

// Runs the job's scan on its own thread over the given places while this thread handles the
// messages it sends.
struct CThreadArgs
{
    CScanJob* pJob;
    const CGroupPlace* pPlaces;
    size_t nPlaces;
};

DWORD RunWithMessages(CScanJob& job, const CGroupPlace* pPlaces, size_t nPlaces)
{
    CThreadArgs args{ &job, pPlaces, nPlaces };
    auto scan = [](LPVOID p) -> DWORD WINAPI {
        auto* pArgs = static_cast<CThreadArgs*>(p);
        return pArgs->pJob->RunGroups(pArgs->pPlaces, pArgs->nPlaces);
    };
    HANDLE hThread = CreateThread(nullptr, 0, scan, &args, 0, nullptr);
    EXPECT_NE(hThread, nullptr);
    while (MsgWaitForMultipleObjects(1, &hThread, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    DWORD dwResult = 0;
    GetExitCodeThread(hThread, &dwResult);
    CloseHandle(hThread);
    return dwResult;
}

TEST(ScanJob, InitChecksThePathBeforeTheFileSystem)
{
    CTempDir dir;
    {
        CScanJob job;
        EXPECT_EQ(job.Init(nullptr, GetModuleHandleW(nullptr), TRUE), 160u);
    }
    // Fill the name so that the whole path has 259 or 260 characters.
    for (size_t nTotal : { size_t(259), size_t(260) })
    {
        std::wstring folder = dir.Path() + L"\\";
        std::wstring name(nTotal - folder.size() - 4, L'r');
        std::wstring path = folder + name + L".xml";
        ASSERT_EQ(path.size(), nTotal);
        CScanJob job;
        DWORD dwResult = job.Init(path.c_str(), GetModuleHandleW(nullptr), TRUE);
        if (nTotal == 260)
        {
            EXPECT_EQ(dwResult, 111u);
            EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
        }
        else
        {
            EXPECT_EQ(dwResult, 0u);
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
    CProgressLog log;
    g_pLog = &log;
    CProgressCtrl progress;
    progress.Attach(CreateWindowW(L"VekTestProgress", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                  wc.hInstance, nullptr));
    ASSERT_NE(progress.m_hWnd, nullptr);
    job.m_pProgress = &progress;

    g_Events.clear();
    g_nDestroyed = 0;
    EXPECT_EQ(RunWithMessages(job, kTestPlaces, std::size(kTestPlaces)), 0u);
    DestroyWindow(progress.m_hWnd);
    g_pLog = nullptr;

    // All groups exist before the first runs; each runs with its own library binding.
    EXPECT_EQ(g_Events, (std::vector<std::wstring>{ L"create 1", L"create 2", L"create 3",
                                                    L"run 1 bound", L"run 2 bound", L"run 3 bound" }));
    EXPECT_EQ(g_nDestroyed, 3);
    // Range once, one step per group that ran, then the end of the range.
    EXPECT_EQ(log.ranges, (std::vector<std::pair<int, int>>{ { 1, 5 } }));
    EXPECT_EQ(log.positions, (std::vector<int>{ 1, 2, 3, 5 }));
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

}  // namespace
