// Windows, modal dialogs from templates with control binding, and the progress control.
#include "framework/Dialog.h"

#include <commctrl.h>

#include <vector>

std::wstring CWnd::GetWindowText() const
{
    int n = GetWindowTextLengthW(m_hWnd);
    if (n <= 0)
        return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(n) + 1);
    n = ::GetWindowTextW(m_hWnd, buffer.data(), n + 1);
    return std::wstring(buffer.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE range = {};
    SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    nLower = range.iLow;
    nUpper = range.iHigh;
}

CDialog::CDialog(UINT nIdTemplate, HWND hParent) : m_nIdTemplate(nIdTemplate), m_hParent(hParent)
{
}

INT_PTR CDialog::DoModal()
{
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nIdTemplate), m_hParent,
                           DialogProc, reinterpret_cast<LPARAM>(this));
}

std::wstring CDialog::GetDlgItemText(int nId, int nMaxChars) const
{
    std::vector<wchar_t> buffer(static_cast<size_t>(nMaxChars), L'\0');
    UINT n = ::GetDlgItemTextW(m_hWnd, nId, buffer.data(), nMaxChars);
    return std::wstring(buffer.data(), n);
}

BOOL CDialog::OnInitDialog()
{
    DoDataExchange();
    return TRUE;
}

BOOL CDialog::OnCommand(WORD nId, WORD)
{
    if (nId == IDOK)
    {
        OnOK();
        return TRUE;
    }
    if (nId == IDCANCEL)
    {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

BOOL CDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR*)
{
    return FALSE;
}

void CDialog::CenterWindow() const
{
    RECT rcDialog;
    GetWindowRect(m_hWnd, &rcDialog);
    RECT rcArea;
    HWND hOwner = GetWindow(m_hWnd, GW_OWNER);
    if (hOwner == nullptr || !IsWindowVisible(hOwner) || IsIconic(hOwner))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcArea, 0);
    else
        GetWindowRect(hOwner, &rcArea);
    int cx = rcDialog.right - rcDialog.left;
    int cy = rcDialog.bottom - rcDialog.top;
    int x = rcArea.left + ((rcArea.right - rcArea.left) - cx) / 2;
    int y = rcArea.top + ((rcArea.bottom - rcArea.top) - cy) / 2;
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    CDialog* pThis = nullptr;
    if (uMsg == WM_INITDIALOG)
    {
        pThis = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
        pThis->m_hWnd = hWnd;
        // Dialogs come up in the middle of their owner or of the screen, as users expect.
        pThis->CenterWindow();
        return pThis->OnInitDialog();
    }
    pThis = reinterpret_cast<CDialog*>(GetWindowLongPtrW(hWnd, DWLP_USER));
    if (pThis == nullptr)
        return FALSE;

    switch (uMsg)
    {
    case WM_COMMAND:
        return pThis->OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_CLOSE:
        pThis->OnClose();
        return TRUE;
    case WM_NCDESTROY:
        pThis->m_hWnd = nullptr;
        return FALSE;
    default:
        break;
    }
    INT_PTR result = 0;
    if (pThis->OnMessage(uMsg, wParam, lParam, &result))
    {
        // These few messages take their result as the procedure's own return value.
        if (uMsg == WM_QUERYDRAGICON || (uMsg >= WM_CTLCOLORMSGBOX && uMsg <= WM_CTLCOLORSTATIC))
            return result;
        SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    return FALSE;
}
