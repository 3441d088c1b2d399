// The progress dialog of an interactive run: animation, progress bar, and the scan thread's start.
#include "app/ProgressDlg.h"

#include "device/Utilities.h"
#include "framework/Text.h"
#include "res/resource.h"

namespace
{
const UINT kTitleMenuItem = 16;
}

CVekDiagRuntimeWin32Dlg::CVekDiagRuntimeWin32Dlg(CScanJob* pJob)
    : CDialog(IDD_PROGRESS), m_pJob(pJob)
{
    m_hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP));
}

void CVekDiagRuntimeWin32Dlg::DoDataExchange()
{
    DDX_Control(IDC_PROGRESS, m_Progress);
    DDX_Control(IDC_ANIMATION, m_Animate);
    DDX_Control(IDC_STATUS_TEXT, m_StatusText);
}

BOOL CVekDiagRuntimeWin32Dlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (HMENU hMenu = GetSystemMenu(m_hWnd, FALSE))
    {
        std::wstring title = LoadResString(IDS_APP_TITLE);
        if (!title.empty())
        {
            AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuW(hMenu, MF_STRING, kTitleMenuItem, title.c_str());
        }
    }

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    std::wstring title;
    BuildTitle(title);
    SetWindowText(title);

    m_Animate.Open(GetModuleHandleW(nullptr), IDR_SCAN_ANIMATION);
    m_Animate.Play(0, 0xFFFF, static_cast<UINT>(-1));

    // The job is complete before the thread exists, so the thread sees it from its start.
    m_pJob->m_pProgress = &m_Progress;
    m_pJob->m_hWnd = m_hWnd;
    m_pJob->m_hThread = CreateThread(nullptr, 0, CScanJob::ThreadProc, m_pJob, 0, &m_pJob->m_dwThreadId);
    return TRUE;
}

bool CVekDiagRuntimeWin32Dlg::IsScanRunning() const
{
    HANDLE hThread = m_pJob->m_hThread;
    if (hThread == nullptr || hThread == INVALID_HANDLE_VALUE)
        return false;
    return WaitForSingleObject(hThread, 0) == WAIT_TIMEOUT;
}

void CVekDiagRuntimeWin32Dlg::OnOK()
{
    if (!IsScanRunning())
        CDialog::OnOK();
}

void CVekDiagRuntimeWin32Dlg::OnCancel()
{
    if (!IsScanRunning())
        CDialog::OnCancel();
}

void CVekDiagRuntimeWin32Dlg::OnClose()
{
    // The scan thread's WM_CLOSE at the end of the run is the designed end; any other
    // WM_CLOSE (Alt+F4) counts as Cancel.
    if (m_pJob->m_bFinished)
        EndDialog(IDCANCEL);
    else
        OnCancel();
}

BOOL CVekDiagRuntimeWin32Dlg::OnMessage(UINT uMsg, WPARAM, LPARAM, INT_PTR* pResult)
{
    switch (uMsg)
    {
    case WM_PAINT:
        if (!IsIconic(m_hWnd))
            return FALSE;
        OnPaint();
        *pResult = 0;
        return TRUE;
    case WM_QUERYDRAGICON:
        *pResult = reinterpret_cast<INT_PTR>(m_hIcon);
        return TRUE;
    default:
        return FALSE;
    }
}

void CVekDiagRuntimeWin32Dlg::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hWnd, &ps);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    int x = (rc.right - rc.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (rc.bottom - rc.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(hdc, x, y, m_hIcon);
    EndPaint(m_hWnd, &ps);
}
