// Shared utilities: error texts, version strings, hex dumps, usage and close-error boxes, names.
#include "device/Utilities.h"

#include "framework/Text.h"
#include "res/resource.h"

#include <cwchar>
#include <vector>

namespace
{

const size_t kPathChars = 260;

// The fixed file information and the string table prefix of a file's version resource.
class CVersionInfo
{
public:
    bool Load(const wchar_t* pszPath)
    {
        DWORD dwHandle = 0;
        DWORD dwSize = GetFileVersionInfoSizeW(pszPath, &dwHandle);
        if (dwSize == 0)
            return false;
        m_Block.assign(dwSize + 1, 0);
        return GetFileVersionInfoW(pszPath, 0, dwSize, m_Block.data()) != FALSE;
    }

    const void* Query(const wchar_t* pszSubBlock, UINT* pnLength = nullptr)
    {
        void* pValue = nullptr;
        UINT nLength = 0;
        if (!VerQueryValueW(m_Block.data(), pszSubBlock, &pValue, &nLength) || pValue == nullptr)
            return nullptr;
        if (pnLength != nullptr)
            *pnLength = nLength;
        return pValue;
    }

private:
    std::vector<BYTE> m_Block;
};

}  // namespace

const wchar_t* GetSystemErrorText(DWORD dwCode)
{
    static wchar_t s_szText[1024];
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             dwCode, 0, s_szText, static_cast<DWORD>(std::size(s_szText)), nullptr);
    if (n == 0)
    {
        // Never hand back what an earlier call left: a failed test must name its own code.
        CopyToBuffer(s_szText, std::size(s_szText), StrFormat(L"Unknown error %u", dwCode).c_str());
        return s_szText;
    }
    if (s_szText[n - 1] == L'\n')
    {
        s_szText[n - 1] = L'\0';
        --n;
    }
    // The system's texts end in a full stop and CR LF: the CR and the stop before it go.
    if (n > 0 && s_szText[n - 1] == L'\r')
        s_szText[n >= 2 ? n - 2 : 0] = L'\0';
    return s_szText;
}

void ShowReportCloseError()
{
    std::wstring text = LoadResString(IDS_REPORT_CLOSE_ERROR);
    std::wstring caption = LoadResString(IDS_APP_TITLE);
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_ICONERROR | MB_OK);
}

BOOL GetOwnVersionString(wchar_t* pszOut)
{
    wchar_t szPath[kPathChars] = {};
    DWORD n = GetModuleFileNameW(nullptr, szPath, static_cast<DWORD>(kPathChars));
    if (n == 0 || n >= kPathChars)
        return FALSE;
    CVersionInfo info;
    if (!info.Load(szPath))
        return FALSE;
    UINT nLength = 0;
    const auto* pFixed = static_cast<const VS_FIXEDFILEINFO*>(info.Query(L"\\", &nLength));
    if (pFixed == nullptr || nLength < sizeof(VS_FIXEDFILEINFO))
        return FALSE;
    int nMajor = HIWORD(pFixed->dwFileVersionMS);
    int nMinor = LOWORD(pFixed->dwFileVersionMS);
    CopyToBuffer(pszOut, kPathChars, StrFormat(L"V%d.%02d", nMajor, nMinor).c_str());
    return TRUE;
}

BOOL GetFileVersionString(const wchar_t* pszPath, std::wstring& out)
{
    out.clear();
    CVersionInfo info;
    if (!info.Load(pszPath))
        return FALSE;
    UINT nLength = 0;
    const auto* pTranslation =
        static_cast<const WORD*>(info.Query(L"\\VarFileInfo\\Translation", &nLength));
    if (pTranslation == nullptr || nLength < 2 * sizeof(WORD))
        return FALSE;
    std::wstring prefix =
        StrFormat(L"\\StringFileInfo\\%04x%04x\\", pTranslation[0], pTranslation[1]);
    UINT nChars = 0;
    const auto* pVersion =
        static_cast<const wchar_t*>(info.Query((prefix + L"FileVersion").c_str(), &nChars));
    if (pVersion != nullptr && nChars > 0)
        out.assign(pVersion, wcsnlen(pVersion, nChars));
    else
        out = L"?";
    return TRUE;
}

