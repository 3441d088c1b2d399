// The progress dialog of an interactive run: animation, progress bar, and the scan thread's start.
#pragma once

#include "app/ScanJob.h"
#include "framework/Dialog.h"

class CVekDiagRuntimeWin32Dlg : public CDialog
{
public:
    // pJob: the run job, not owned; it must outlive the scan thread that OnInitDialog starts.
    explicit CVekDiagRuntimeWin32Dlg(CScanJob* pJob);

    HICON m_hIcon;
    CProgressCtrl m_Progress;
    CAnimateCtrl m_Animate;
    CStatic m_StatusText;
    CScanJob* m_pJob;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    // Enter, Esc and Alt+F4 do nothing while the scan thread runs: the dialog's end is the
    // scan thread's WM_CLOSE. They end the dialog only when no scan thread is running.
    void OnOK() override;
    void OnCancel() override;
    void OnClose() override;
    BOOL OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, INT_PTR* pResult) override;

private:
    bool IsScanRunning() const;
    void OnPaint();
};
