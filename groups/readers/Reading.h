// Sub-test conventions every group shares: device-type gates, presence, begin-first and read-first tests.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

#include "app/GroupBase.h"

// ---- Device-type gates ------------------------------------------------------------------------

// A chain of device type codes as data, for table rows: the codes are checked in the order
// written and the list ends at the first 0 (an empty chain matches nothing).
struct CTypeChain
{
    DWORD codes[kMaxDeviceType];
};

// True at the first code of the chain that the device has. Every code is its own lazy check
// (CTivLibrary::IsDeviceType), so while the type cannot be read each code asks the library
// again, and a type that becomes readable mid-chain is compared from there on.
bool IsDeviceTypeIn(CTivLibrary& library, std::initializer_list<DWORD> types);
bool IsDeviceTypeIn(CTivLibrary& library, const CTypeChain& types);

// "Not on these types": the negation of the chain, so true when the type cannot be read.
bool IsNotDeviceTypeIn(CTivLibrary& library, std::initializer_list<DWORD> types);
bool IsNotDeviceTypeIn(CTivLibrary& library, const CTypeChain& types);

// The device condition of one table row.
struct CTypeGate
{
    enum EKind
    {
        kAlways,      // no gate (the chain is not looked at; no type read)
        kOnlyOn,      // only on the types of the chain
        kNotOn,       // not on the types of the chain (so also when the type cannot be read)
        kOnCpuBoard,  // only when the CPU-board query names the board whose code is types.codes[0]
    };
    EKind kind = kAlways;
    CTypeChain types = {};
};

constexpr CTypeChain TypeChain(std::initializer_list<DWORD> types)
{
    CTypeChain chain = {};
    size_t i = 0;
    for (DWORD type : types)
        chain.codes[i++] = type;
    return chain;
}

// Row gates: kAlways, OnlyOn({18, 19}), NotOn({9, 11}), OnCpuBoard(3).
inline constexpr CTypeGate kAlways = {};
constexpr CTypeGate OnlyOn(std::initializer_list<DWORD> types)
{
    return CTypeGate{ CTypeGate::kOnlyOn, TypeChain(types) };
}
constexpr CTypeGate NotOn(std::initializer_list<DWORD> types)
{
    return CTypeGate{ CTypeGate::kNotOn, TypeChain(types) };
}
constexpr CTypeGate OnCpuBoard(DWORD dwBoardCode)
{
    return CTypeGate{ CTypeGate::kOnCpuBoard, TypeChain({ dwBoardCode }) };
}

bool PassesGate(CTivLibrary& library, const CTypeGate& gate);

// The gate of the groups that are written on every device whose type can be read: the lazy
// check reads the type into the cache while the cache is 0 (the code compared with does not
// matter), and a read that fails or yields 0 leaves it 0.
inline bool HasReadableDeviceType(CTivLibrary& library)
{
    library.IsDeviceType(0);
    return library.m_dwDeviceType != 0;
}

// Presence check: TivGetHardwareValue(id, 4 bytes) bound, successful and non-zero.
bool IsPresent(CTivLibrary& library, DWORD dwPresenceId);

// ---- Reads ------------------------------------------------------------------------------------

// One call of an export of the binding. An unbound pointer counts as a failed call. Returns the
// export's result (0 when unbound); on 0, dwError holds the thread's last error taken right after
// the call (for an unbound export: whatever the thread holds now).
template <class Fn, class... Args>
BOOL CallExport(Fn pfn, DWORD& dwError, Args... args)
{
    BOOL bResult = pfn != nullptr ? pfn(args...) : FALSE;
    if (!bResult)
        dwError = GetLastError();
    return bResult;
}

// One call of an id reader (id, buffer, size), value or string.
template <class Fn, class Buffer>
BOOL CallTivRead(Fn pfnRead, DWORD dwId, Buffer* pBuffer, DWORD dwSize, DWORD& dwError)
{
    return CallExport(pfnRead, dwError, dwId, pBuffer, dwSize);
}

// Size in bytes of a string read.
const DWORD kStringBytes = 512;

// The text of a string buffer up to its terminator, cut at nChars when the library left none.
std::wstring TextFromBuffer(const wchar_t* pBuffer, size_t nChars);

// The text of a raw block (HexDump of all nSize bytes, however much the library filled).
std::wstring RawText(const BYTE* pData, DWORD dwSize);

// ---- Readings: what a sub-test writes as its result -------------------------------------------

// The outcome of one sub-test read: a value with its status and Format, or a failed read with
// the error code that the failure rule turns into the system's message text.
struct CReading
{
    bool bOk;
    DWORD dwError;  // failed read: the last error taken right after the failing call
    std::wstring text;
    DWORD dwStatus;
    DWORD dwFormat;
};

// A value to write (status Passed unless given).
CReading Value(const std::wstring& text, DWORD dwFormat, DWORD dwStatus = kStatusPassed);
// A failed read with its error code.
CReading Failure(DWORD dwError);
// "(n.a.)": a value that does not exist here; Passed, Format String.
CReading NotAvailable();
extern const wchar_t kNotAvailableText[];  // "(n.a.)"

// A 512-byte UTF-16 string, Format String; through a string export or a value export.
// (Table rows read every other shape: groups/readers/Rows.h.)
template <class Fn>
CReading ReadString(Fn pfnRead, DWORD dwId)
{
    wchar_t szBuffer[kStringBytes / sizeof(wchar_t)] = {};
    DWORD dwError = 0;
    if (!CallTivRead(pfnRead, dwId, szBuffer, sizeof szBuffer, dwError))
        return Failure(dwError);
    return Value(TextFromBuffer(szBuffer, kStringBytes / sizeof(wchar_t)), kFormatString);
}

// ---- Alarm rule -------------------------------------------------------------------------------

// Alarm id of a reading that has none.
const DWORD kNoAlarm = 0xFFFFFFFF;

// Alarm (2) when TivGetAlarm(id, 4 bytes) is bound, succeeds and gives a non-zero value;
// Passed (0) otherwise, a failed alarm read included. kNoAlarm reads nothing and gives Passed.
DWORD AlarmStatus(CTivLibrary& library, DWORD dwAlarmId);

// ---- Writing sub-tests ------------------------------------------------------------------------

// The result lines of a reading: the value with its status and Format, or for a failed read
// the system's message text of its error, Failed, String.
void WriteReading(CTest& test, const CReading& reading);
// The end tag of the Test element (depth 6).
void CloseTest(CTest& test);
// BeginTest, the result lines, the end tag.
void WriteTest(CTest& test, const wchar_t* pszName, const wchar_t* pszDescription,
               const CReading& reading);

// Begin-first sub-test: the Test is begun before the read and written whatever the read
// gives. read() is called after BeginTest and returns a CReading.
template <class Read>
void BeginFirstTest(CTest& test, const wchar_t* pszName, const wchar_t* pszDescription,
                    Read read)
{
    test.m_pReport->BeginTest(pszName, pszDescription);
    WriteReading(test, read());
    CloseTest(test);
}

// Read-first sub-test: read() first; a failed read writes nothing at all (no Test, no
// TestNumber). Returns whether the Test was written.
template <class Read>
bool ReadFirstTest(CTest& test, const wchar_t* pszName, const wchar_t* pszDescription,
                   Read read)
{
    CReading reading = read();
    if (!reading.bOk)
        return false;
    WriteTest(test, pszName, pszDescription, reading);
    return true;
}
