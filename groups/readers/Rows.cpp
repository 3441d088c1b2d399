// Group-local table rows: the read of each row kind and the one loop that writes a table.
#include "groups/readers/Rows.h"

#include <vector>

#include "framework/Text.h"

BOOL CallReader(CTivLibrary& library, const CReader& reader, DWORD dwId, void* pBuffer,
                DWORD dwSize, DWORD& dwError)
{
    switch (reader.shape)
    {
    case CReader::kIdValue:
        return CallTivRead(library.*reader.idValue, dwId, pBuffer, dwSize, dwError);
    case CReader::kIdString:
        return CallTivRead(library.*reader.idString, dwId, static_cast<wchar_t*>(pBuffer), dwSize,
                           dwError);
    case CReader::kByteOut:
        if (dwSize == 1)
            return CallExport(library.*reader.byteOut, dwError, static_cast<BYTE*>(pBuffer));
        break;
    case CReader::kDwordOut:
        if (dwSize == 4)
            return CallExport(library.*reader.dwordOut, dwError, static_cast<DWORD*>(pBuffer));
        break;
    case CReader::kBuffer:
        return CallExport(library.*reader.buffer, dwError, pBuffer, dwSize);
    case CReader::kNone:
        break;
    }
    dwError = GetLastError();
    return FALSE;
}

namespace
{

// A value of 1, 2 or 4 bytes, read into a cleared little-endian buffer (so zero-extended).
bool ReadSmall(CTivLibrary& library, const CRow& row, DWORD dwId, DWORD dwSize, DWORD& dwValue,
               DWORD& dwError)
{
    dwValue = 0;
    if (dwSize != 1 && dwSize != 2 && dwSize != 4)
    {
        dwError = ERROR_INVALID_PARAMETER;
        return false;
    }
    return CallReader(library, row.read, dwId, &dwValue, dwSize, dwError) != FALSE;
}

int SignExtended(DWORD dwValue, DWORD dwSize)
{
    if (dwSize == 1)
        return static_cast<signed char>(dwValue);
    if (dwSize == 2)
        return static_cast<short>(dwValue);
    return static_cast<int>(dwValue);
}

std::wstring BitString(BYTE byValue)
{
    std::wstring text;
    for (int bit = 7; bit >= 0; --bit)
        text += (byValue >> bit) & 1 ? L'1' : L'0';
    return text;
}

}  // namespace

CReading ReadRow(CTivLibrary& library, const CRow& row)
{
    DWORD dwError = 0;
    DWORD dwValue = 0;
    switch (row.kind)
    {
    case ERowKind::kText:
    {
        std::vector<wchar_t> buffer(row.size / sizeof(wchar_t) + 1, L'\0');
        if (!CallReader(library, row.read, row.id, buffer.data(), row.size, dwError))
            return Failure(dwError);
        return Value(TextFromBuffer(buffer.data(), row.size / sizeof(wchar_t)), row.code);
    }
    case ERowKind::kRaw:
    {
        std::vector<BYTE> block(row.size);
        if (!CallReader(library, row.read, row.id, block.data(), row.size, dwError))
            return Failure(dwError);
        return Value(RawText(block.data(), row.size), row.code);
    }
    case ERowKind::kByteList:
    {
        if (row.ids.count == 0)
            return Failure(ERROR_INVALID_PARAMETER);
        std::wstring text;
        for (DWORD i = 0; i < row.ids.count; ++i)
        {
            if (!ReadSmall(library, row, row.ids.ids[i], 1, dwValue, dwError))
                return Failure(dwError);
            text += (i == 0 ? L"" : L" ") + StrFormat(row.format, dwValue);
        }
        return Value(text, row.code);
    }
    case ERowKind::kBits:
        if (!ReadSmall(library, row, row.id, 1, dwValue, dwError))
            return Failure(dwError);
        return Value(BitString(static_cast<BYTE>(dwValue)), row.code);
    case ERowKind::kNumber:
    case ERowKind::kSigned:
    case ERowKind::kWords:
    case ERowKind::kThousandths:
        break;
    }

    if (!ReadSmall(library, row, row.id, row.size, dwValue, dwError))
        return Failure(dwError);
    switch (row.kind)
    {
    case ERowKind::kSigned:
        return Value(StrFormat(row.format, SignExtended(dwValue, row.size)), row.code);
    case ERowKind::kWords:
        return Value(dwValue != 0 ? row.words.nonZero : row.words.zero, row.code);
    case ERowKind::kThousandths:
        return Value(FormatThousandths(dwValue, row.format), row.code);
    default:
        return Value(StrFormat(row.format, dwValue), row.code);
    }
}

bool WriteRow(CTest& test, const CRow& row)
{
    if (!PassesGate(test.m_Library, row.gate))
        return false;
    BeginFirstTest(test, row.name, row.description,
                   [&] { return ReadRow(test.m_Library, row); });
    return true;
}

void WriteRows(CTest& test, CRows rows)
{
    for (const CRow& row : rows)
        WriteRow(test, row);
}

std::wstring FormatThousandths(DWORD dwValue, const wchar_t* pszFormat)
{
    // volatile keeps the quotient in single precision whatever the compiler's FPU settings.
    volatile float fValue = static_cast<float>(dwValue);
    volatile float fQuotient = fValue / 1000.0f;
    return StrFormat(pszFormat, static_cast<double>(fQuotient));
}

std::wstring FormatSignedThousandths(LONG lValue, const wchar_t* pszFormat)
{
    volatile float fValue = static_cast<float>(lValue);
    volatile float fQuotient = fValue / 1000.0f;
    return StrFormat(pszFormat, static_cast<double>(fQuotient));
}
