// The report-file dialog of an interactive run: default name, Save As box, overwrite question, usage.
#include "app/SelectReportFile.h"

#include "device/Utilities.h"
#include "framework/Text.h"
#include "res/resource.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cwchar>
#include <iterator>

namespace
{

const size_t kPathChars = 260;

std::wstring CandidateName(const std::wstring& folder, const std::wstring& computer, unsigned n)
{
    std::wstring name = folder + L"\\VekQuorvel" + computer;
    if (n > 0)
        name += StrFormat(L"_%u", n);
    return name + L".xml";
}

}  // namespace

bool IsExistingReport(const wchar_t* pszPath)
{
    HANDLE h = CreateFileW(pszPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

void BuildDefaultReportName(const std::wstring& folder, const std::wstring& computer, wchar_t* pszOut)
{
    // The longest candidate the search may reach must still fit; a cut name would be a
    // different file, so a folder that is too long is replaced by the fallback folder.
    std::wstring base = folder;
    if (CandidateName(base, computer, 0xFFFFFFFFu).size() >= kPathChars)
        base = L"C:\\Temp";
    std::wstring candidate = CandidateName(base, computer, 0);
    for (unsigned n = 1; IsExistingReport(candidate.c_str()); ++n)
        candidate = CandidateName(base, computer, n);
    CopyToBuffer(pszOut, kPathChars, candidate.c_str());
}

CSelectReportFile::CSelectReportFile() : CDialog(IDD_SELECT_REPORT_FILE), m_szReportFile{}
{
    wchar_t szComputer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD nComputer = static_cast<DWORD>(std::size(szComputer));
    std::wstring computer = GetComputerNameW(szComputer, &nComputer) ? szComputer : L"Unknown";

    wchar_t szFolder[MAX_PATH] = {};
    std::wstring folder =
        SHGetSpecialFolderPathW(nullptr, szFolder, CSIDL_PERSONAL, FALSE) ? szFolder : L"C:\\Temp";

    BuildDefaultReportName(folder, computer, m_szReportFile);
}

BOOL CSelectReportFile::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_REPORT_FILE, m_szReportFile);
    std::wstring title;
    BuildTitle(title);
    SetWindowText(title);
    return TRUE;
}

BOOL CSelectReportFile::OnCommand(WORD nId, WORD nCode)
{
    switch (nId)
    {
    case IDC_BROWSE:
        OnBnClickedBrowse();
        return TRUE;
    case IDOK:
        OnBnClickedOk();
        return TRUE;
    case IDHELP:
        OnBnClickedHelp();
        return TRUE;
    default:
        return CDialog::OnCommand(nId, nCode);
    }
}

void CSelectReportFile::OnBnClickedBrowse()
{
    std::wstring title = LoadResString(IDS_SAVE_AS_TITLE, GetModuleHandleW(nullptr));
    wchar_t szFile[kPathChars] = {};
    CopyToBuffer(szFile, std::size(szFile), GetDlgItemText(IDC_REPORT_FILE, kPathChars).c_str());

    static const wchar_t kFilter[] = L"Report Files (*.xml)\0*.xml\0All Files (*.*)\0*.*\0";
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = kFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = static_cast<DWORD>(std::size(szFile));
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_CREATEPROMPT | OFN_EXPLORER;
    ofn.lpstrDefExt = L"xml";
    if (!GetSaveFileNameW(&ofn))
        return;
    CopyToBuffer(m_szReportFile, std::size(m_szReportFile), szFile);
    SetDlgItemText(IDC_REPORT_FILE, m_szReportFile);
}

void CSelectReportFile::OnBnClickedOk()
{
    std::wstring caption = LoadResString(IDS_APP_TITLE);
    CopyToBuffer(m_szReportFile, std::size(m_szReportFile),
                 GetDlgItemText(IDC_REPORT_FILE, kPathChars).c_str());
    if (m_szReportFile[0] == L'\0')
    {
        std::wstring text = LoadResString(IDS_NO_REPORT_NAME);
        MessageBoxW(m_hWnd, text.c_str(), caption.c_str(), MB_ICONERROR);
        return;
    }
    if (IsExistingReport(m_szReportFile))
    {
        // The question shows the whole name, however long.
        std::wstring text = StrFormat(LoadResString(IDS_OVERWRITE_QUESTION).c_str(), m_szReportFile);
        if (MessageBoxW(m_hWnd, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
    }
    CDialog::OnOK();
}

void CSelectReportFile::OnBnClickedHelp()
{
    ShowUsage(m_hWnd, 0);
}