void HexDump(const BYTE* pData, int nLength, std::wstring& out)
{
    out.clear();
    int nShown = nLength;
    int nTrailing = 0;
    if (nLength > 256)
    {
        // Only a run of 0xFF at or beyond offset 256 is summed up; the first 256 bytes always show.
        while (nShown > 256 && pData[nShown - 1] == 0xFF)
            --nShown;
        nTrailing = nLength - nShown;
    }
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    out.reserve(static_cast<size_t>(nShown) * 2 + static_cast<size_t>(nShown / 16 + 1) * 2 + 40);
    for (int i = 0; i < nShown; ++i)
    {
        if (i % 16 == 0)
            out += L"\r\n";
        out += kDigits[pData[i] >> 4];
        out += kDigits[pData[i] & 0x0F];
    }
    if (nTrailing > 0)
    {
        out += L"\r\n";
        out += StrFormat(L"(remaining %d bytes are FF)", nTrailing);
    }
}

std::wstring GetUsageText()
{
    static const wchar_t* const kLines[] = {
        L"This program analyzes your device and creates a report file. This report file can be "
        L"used for error diagnosis.",
        L"",
        L"Run \"VekQuorvel [-o] -f=<report file>\" to start the diagnostic process automatically.",
        L"",
        L"Required parameters:",
        L"",
        L"-f=<report file>",
        L"Defines the name of the report file (e.g. -f=C:\\temp\\test.xml). If the report file "
        L"name contains spaces wrap the file name with quotation marks (e.g. -f=\"C:\\Report "
        L"1\\My Report.xml\").",
        L"",
        L"Optional parameters:",
        L"",
        L"[-o] If this option is set, an existing report file will be overwritten.",
        L"",
        L"Note:",
        L"The report consists of two files. A XML file which contains the report data and a "
        L"corresponding XSL stylesheet file for viewing the data in a webbrowser.",
    };
    std::wstring text;
    for (size_t i = 0; i < std::size(kLines); ++i)
    {
        text += kLines[i];
        // Every line but the last ends with LF CR, in that order; the last with CR LF.
        text += (i + 1 < std::size(kLines)) ? L"\n\r" : L"\r\n";
    }
    return text;
}

void ShowUsage(HWND hOwner, int nKind)
{
    std::wstring caption = LoadResString(IDS_APP_TITLE);
    UINT uFlags = MB_OK | MB_SETFOREGROUND | (nKind == 1 ? MB_ICONERROR : MB_ICONINFORMATION);
    MessageBoxW(hOwner, GetUsageText().c_str(), caption.c_str(), uFlags);
}

void GetFileNamePart(const wchar_t* pszPath, wchar_t* pszOut)
{
    size_t n = wcslen(pszPath);
    if (wcschr(pszPath, L'\\') == nullptr)
    {
        CopyToBuffer(pszOut, kPathChars, pszPath);
        return;
    }
    // A final backslash is skipped over by the search (and kept in the result).
    size_t start = n;
    if (n > 0 && pszPath[n - 1] == L'\\')
        --start;
    for (size_t i = start; i > 0; --i)
    {
        if (pszPath[i - 1] == L'\\')
        {
            CopyToBuffer(pszOut, kPathChars, pszPath + i);
            return;
        }
    }
    // The only backslash is the last character: out stays as it was.
}

void BuildTitle(std::wstring& out)
{
    out = LoadResString(IDS_APP_TITLE);
    out += L' ';
    wchar_t szVersion[kPathChars] = {};
    if (GetOwnVersionString(szVersion))
        out += szVersion;
}

void GetMonthName(WORD wMonth, std::wstring& out)
{
    static const wchar_t* const kMonths[] = { L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                              L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec" };
    out = (wMonth >= 1 && wMonth <= 12) ? kMonths[wMonth - 1] : L"Unknown";
}
