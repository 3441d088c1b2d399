// Group-local table rows: one begin-first sub-test per row, read through one export of the binding.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "groups/readers/Reading.h"

// The export a row reads through: one reader field of the binding. A row passes its value id
// and size to the (id, buffer, size) readers, its size to the (buffer, size) readers; the single
// out-parameter readers take neither.
struct CReader
{
    enum EShape
    {
        kNone,
        kIdValue,   // (id, buffer, size)
        kIdString,  // (id, wide buffer, size in bytes)
        kByteOut,   // (BYTE*): one byte
        kDwordOut,  // (DWORD*): four bytes
        kBuffer,    // (buffer, size): a block without an id
    };
    constexpr CReader() = default;
    constexpr CReader(PFN_TIV_ID_READ CTivLibrary::*p) : shape(kIdValue), idValue(p) {}
    constexpr CReader(PFN_TIV_ID_STRING CTivLibrary::*p) : shape(kIdString), idString(p) {}
    constexpr CReader(PFN_TIV_BYTE_OUT CTivLibrary::*p) : shape(kByteOut), byteOut(p) {}
    constexpr CReader(PFN_TIV_DWORD_OUT CTivLibrary::*p) : shape(kDwordOut), dwordOut(p) {}
    constexpr CReader(PFN_TIV_BUFFER CTivLibrary::*p) : shape(kBuffer), buffer(p) {}

    EShape shape = kNone;
    PFN_TIV_ID_READ CTivLibrary::*idValue = nullptr;
    PFN_TIV_ID_STRING CTivLibrary::*idString = nullptr;
    PFN_TIV_BYTE_OUT CTivLibrary::*byteOut = nullptr;
    PFN_TIV_DWORD_OUT CTivLibrary::*dwordOut = nullptr;
    PFN_TIV_BUFFER CTivLibrary::*buffer = nullptr;
};

inline constexpr CReader kFactoryValue = &CTivLibrary::m_pTivGetFactoryValue;
inline constexpr CReader kFactoryString = &CTivLibrary::m_pTivGetFactoryStringW;
inline constexpr CReader kHardwareValue = &CTivLibrary::m_pTivGetHardwareValue;
inline constexpr CReader kHardwareString = &CTivLibrary::m_pTivGetHardwareStringW;
inline constexpr CReader kFirmwareValue = &CTivLibrary::m_pTivGetFirmwareValue;
inline constexpr CReader kFirmwareString = &CTivLibrary::m_pTivGetFirmwareStringW;
inline constexpr CReader kVoltageValue = &CTivLibrary::m_pTivGetVoltage;

// One call of the row's export into pBuffer (dwSize bytes; the out-parameter readers need 1 or
// 4). An unbound export, or a size the export cannot take, counts as a failed call; on failure
// dwError holds the last error taken right after the call.
BOOL CallReader(CTivLibrary& library, const CReader& reader, DWORD dwId, void* pBuffer,
                DWORD dwSize, DWORD& dwError);

// How a row turns what it read into its result text.
enum class ERowKind
{
    kNumber,       // unsigned 1, 2 or 4 bytes, zero-extended, through the format
    kSigned,       // signed 1, 2 or 4 bytes, sign-extended, through the format ("%d")
    kText,         // UTF-16 text of `size` bytes, up to its terminator or the buffer's end
    kRaw,          // HexDump of all `size` bytes
    kByteList,     // one byte from each id of `ids`, each through the format, joined by a blank;
                   // the first read that fails ends the test with its error; no ids is a
                   // failure (87), never an empty value reported as read
    kBits,         // one byte as eight characters "0"/"1", bit 7 first
    kWords,        // `words.zero` for the value 0, else `words.nonZero`
    kThousandths,  // an unsigned count divided by 1000 in single precision, through the format
};

struct CWords
{
    const wchar_t* zero = nullptr;
    const wchar_t* nonZero = nullptr;
};
inline constexpr CWords kEnabledWords = { L"Disabled", L"Enabled" };
inline constexpr CWords kYesWords = { L"No", L"Yes" };

// The value ids of a byte list, in reading order.
struct CIdList
{
    DWORD count = 0;
    DWORD ids[4] = {};
};
// Evaluated while compiling, so a list longer than four ids is a build error rather than a
// write past the array when a table happens to be initialised at run time.
consteval CIdList Ids(std::initializer_list<DWORD> ids)
{
    CIdList list;
    for (DWORD id : ids)
        list.ids[list.count++] = id;
    return list;
}

// One begin-first sub-test. Unnamed fields take the defaults: no description, an unsigned
// 4-byte number through "%u", Format String, no gate.
struct CRow
{
    const wchar_t* name = L"";
    const wchar_t* description = L"";
    ERowKind kind = ERowKind::kNumber;
    CReader read;
    DWORD id = 0;
    DWORD size = 4;
    const wchar_t* format = L"%u";
    DWORD code = kFormatString;  // Format code of a successful result
    CTypeGate gate = kAlways;    // a row whose gate fails writes nothing
    CWords words = {};           // kWords
    CIdList ids = {};            // kByteList
};

using CRows = std::span<const CRow>;

// The row's reading (value, or the failure with its error), without writing anything.
CReading ReadRow(CTivLibrary& library, const CRow& row);

// Writes the row when its gate passes: BeginTest, the read, the result (or the failure rule),
// the end tag. Returns whether the Test was written.
bool WriteRow(CTest& test, const CRow& row);
// Writes every row of the table in order.
void WriteRows(CTest& test, CRows rows);

// Thousandths as units: the count is divided by 1000 in single precision, as the device
// software always has (45 with "%.2f" gives 0.05; 4294967295 with "%.3f" gives 4294967.500).
std::wstring FormatThousandths(DWORD dwValue, const wchar_t* pszFormat);
// The same for a signed count (a current that flows out of the battery is negative).
std::wstring FormatSignedThousandths(LONG lValue, const wchar_t* pszFormat);
