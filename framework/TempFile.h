// Owner of one temporary file: made with a unique name in the temporary folder, deleted on every path.
#pragma once

#include <windows.h>

// A file that GetTempFileNameW creates empty in the temporary folder. The owner deletes it
// when it goes (or at Delete), whatever happened to it in between; close every handle to it
// first, since a file open without delete sharing cannot be deleted.
class CTempFile
{
public:
    CTempFile() = default;
    ~CTempFile() { Delete(); }
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    // Makes the file and returns 0, or the error of the call that failed (nothing is made
    // then). A temporary folder whose path does not fit MAX_PATH characters is the error
    // ERROR_FILENAME_EXCED_RANGE.
    DWORD Create(const wchar_t* pszPrefix);
    const wchar_t* Path() const { return m_szPath; }
    void Delete();

private:
    wchar_t m_szPath[MAX_PATH] = {};
    bool m_bCreated = false;
};
