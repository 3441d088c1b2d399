// The report-file dialog of an interactive run: default name, Save As box, overwrite question, usage.
#pragma once

#include "framework/Dialog.h"

#include <string>

// The default report name: folder\VekQuorvel<computer>.xml, or with _1, _2, ... before ".xml"
// while that name can be opened for exclusive reading (an existing report). A name that would
// not fit 259 characters in that folder is looked for in C:\Temp instead. Result in pszOut[260].
void BuildDefaultReportName(const std::wstring& folder, const std::wstring& computer,
                            wchar_t* pszOut /* [260] */);

// Whether a file can be opened for reading with exclusive access: the test for an existing report.
bool IsExistingReport(const wchar_t* pszPath);

class CSelectReportFile : public CDialog
{
public:
    // Builds the default name from the computer name and the user's Documents folder.
    CSelectReportFile();

    wchar_t m_szReportFile[260];

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD nId, WORD nCode) override;

    void OnBnClickedBrowse();
    void OnBnClickedOk();
    void OnBnClickedHelp();
};
