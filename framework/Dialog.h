// Windows, modal dialogs from templates with control binding, and the progress and animation controls.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

// A window wrapper that does not own its window.
class CWnd
{
public:
    CWnd() : m_hWnd(nullptr) {}
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    void Attach(HWND hWnd) { m_hWnd = hWnd; }
    LRESULT SendMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, uMsg, wParam, lParam);
    }
    void SetWindowText(const std::wstring& text) const { ::SetWindowTextW(m_hWnd, text.c_str()); }
    std::wstring GetWindowText() const;

    HWND m_hWnd;
};

// Static text or picture control.
class CStatic : public CWnd
{
};

// Progress bar (msctls_progress32). Every call is a SendMessageW, so it may come from any
// thread while the owner's thread runs a message loop.
class CProgressCtrl : public CWnd
{
public:
    void SetRange(short nLower, short nUpper) const
    {
        SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
    }
    void GetRange(int& nLower, int& nUpper) const;
    int SetPos(int nPos) const { return static_cast<int>(SendMessage(PBM_SETPOS, nPos)); }
};

// Animation control (SysAnimate32).
class CAnimateCtrl : public CWnd
{
public:
    // Opens an AVI resource of hInstance.
    BOOL Open(HINSTANCE hInstance, UINT nId) const
    {
        return static_cast<BOOL>(
            SendMessage(ACM_OPENW, reinterpret_cast<WPARAM>(hInstance), reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(nId))));
    }
    // nRepeat -1 plays endlessly; nTo 0xFFFF is the last frame.
    BOOL Play(UINT nFrom, UINT nTo, UINT nRepeat) const
    {
        return static_cast<BOOL>(SendMessage(ACM_PLAY, nRepeat, MAKELONG(nFrom, nTo)));
    }
};

// A modal dialog from a template of the program's resources. One static dialog procedure keeps
// `this` from WM_INITDIALOG and dispatches to the virtual handlers.
class CDialog : public CWnd
{
public:
    explicit CDialog(UINT nIdTemplate, HWND hParent = nullptr);

    // IDOK, IDCANCEL or the code given to EndDialog; -1 when the dialog cannot be created.
    INT_PTR DoModal();
    void EndDialog(INT_PTR nResult) const { ::EndDialog(m_hWnd, nResult); }
    // Centres the window on its owner, or on the screen's work area without one.
    void CenterWindow() const;

    HWND GetDlgItem(int nId) const { return ::GetDlgItem(m_hWnd, nId); }
    // The text of a control, cut to nMaxChars - 1 characters.
    std::wstring GetDlgItemText(int nId, int nMaxChars) const;
    void SetDlgItemText(int nId, const std::wstring& text) const
    {
        ::SetDlgItemTextW(m_hWnd, nId, text.c_str());
    }

protected:
    // Binds the template's controls to the members (DDX_Control); called by OnInitDialog.
    virtual void DoDataExchange() {}
    void DDX_Control(int nId, CWnd& control) const { control.Attach(GetDlgItem(nId)); }

    // The base binds the controls and returns TRUE (the dialog manager sets the focus).
    virtual BOOL OnInitDialog();
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // WM_CLOSE; the base treats it like Cancel.
    virtual void OnClose() { OnCancel(); }
    // WM_COMMAND: the base sends IDOK to OnOK and IDCANCEL to OnCancel. TRUE when handled.
    virtual BOOL OnCommand(WORD nId, WORD nCode);
    // Any other message; TRUE with *pResult set when handled.
    virtual BOOL OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, INT_PTR* pResult);

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    UINT m_nIdTemplate;
    HWND m_hParent;
};
