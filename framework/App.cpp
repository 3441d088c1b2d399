// The application object and its start-up.
#include "framework/App.h"

#include "framework/CommandLine.h"
#include "framework/Dialog.h"

#include <cwchar>

namespace
{
CWinApp* g_pApp = nullptr;
}

CWinApp::CWinApp() : m_hInstance(nullptr), m_pMainWnd(nullptr), m_dwExitCode(0)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info)
{
    ::ParseCommandLine(info, GetCommandLineW());
}

CWinApp* GetApp()
{
    return g_pApp;
}

std::wstring GetBaseNameWithoutExtension(const wchar_t* pszPath)
{
    const wchar_t* pName = pszPath;
    for (const wchar_t* p = pszPath; *p != L'\0'; ++p)
    {
        if (*p == L'\\' || *p == L'/' || *p == L':')
            pName = p + 1;
    }
    std::wstring name = pName;
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0)
        name.erase(dot);
    return name;
}

int AppMain(HINSTANCE hInstance)
{
    CWinApp* pApp = GetApp();
    if (pApp == nullptr)
        return -1;
    pApp->m_hInstance = hInstance;
    wchar_t szPath[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(hInstance, szPath, MAX_PATH);
    pApp->m_strAppName = (n > 0 && n < MAX_PATH) ? GetBaseNameWithoutExtension(szPath) : L"";
    // InitInstance carries the whole run; its result only says whether a message loop would
    // follow, and none ever does here.
    pApp->InitInstance();
    return static_cast<int>(pApp->m_dwExitCode);
}

int AppMessageBox(const wchar_t* pszText, UINT uType)
{
    CWinApp* pApp = GetApp();
    HWND hOwner = nullptr;
    std::wstring caption;
    if (pApp != nullptr)
    {
        if (pApp->m_pMainWnd != nullptr)
            hOwner = pApp->m_pMainWnd->m_hWnd;
        caption = pApp->m_strAppName;
    }
    return MessageBoxW(hOwner, pszText, caption.c_str(), uType);
}
