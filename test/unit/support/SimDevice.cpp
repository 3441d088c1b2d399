// Test support: simulated device staging and temporary files.
#include "support/SimDevice.h"

#include <shellapi.h>

#include <cstdio>
#include <sstream>

namespace
{

std::wstring GetEnv(const wchar_t* name)
{
    wchar_t buffer[2048];
    DWORD n = GetEnvironmentVariableW(name, buffer, 2048);
    return n > 0 && n < 2048 ? std::wstring(buffer, n) : std::wstring();
}

void SetEnv(const wchar_t* name, const std::wstring& value)
{
    SetEnvironmentVariableW(name, value.empty() ? nullptr : value.c_str());
}

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE)
    {
        do
        {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(h, &data));
        FindClose(h);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

CTempDir::CTempDir()
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static LONG s_nCounter = 0;
    for (;;)
    {
        wchar_t name[64];
        swprintf(name, 64, L"vekq%lu_%ld", GetCurrentProcessId(), InterlockedIncrement(&s_nCounter));
        m_Path = std::wstring(base) + name;
        if (CreateDirectoryW(m_Path.c_str(), nullptr))
            break;
    }
}

CTempDir::~CTempDir()
{
    RemoveTree(m_Path);
}

CSimDevice::CSimDevice(const std::string& profile)
{
    m_OldProfile = GetEnv(L"VEKTIV_PROFILE");
    m_OldLog = GetEnv(L"VEKTIV_CALL_LOG");
    WriteFileBytes(m_Dir.File(L"device.ini"), profile);
    WriteFileBytes(m_Dir.File(L"calls.log"), std::string());
    SetEnv(L"VEKTIV_PROFILE", m_Dir.File(L"device.ini"));
    SetEnv(L"VEKTIV_CALL_LOG", m_Dir.File(L"calls.log"));
}

CSimDevice::~CSimDevice()
{
    SetEnv(L"VEKTIV_PROFILE", m_OldProfile);
    SetEnv(L"VEKTIV_CALL_LOG", m_OldLog);
}

std::vector<std::string> CSimDevice::Calls() const
{
    std::vector<std::string> calls;
    std::istringstream in(ReadFileBytes(m_Dir.File(L"calls.log")));
    std::string line;
    while (std::getline(in, line))
        if (!line.empty())
            calls.push_back(line);
    return calls;
}

void CSimDevice::ClearCalls() const
{
    WriteFileBytes(m_Dir.File(L"calls.log"), std::string());
}

size_t CSimDevice::CountCalls(const std::string& prefix) const
{
    size_t n = 0;
    for (const std::string& call : Calls())
        if (call.compare(0, prefix.size(), prefix) == 0)
            ++n;
    return n;
}

std::string ReadFileBytes(const std::wstring& path)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes;
    char buffer[65536];
    DWORD n = 0;
    while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0)
        bytes.append(buffer, n);
    CloseHandle(h);
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD n = 0;
    BOOL ok = bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
    return ok && n == bytes.size();
}

std::string Utf16Bytes(const std::wstring& text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::wstring ExeFolder()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n);
    return s.substr(0, s.find_last_of(L'\\'));
}

std::wstring SourceFolder()
{
    std::wstring source = GetEnv(L"VEK_SOURCE");
    if (source.empty())
        return std::wstring();
    std::wstring path = L"Z:";
    for (wchar_t c : source)
        path += c == L'/' ? L'\\' : c;
    return path;
}
