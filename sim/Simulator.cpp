// The simulated VekTiv.dll: the 38 exports of the device-interface library answered from a
// device profile (see Profile.h). A test double and the demo device, never the maker's library.
#include "sim/Profile.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace
{

HMODULE g_hModule = nullptr;
std::unique_ptr<CSimProfile> g_pProfile;
bool g_bProfileBroken = false;
long g_nSelectedPanel = -1;
bool g_bWmiEnabled = false;

const DWORD kErrorBadProfile = ERROR_BAD_CONFIGURATION;

std::wstring GetEnv(const wchar_t* name)
{
    wchar_t buffer[1024];
    DWORD n = GetEnvironmentVariableW(name, buffer, 1024);
    return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

bool ReadWholeFile(const std::wstring& path, std::string& text)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0)
        text.append(buffer, n);
    CloseHandle(h);
    return true;
}

// The log is the test's, not the device's: it leaves the thread's last error as it was (opening
// an existing log sets 183), so a call that sets none leaves what the caller had before.
void AppendToCallLog(const std::string& line)
{
    const DWORD dwLastError = GetLastError();
    std::wstring path = GetEnv(L"VEKTIV_CALL_LOG");
    HANDLE h = path.empty() ? INVALID_HANDLE_VALUE
                            : CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE)
    {
        std::string text = line + "\n";
        DWORD written = 0;
        WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(h);
    }
    SetLastError(dwLastError);
}

// The profile: VEKTIV_PROFILE, else VekTiv.ini beside the DLL, else the built-in device.
CSimProfile* Profile()
{
    if (g_pProfile || g_bProfileBroken)
        return g_pProfile.get();
    std::string text;
    std::wstring path = GetEnv(L"VEKTIV_PROFILE");
    bool found = !path.empty() && ReadWholeFile(path, text);
    if (!found && path.empty())
    {
        wchar_t self[MAX_PATH];
        DWORD n = GetModuleFileNameW(g_hModule, self, MAX_PATH);
        if (n > 0 && n < MAX_PATH)
        {
            std::wstring beside(self, n);
            beside = beside.substr(0, beside.find_last_of(L'\\') + 1) + L"VekTiv.ini";
            found = ReadWholeFile(beside, text);
        }
        if (!found)
        {
            HRSRC hRes = FindResourceW(g_hModule, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(10));
            HGLOBAL hData = hRes ? LoadResource(g_hModule, hRes) : nullptr;
            const char* p = hData ? static_cast<const char*>(LockResource(hData)) : nullptr;
            if (p != nullptr)
            {
                text.assign(p, SizeofResource(g_hModule, hRes));
                found = true;
            }
        }
    }
    std::string error = found ? std::string() : "profile not found";
    auto profile = std::make_unique<CSimProfile>();
    if (found && profile->Parse(text, error))
    {
        g_pProfile = std::move(profile);
        return g_pProfile.get();
    }
    // A broken profile must not look like a device: every call fails and the log says why.
    g_bProfileBroken = true;
    AppendToCallLog("profile error: " + error);
    OutputDebugStringA(("VekTiv simulator: profile error: " + error).c_str());
    return nullptr;
}

void Log(const char* name, const std::string& args = std::string())
{
    AppendToCallLog(std::string(name) + "(" + args + ")");
}

std::string Args(std::initializer_list<unsigned long> values)
{
    std::string s;
    for (unsigned long v : values)
    {
        if (!s.empty())
            s += ",";
        s += std::to_string(v);
    }
    return s;
}

// The profile's name of an export: without "Tiv" and a leading "Get".
const char* ProfileName(const char* name)
{
    return std::strncmp(name, "Get", 3) == 0 ? name + 3 : name;
}

BOOL Fail(DWORD code)
{
    SetLastError(code);
    return FALSE;
}

// Looks up an entry; nullptr with the last error set when the call is to fail.
const CSimValue* Lookup(const char* function, DWORD id)
{
    CSimProfile* profile = Profile();
    if (profile == nullptr)
    {
        SetLastError(kErrorBadProfile);
        return nullptr;
    }
    const CSimValue* v = profile->Find(function, id, g_nSelectedPanel);
    if (v == nullptr)
    {
        SetLastError(profile->DefaultFailCode());
        return nullptr;
    }
    if (v->kind == CSimValue::kFail)
    {
        SetLastError(v->failCode);
        return nullptr;
    }
    if (v->needsWmi && !g_bWmiEnabled)
    {
        SetLastError(ERROR_NOT_FOUND);
        return nullptr;
    }
    return v;
}

