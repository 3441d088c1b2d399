// Owner of one temporary file: made with a unique name in the temporary folder, deleted on every path.
#include "framework/TempFile.h"

DWORD CTempFile::Create(const wchar_t* pszPrefix)
{
    Delete();
    wchar_t szFolder[MAX_PATH] = {};
    // The result is the length copied, or the size needed when the path does not fit.
    DWORD nLength = GetTempPathW(MAX_PATH, szFolder);
    if (nLength == 0)
        return GetLastError();
    if (nLength >= MAX_PATH)
        return ERROR_FILENAME_EXCED_RANGE;
    if (GetTempFileNameW(szFolder, pszPrefix, 0, m_szPath) == 0)
    {
        DWORD dwError = GetLastError();
        m_szPath[0] = L'\0';
        return dwError;
    }
    m_bCreated = true;
    return ERROR_SUCCESS;
}

void CTempFile::Delete()
{
    if (!m_bCreated)
        return;
    DeleteFileW(m_szPath);
    m_bCreated = false;
}
