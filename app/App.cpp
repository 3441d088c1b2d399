// The application object: start-up checks, mode choice, report choice, and the scan.
#include "app/App.h"

#include "app/CommandLine.h"
#include "app/ProgressDlg.h"
#include "app/ScanJob.h"
#include "app/SelectReportFile.h"
#include "device/Utilities.h"
#include "framework/Exports.h"
#include "framework/Text.h"
#include "res/resource.h"

#include <commctrl.h>

#include <iterator>

namespace
{

#ifndef LOAD_LIBRARY_SEARCH_DEFAULT_DIRS
#define LOAD_LIBRARY_SEARCH_DEFAULT_DIRS 0x00001000
#endif

typedef BOOL(WINAPI* PFN_SET_DEFAULT_DLL_DIRECTORIES)(DWORD dwFlags);
typedef BOOL(WINAPI* PFN_SET_DLL_DIRECTORY)(LPCWSTR pszPath);
typedef BOOL(WINAPI* PFN_IS_WOW64_PROCESS)(HANDLE hProcess, PBOOL pbWow64);

void WaitForScanThread(const CScanJob& job)
{
    if (job.m_hThread != nullptr && job.m_hThread != INVALID_HANDLE_VALUE)
        WaitForSingleObject(job.m_hThread, INFINITE);
}

void CloseScanThread(CScanJob& job)
{
    if (job.m_hThread != nullptr && job.m_hThread != INVALID_HANDLE_VALUE)
        CloseHandle(job.m_hThread);
    job.m_hThread = INVALID_HANDLE_VALUE;
}

}  // namespace

EDllSearch RemoveCurrentDirectoryFromDllSearch()
{
    // SetDllDirectoryW("") alone is not enough everywhere (Wine still searches the working
    // directory), so the stricter default directories come first where they exist.
    auto pSetDefault =
        LookUpExport<PFN_SET_DEFAULT_DLL_DIRECTORIES>(L"kernel32", "SetDefaultDllDirectories");
    if (pSetDefault != nullptr && pSetDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS))
        return EDllSearch::kDefaultDirectories;
    auto pSetDllDirectory = LookUpExport<PFN_SET_DLL_DIRECTORY>(L"kernel32", "SetDllDirectoryW");
    if (pSetDllDirectory != nullptr && pSetDllDirectory(L""))
        return EDllSearch::kEmptyDllDirectory;
    return EDllSearch::kUnchanged;
}

BOOL IsRunningUnderWow64()
{
    auto pIsWow64Process = LookUpExport<PFN_IS_WOW64_PROCESS>(L"kernel32", "IsWow64Process");
    BOOL bWow64 = FALSE;
    if (pIsWow64Process == nullptr || !pIsWow64Process(GetCurrentProcess(), &bWow64))
        return FALSE;
    return bWow64;
}

BOOL CVekDiagRuntimeWin32App::InitInstance()
{
    RemoveCurrentDirectoryFromDllSearch();

    CScanJob job;
    wchar_t szPath[260] = {};
    std::wstring title = LoadResString(IDS_APP_TITLE);

    if (IsRunningUnderWow64())
    {
        AppMessageBox(LoadResString(IDS_WOW64_REFUSAL).c_str(), MB_ICONERROR);
        m_dwExitCode = ERROR_EXE_MACHINE_TYPE_MISMATCH;
        return FALSE;
    }

    INITCOMMONCONTROLSEX icc = {};
    icc.dwSize = 8;
    icc.dwICC = 0xFF;
    InitCommonControlsEx(&icc);

    CWinApp::InitInstance();

    CCustomCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (cmdInfo.m_bInvalidParameter)
    {
        ShowUsage(nullptr, 1);
        m_dwExitCode = ERROR_INVALID_PARAMETER;
        return FALSE;
    }

    BOOL bAutomatic = FALSE;
    BOOL bOverwrite = FALSE;
    if (cmdInfo.GetReportFile(szPath) && szPath[0] != L'\0')
    {
        bAutomatic = TRUE;
        bOverwrite = cmdInfo.m_bOverwrite;
    }
    else
    {
        CSelectReportFile dlg;
        if (dlg.DoModal() != IDOK)
        {
            m_dwExitCode = ERROR_CANCELLED;
            return FALSE;
        }
        CopyToBuffer(szPath, std::size(szPath), dlg.m_szReportFile);
        // The dialog has asked before an existing file is replaced.
        bOverwrite = TRUE;
    }

    DWORD dwResult = job.Init(szPath, m_hInstance, bOverwrite);
    if (dwResult == ERROR_FILE_EXISTS)
    {
        m_dwExitCode = dwResult;
        return FALSE;
    }
    if (dwResult != ERROR_SUCCESS)
    {
        MessageBoxW(nullptr, GetSystemErrorText(dwResult), title.c_str(), MB_ICONERROR);
        m_dwExitCode = dwResult;
        return FALSE;
    }

    if (!bAutomatic)
    {
        CVekDiagRuntimeWin32Dlg dlg(&job);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
        // The dialog ends through the scan thread's WM_CLOSE, just before the thread returns;
        // the job on this stack must outlive the thread.
        WaitForScanThread(job);
        m_dwExitCode = (job.m_hThread == nullptr) ? ERROR_SERVICE_NOT_ACTIVE : job.m_dwCloseResult;
        CloseScanThread(job);
        return FALSE;
    }

    HANDLE hThread = INVALID_HANDLE_VALUE;
    dwResult = job.Start(nullptr, nullptr, &hThread);
    if (dwResult == ERROR_SUCCESS && hThread != INVALID_HANDLE_VALUE)
    {
        WaitForSingleObject(hThread, INFINITE);
        m_dwExitCode = job.m_dwCloseResult;
    }
    else
    {
        m_dwExitCode = ERROR_SERVICE_NOT_ACTIVE;
    }
    CloseScanThread(job);
    return FALSE;
}
