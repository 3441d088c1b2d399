// The application object: InitInstance carries one whole run of the program.
#pragma once

#include "framework/App.h"

// Exit codes of a run: 0 when a report was written and closed, otherwise the Win32 code that
// ended the run (87 invalid argument, 216 refused under WOW64, 1223 report-file dialog
// cancelled, 80 overwrite declined, the code of a failed CScanJob::Init, 1062 when the scan
// thread could not start, 29 when the report could not be closed).
class CVekDiagRuntimeWin32App : public CWinApp
{
public:
    // Always FALSE: no message loop follows; the exit code is left in m_dwExitCode.
    BOOL InitInstance() override;
};

// How the current directory was taken out of the DLL search path.
enum class EDllSearch
{
    kDefaultDirectories,  // SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)
    kEmptyDllDirectory,   // SetDllDirectoryW(L"")
    kUnchanged,           // neither exists or both failed
};

// Keeps a DLL planted in the working directory from being loaded by bare name, while the
// application and system folders still serve. Both functions are looked up at run time.
EDllSearch RemoveCurrentDirectoryFromDllSearch();

// Whether this is a 32-bit process on 64-bit Windows; FALSE when that cannot be told.
BOOL IsRunningUnderWow64();