// An (id, buffer, size) read.
BOOL ReadInto(const char* function, DWORD id, void* buffer, DWORD size)
{
    const CSimValue* v = Lookup(function, id);
    if (v == nullptr)
        return FALSE;
    BYTE* out = static_cast<BYTE*>(buffer);
    if (out == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    switch (v->kind)
    {
    case CSimValue::kNumber:
        if (size != v->width)
            return Fail(v->mismatchCode);
        for (DWORD i = 0; i < size; ++i)
            out[i] = static_cast<BYTE>(v->number >> (8 * i));
        break;
    case CSimValue::kString:
    {
        DWORD units = size / sizeof(wchar_t);
        if (units == 0)
            return Fail(v->mismatchCode);
        size_t n = v->text.size() < units - 1 ? v->text.size() : units - 1;
        std::memcpy(out, v->text.data(), n * sizeof(wchar_t));
        std::memset(out + n * sizeof(wchar_t), 0, sizeof(wchar_t));
        break;
    }
    case CSimValue::kStringNoTerminator:
    {
        DWORD units = size / sizeof(wchar_t);
        auto* w = reinterpret_cast<wchar_t*>(out);
        for (DWORD i = 0; i < units; ++i)
            w[i] = v->text[i % v->text.size()];
        break;
    }
    case CSimValue::kBytes:
        std::memcpy(out, v->bytes.data(), v->bytes.size() < size ? v->bytes.size() : size);
        break;
    default:
        return Fail(ERROR_INVALID_PARAMETER);
    }
    return v->ret;
}

// A read through one out-pointer of `width` bytes.
BOOL ReadOut(const char* function, DWORD id, void* pValue, DWORD width)
{
    const CSimValue* v = Lookup(function, id);
    if (v == nullptr)
        return FALSE;
    if (pValue == nullptr || v->kind != CSimValue::kNumber)
        return Fail(ERROR_INVALID_PARAMETER);
    BYTE* out = static_cast<BYTE*>(pValue);
    for (DWORD i = 0; i < width; ++i)
        out[i] = static_cast<BYTE>(v->number >> (8 * i));
    return v->ret;
}

}  // namespace

