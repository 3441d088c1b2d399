// Test support: stage a simulated device (profile and call log) and temporary files.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A temporary folder, removed with everything in it when the object goes.
class CTempDir
{
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::wstring& Path() const { return m_Path; }
    std::wstring File(const std::wstring& name) const { return m_Path + L"\\" + name; }

private:
    std::wstring m_Path;
};

// Stages a device for the simulated VekTiv.dll of the test's own folder: the profile text is
// written to a file named by VEKTIV_PROFILE, and every library call is logged to a file named
// by VEKTIV_CALL_LOG. The library reads its profile when first called after a load, so create
// the bindings after this object and destroy them before it.
class CSimDevice
{
public:
    explicit CSimDevice(const std::string& profile);
    ~CSimDevice();
    CSimDevice(const CSimDevice&) = delete;
    CSimDevice& operator=(const CSimDevice&) = delete;

    // The calls logged so far, one "TivName(args)" each; ClearCalls empties the log.
    std::vector<std::string> Calls() const;
    void ClearCalls() const;
    // How many logged calls begin with the given text (e.g. "TivGetDeviceType(").
    size_t CountCalls(const std::string& prefix) const;

private:
    CTempDir m_Dir;
    std::wstring m_OldProfile;
    std::wstring m_OldLog;
};

// Bytes of a whole file; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
// UTF-16LE bytes of a wide text (without BOM).
std::string Utf16Bytes(const std::wstring& text);
// The folder of the running test executable (where VekTiv.dll lies).
std::wstring ExeFolder();
// The source checkout (VEK_SOURCE) as a Windows path; Wine maps the Unix root to Z:.
// Empty when VEK_SOURCE is not set.
std::wstring SourceFolder();
