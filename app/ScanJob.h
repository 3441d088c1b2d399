// The run job: one scan from the opened report to the closed one, and its scan thread.
#pragma once

#include "app/RunOrder.h"
#include "framework/Dialog.h"
#include "report/XmlReport.h"

#include <windows.h>

#include <cstddef>

// Filled on the user-interface thread before the scan thread starts, afterwards read only by
// the scan thread. The owner must keep the job alive until the scan thread has ended.
class CScanJob
{
public:
    // The initial state: no thread, closed report.
    CScanJob();
    CScanJob(const CScanJob&) = delete;
    CScanJob& operator=(const CScanJob&) = delete;

    // Keeps the path and the module and opens the report: 0; 160 for a NULL path, 111 for a
    // path of 260 characters or more; otherwise the result of CXmlReport::Open (80 when the
    // user declined to overwrite).
    DWORD Init(const wchar_t* pszPath, HINSTANCE hInstance, BOOL bOverwrite);

    // Starts the scan thread: 0 with the handle in *phThread, or 1062 with *phThread untouched.
    DWORD Start(CProgressCtrl* pProgress, HWND hWnd, HANDLE* phThread);

    // The scan thread's start routine; pParam is the job. Returns 0.
    static DWORD WINAPI ThreadProc(LPVOID pParam);

    // The scan over a table of group places: create every group, run them in order with one
    // progress step each, close the report. Returns the close result (see m_dwCloseResult).
    DWORD RunGroups(const CGroupPlace* pPlaces, size_t nPlaces);

    HWND m_hWnd;
    wchar_t m_szReportPath[260];
    DWORD m_dwThreadId;
    HANDLE m_hThread;
    CProgressCtrl* m_pProgress;
    HINSTANCE m_hInstance;
    CXmlReport m_Report;
    // Set by the scan thread before it ends: 0 when the report was written whole and closed;
    // 29 when it was not open at the end, could not be closed or a write on it failed (the
    // report is then incomplete). Read by the owner after the thread has ended.
    DWORD m_dwCloseResult;
    // Set by the scan thread just before its closing WM_CLOSE: the run is over, so the
    // progress dialog may end.
    volatile LONG m_bFinished;
};
