// The run job and its scan thread: create the groups, run them in order, close the report,
// and in interactive mode ask the final question and close the progress dialog.
#include "app/ScanJob.h"

#include "device/Utilities.h"
#include "framework/Text.h"
#include "res/resource.h"

#include <objbase.h>
#include <shellapi.h>

#include <cwchar>
#include <iterator>
#include <memory>
#include <vector>

namespace
{

const size_t kPathChars = 260;

// Asks the final question and opens the report with the shell on Yes.
void OfferToOpenReport(const CScanJob& job, const std::wstring& title)
{
    wchar_t szQuestion[kPathChars] = {};
    if (LoadStringW(job.m_hInstance, IDS_OPEN_REPORT_QUESTION, szQuestion,
                    static_cast<int>(std::size(szQuestion))) <= 0)
        return;
    std::wstring text = StrFormat(szQuestion, job.m_szReportPath);
    if (MessageBoxW(job.m_hWnd, text.c_str(), title.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_WAITFORINPUTIDLE;
    info.lpVerb = L"open";
    info.lpFile = job.m_szReportPath;
    info.nShow = SW_SHOW;
    // A viewer that cannot be started is not reported: the report is complete either way.
    if (ShellExecuteExW(&info) && info.hProcess != nullptr)
    {
        WaitForInputIdle(info.hProcess, 10000);
        CloseHandle(info.hProcess);
    }
}

}  // namespace

CScanJob::CScanJob()
    : m_hWnd(nullptr),
      m_szReportPath{},
      m_dwThreadId(0),
      m_hThread(INVALID_HANDLE_VALUE),
      m_pProgress(nullptr),
      m_hInstance(nullptr),
      m_Report(),
      m_dwCloseResult(ERROR_WRITE_FAULT),
      m_bFinished(FALSE)
{
    m_Report.Reset();
}

DWORD CScanJob::Init(const wchar_t* pszPath, HINSTANCE hInstance, BOOL bOverwrite)
{
    if (pszPath == nullptr)
        return ERROR_BAD_ARGUMENTS;
    if (wcslen(pszPath) >= std::size(m_szReportPath))
        return ERROR_BUFFER_OVERFLOW;
    m_hInstance = hInstance;
    CopyToBuffer(m_szReportPath, std::size(m_szReportPath), pszPath);
    return m_Report.Open(m_szReportPath, bOverwrite);
}

DWORD CScanJob::Start(CProgressCtrl* pProgress, HWND hWnd, HANDLE* phThread)
{
    m_pProgress = pProgress;
    m_hWnd = hWnd;
    m_hThread = CreateThread(nullptr, 0, ThreadProc, this, 0, &m_dwThreadId);
    if (m_hThread == nullptr)
        return ERROR_SERVICE_NOT_ACTIVE;
    *phThread = m_hThread;
    return ERROR_SUCCESS;
}

DWORD CScanJob::RunGroups(const CGroupPlace* pPlaces, size_t nPlaces)
{
    // Every group binds the library when it is created, so all of them are created first.
    std::vector<std::unique_ptr<CTest>> groups(nPlaces);
    for (size_t i = 0; i < nPlaces; ++i)
    {
        if (pPlaces[i].pfnCreate != nullptr)
            groups[i].reset(pPlaces[i].pfnCreate(&m_Report));
    }

    if (m_pProgress != nullptr)
        m_pProgress->SetRange(1, static_cast<short>(nPlaces));

    int nRun = 0;
    for (std::unique_ptr<CTest>& pGroup : groups)
    {
        if (!pGroup)
            continue;
        pGroup->Run();
        // The group's library goes before the next group runs.
        pGroup->m_Library.Free();
        pGroup.reset();
        ++nRun;
        if (m_pProgress != nullptr)
            m_pProgress->SetPos(nRun);
    }

    if (m_pProgress != nullptr)
    {
        int nLower = 0;
        int nUpper = 0;
        m_pProgress->GetRange(nLower, nUpper);
        m_pProgress->SetPos(nUpper);
    }

    DWORD dwResult = ERROR_WRITE_FAULT;
    if (m_Report.m_hFile != INVALID_HANDLE_VALUE)
    {
        if (CloseReportFile(m_Report.m_szRootName, m_Report.m_hFile) == ERROR_SUCCESS)
            dwResult = ERROR_SUCCESS;
        m_Report.m_hFile = INVALID_HANDLE_VALUE;
    }
    m_dwCloseResult = dwResult;
    return dwResult;
}

DWORD WINAPI CScanJob::ThreadProc(LPVOID pParam)
{
    CScanJob* pJob = static_cast<CScanJob*>(pParam);
    std::wstring title = LoadResString(IDS_APP_TITLE);
    DWORD dwClose = pJob->RunGroups(kRunOrder, std::size(kRunOrder));

    if (pJob->m_hWnd != nullptr)
    {
        if (dwClose == ERROR_SUCCESS)
            OfferToOpenReport(*pJob, title);
        else
            ShowReportCloseError();
        InterlockedExchange(&pJob->m_bFinished, TRUE);
        SendMessageW(pJob->m_hWnd, WM_CLOSE, 0, 0);
    }
    return 0;
}
