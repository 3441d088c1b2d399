// The application object and its start-up: one global object whose InitInstance carries the run.
#pragma once

#include <windows.h>

#include <string>

class CCommandLineInfo;
class CWnd;

// Base of the one application object. The start-up (AppMain) sets the instance handle and the
// application name, calls InitInstance once and ends the process with m_dwExitCode; no message
// loop of the application's own runs.
class CWinApp
{
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The whole run of the program. The base does nothing and returns TRUE.
    virtual BOOL InitInstance();

    // Feeds every argument of the process's command line after the program name to info.
    void ParseCommandLine(CCommandLineInfo& info);

    HINSTANCE m_hInstance;
    // The executable's base name without extension: the caption of the framework's own boxes.
    std::wstring m_strAppName;
    CWnd* m_pMainWnd;  // not owned
    // The process exit code; 0 unless InitInstance sets another.
    DWORD m_dwExitCode;
};

// The one application object (NULL before it is constructed).
CWinApp* GetApp();

// The program's start-up, called once by wWinMain: returns the exit code.
int AppMain(HINSTANCE hInstance);

// A message box of the framework itself: caption the application name, owner the main window.
int AppMessageBox(const wchar_t* pszText, UINT uType);

// The base name of a path without its extension ("C:\a\VekQuorvel.exe" -> "VekQuorvel").
std::wstring GetBaseNameWithoutExtension(const wchar_t* pszPath);