extern "C" {

#define ID_READER(name)                                                             \
    BOOL WINAPI Tiv##name(DWORD id, void* buffer, DWORD size)                       \
    {                                                                               \
        Log("Tiv" #name, Args({ id, size }));                                       \
        return ReadInto(ProfileName(#name), id, buffer, size);                      \
    }

ID_READER(GetFactoryValue)
ID_READER(GetFactoryStringW)
ID_READER(GetTemperature)
ID_READER(GetStatisticsValue)
ID_READER(GetFirmwareStringW)
ID_READER(GetFirmwareValue)
ID_READER(GetHardwareValue)
ID_READER(GetHardwareStringW)
ID_READER(GetVoltage)
ID_READER(GetKeyCfgStringW)
ID_READER(GetUserlogoValue)
ID_READER(GetUserlogoStringW)
ID_READER(GetAlarm)

#undef ID_READER

#define OUT_READER(name, type)                                                      \
    BOOL WINAPI Tiv##name(type* pValue)                                             \
    {                                                                               \
        Log("Tiv" #name);                                                           \
        return ReadOut(ProfileName(#name), 0, pValue, sizeof(type));                \
    }

OUT_READER(GetDeviceType, DWORD)
OUT_READER(GetKeyCfgState, DWORD)
OUT_READER(GetKeyLayer, BYTE)
OUT_READER(GetKeyLayerMode, BYTE)
OUT_READER(GetLedCount, BYTE)
OUT_READER(GetUserSerialId, DWORD)
OUT_READER(GetUserLed, BYTE)
OUT_READER(GetPanelLockTime, DWORD)
OUT_READER(GetDisplayType, BYTE)
OUT_READER(GetDisplayBrightness, BYTE)
OUT_READER(GetDisplayDefaultBrightness, BYTE)
OUT_READER(GetDisplayFactoryBrightness, BYTE)
OUT_READER(GetDisplayContrast, BYTE)
OUT_READER(GetDisplayDefaultContrast, BYTE)
OUT_READER(GetDisplayFactoryContrast, BYTE)
OUT_READER(GetKeyCount, BYTE)
OUT_READER(AreKeysEnabled, DWORD)

#undef OUT_READER

BOOL WINAPI TivGetKeyMatrix(void* buffer, DWORD size)
{
    Log("TivGetKeyMatrix", Args({ size }));
    return ReadInto("KeyMatrix", 0, buffer, size);
}

BOOL WINAPI TivGetKeySwitches(void* buffer, DWORD size)
{
    Log("TivGetKeySwitches", Args({ size }));
    return ReadInto("KeySwitches", 0, buffer, size);
}

BOOL WINAPI TivGetLedMatrix(DWORD layer, void* buffer, DWORD size)
{
    Log("TivGetLedMatrix", Args({ layer, size }));
    return ReadInto("LedMatrix", layer, buffer, size);
}

BOOL WINAPI TivGetDisplayEqualizer(DWORD* pMode, BYTE* pValue)
{
    Log("TivGetDisplayEqualizer");
    if (!ReadOut("DisplayEqualizer", 0, pMode, sizeof(DWORD)))
        return FALSE;
    return ReadOut("DisplayEqualizer", 1, pValue, sizeof(BYTE));
}

BOOL WINAPI TivSelectPanel(DWORD panel)
{
    Log("TivSelectPanel", Args({ panel }));
    CSimProfile* profile = Profile();
    if (profile == nullptr)
        return Fail(kErrorBadProfile);
    if (const CSimValue* v = profile->Find("SelectPanel", panel, -1))
    {
        if (v->kind == CSimValue::kFail)
            return Fail(v->failCode);
    }
    else if (!profile->HasPanel(panel))
        return Fail(ERROR_INVALID_PARAMETER);
    g_nSelectedPanel = static_cast<long>(panel);
    return TRUE;
}

// The WMI mode as TivEnableWmi left it, unless the profile stages an answer.
BOOL WINAPI TivIsWmiEnabled(BOOL* pEnabled)
{
    Log("TivIsWmiEnabled");
    CSimProfile* profile = Profile();
    if (profile == nullptr)
        return Fail(kErrorBadProfile);
    const CSimValue* v = profile->Find("IsWmiEnabled", 0, -1);
    if (v != nullptr && v->kind == CSimValue::kFail)
        return Fail(v->failCode);
    if (pEnabled == nullptr || (v != nullptr && v->kind != CSimValue::kNumber))
        return Fail(ERROR_INVALID_PARAMETER);
    *pEnabled = v != nullptr ? static_cast<BOOL>(v->number) : g_bWmiEnabled;
    return v != nullptr ? v->ret : TRUE;
}

BOOL WINAPI TivEnableWmi(BOOL enable)
{
    Log("TivEnableWmi", Args({ static_cast<unsigned long>(enable) }));
    CSimProfile* profile = Profile();
    if (profile == nullptr)
        return Fail(kErrorBadProfile);
    if (const CSimValue* v = profile->Find("EnableWmi", 0, -1))
        if (v->kind == CSimValue::kFail)
            return Fail(v->failCode);
    g_bWmiEnabled = enable != FALSE;
    return TRUE;
}

BOOL WINAPI TivUploadFileW(const wchar_t* path, DWORD id, DWORD reserved1, DWORD reserved2)
{
    Log("TivUploadFileW", Args({ id, reserved1, reserved2 }));
    const CSimValue* v = Lookup("UploadFileW", id);
    if (v == nullptr)
        return FALSE;
    if (path == nullptr || v->kind != CSimValue::kBytes)
        return Fail(ERROR_INVALID_PARAMETER);
    HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD written = 0;
    BOOL ok = WriteFile(h, v->bytes.data(), static_cast<DWORD>(v->bytes.size()), &written, nullptr);
    DWORD error = GetLastError();
    CloseHandle(h);
    if (!ok)
        return Fail(error);
    return v->ret;
}

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, void*)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_hModule = hInstance;
    return TRUE;
}

}  // extern "C"
