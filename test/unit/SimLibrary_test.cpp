// The simulated VekTiv.dll through its exports: size semantics, failures and return values and a
// broken profile: what the other tests rely on.
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{

typedef BOOL(WINAPI* PFN_ID_READ)(DWORD, void*, DWORD);
typedef BOOL(WINAPI* PFN_OUT)(void*);

// One fresh load of the simulated library (it reads its profile at the first call after a
// load); create it after the CSimDevice and let it go before.
class CSimLibrary
{
public:
    CSimLibrary() : m_hModule(LoadLibraryW((ExeFolder() + L"\\VekTiv.dll").c_str())) {}
    ~CSimLibrary()
    {
        if (m_hModule)
            FreeLibrary(m_hModule);
    }
    template <typename T>
    T Get(const char* name) const
    {
        FARPROC p = m_hModule ? GetProcAddress(m_hModule, name) : nullptr;
        EXPECT_NE(p, nullptr) << name;
        return reinterpret_cast<T>(reinterpret_cast<void (*)()>(p));
    }
    // An (id, buffer, size) read; the last error after it in *pError.
    BOOL Read(const char* name, DWORD id, void* buffer, DWORD size, DWORD* pError = nullptr) const
    {
        SetLastError(0);
        BOOL ok = Get<PFN_ID_READ>(name)(id, buffer, size);
        if (pError)
            *pError = GetLastError();
        return ok;
    }
    HMODULE m_hModule;
};

}  // namespace

TEST(SimLibrary, NumbersAnswerOnlyTheirOwnSize)
{
    CSimDevice device("StatisticsValue 3 = u16 7\n"
                      "StatisticsValue 4 = u32 70000 mismatch 31\n"
                      "Temperature 1 = i8 -5\n");
    CSimLibrary lib;
    const struct
    {
        const char* name;
        DWORD id;
        DWORD size;
        BOOL ok;
        DWORD value;  // when ok
        DWORD error;  // when not
    } kCases[] = {
        { "TivGetStatisticsValue", 3, 4, FALSE, 0, ERROR_INVALID_PARAMETER },
        { "TivGetStatisticsValue", 3, 2, TRUE, 7, 0 },
        { "TivGetStatisticsValue", 4, 2, FALSE, 0, 31 },
        { "TivGetTemperature", 1, 1, TRUE, 0xFB, 0 },
    };
    for (const auto& c : kCases)
    {
        BYTE buffer[16];
        std::memset(buffer, 0xCC, sizeof buffer);
        DWORD error = 0;
        BOOL ok = lib.Read(c.name, c.id, buffer, c.size, &error);
        EXPECT_EQ(ok, c.ok) << c.name << " " << c.id << " size " << c.size;
        if (ok)
        {
            DWORD value = 0;
            std::memcpy(&value, buffer, c.size);
            EXPECT_EQ(value, c.value) << c.name << " " << c.id;
            EXPECT_EQ(buffer[c.size], 0xCC) << "wrote past the size";
        }
        else
            EXPECT_EQ(error, c.error) << c.name << " " << c.id << " size " << c.size;
    }
}

TEST(SimLibrary, FailuresAndReturnValues)
{
    CSimDevice device("Default = fail 1117\nFirmwareValue 29 = u32 1 ret 2\n"
                      "Alarm 3 = fail 1167\n"
                      "Voltage 0 = u32 1200 then fail 31 then u32 1300\n");
    CSimLibrary lib;
    DWORD value = 0, error = 0;
    EXPECT_EQ(lib.Read("TivGetFirmwareValue", 29, &value, 4), 2);
    EXPECT_EQ(value, 1u);
    EXPECT_FALSE(lib.Read("TivGetAlarm", 3, &value, 4, &error));
    EXPECT_EQ(error, 1167u);
    // Not in the profile: the default code.
    EXPECT_FALSE(lib.Read("TivGetAlarm", 4, &value, 4, &error));
    EXPECT_EQ(error, 1117u);
    // A sequence moves on by one per call and keeps its last answer.
    EXPECT_TRUE(lib.Read("TivGetVoltage", 0, &value, 4));
    EXPECT_EQ(value, 1200u);
    EXPECT_FALSE(lib.Read("TivGetVoltage", 0, &value, 4, &error));
    EXPECT_EQ(error, 31u);
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_TRUE(lib.Read("TivGetVoltage", 0, &value, 4));
        EXPECT_EQ(value, 1300u);
    }
}

TEST(SimLibrary, BrokenProfileFailsEveryCallAndSaysWhy)
{
    CSimDevice device("DeviceType = u32 18\nAlarm 1 = u8 300\n");
    CSimLibrary lib;
    DWORD type = 0;
    SetLastError(0);
    EXPECT_FALSE(lib.Get<PFN_OUT>("TivGetDeviceType")(&type));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_CONFIGURATION));
    EXPECT_EQ(device.CountCalls("profile error: line 2"), 1u);
}
