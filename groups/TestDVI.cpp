// DVI group: per DVI channel its port, the connected panel, and that panel's display data.
#include "groups/TestDVI.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/Text.h"
#include "groups/readers/FactorySettings.h"
#include "groups/readers/Reading.h"

namespace
{

// Hardware value of the selected panel: non-zero while its link is up.
const DWORD kPanelLinkId = 13;
const DWORD kNoPanel = 0xFFFFFFFF;

// What each channel reads: the display data block and the two resolution values (width first).
struct CChannel
{
    DWORD dwDataId;
    DWORD dwWidthId;
    DWORD dwHeightId;
};
const CChannel kChannels[] = {
    { 19, 21, 22 },
    { 20, 23, 24 },
};

// The display data: an EDID base block whose second half holds the maker's identity record.
const DWORD kDataBytes = 256;
const BYTE kMakerId[] = { 0x69, 0x8A };  // at offset 8
const size_t kMakerIdOffset = 8;
const BYTE kRecordHeader[] = { 0xFF, 0x55, 0xAA, 0xFF, 0x00, 0x00, 0xFF, 0xFF };
const size_t kRecordHeaderOffset = 0x80;

// One field of the identity record: a big-endian number of `size` bytes through the format,
// or (size 0) an ANSI text up to its NUL or the block's end.
struct CIdentityField
{
    const wchar_t* pszName;
    const wchar_t* pszDescription;
    size_t offset;
    size_t size;
    const wchar_t* pszFormat;
};

const CIdentityField kIdentityFields[] = {
    { L"Vendor ID", L"Vek = 0.", 0x90, 4, L"%08Xh" },
    { L"Device ID", L"", 0x8A, 4, L"%08Xh" },
    { L"Compatibility ID",
      kCompatibilityDescription,
      0x8E, 2, L"%04Xh" },
    { L"Hardware revision", L"", 0x94, 0, nullptr },
    { L"Serial number", L"", 0x99, 0, nullptr },
    { L"Model number", L"", 0xA5, 0, nullptr },
};

// The text of a field: the bytes up to the first NUL, never past the block, converted in the
// thread's ANSI code page.
std::wstring AnsiText(const BYTE* pBlock, size_t offset)
{
    const char* pBegin = reinterpret_cast<const char*>(pBlock) + offset;
    const char* pEnd = std::find(pBegin, reinterpret_cast<const char*>(pBlock) + kDataBytes, '\0');
    const int nBytes = static_cast<int>(pEnd - pBegin);
    if (nBytes == 0)
        return std::wstring();
    std::wstring text(nBytes, L'\0');
    const int nChars = MultiByteToWideChar(CP_THREAD_ACP, 0, pBegin, nBytes, text.data(), nBytes);
    text.resize(nChars > 0 ? nChars : 0);
    return text;
}

std::wstring FieldText(const BYTE* pBlock, const CIdentityField& field)
{
    if (field.size == 0)
        return AnsiText(pBlock, field.offset);
    DWORD dwValue = 0;
    for (size_t i = 0; i < field.size; ++i)
        dwValue = (dwValue << 8) | pBlock[field.offset + i];
    return StrFormat(field.pszFormat, dwValue);
}

bool HasBytes(const BYTE* pBlock, size_t offset, const BYTE* pExpected, size_t size)
{
    return std::memcmp(pBlock + offset, pExpected, size) == 0;
}

// The panel that a channel's port leads to (kNoPanel for none), and the port's name.
DWORD ChannelPanel(CTivLibrary& library, int nChannel)
{
    if (nChannel == 1)
        return IsDeviceTypeIn(library, { 15, 16, 17 }) ? 1 : 0;
    return IsDeviceTypeIn(library, { 7, 15, 16, 17 }) ? kNoPanel : 8;
}

const wchar_t* PortName(DWORD dwPanel, int nChannel)
{
    if (nChannel == 1)
        return L"Monitor/Panel";
    return dwPanel == kNoPanel ? L"Not available" : L"Display/LMQ Link Slot (if present)";
}

// Selects the channel's panel and reads its link. A port without a panel, or a panel that
// cannot be selected, has nothing connected: "No". A failed link read is a failure with its
// error. bConnected is true only for a link read as non-zero.
CReading ReadPanelLink(CTivLibrary& library, DWORD dwPanel, bool& bConnected)
{
    bConnected = false;
    if (dwPanel == kNoPanel || library.m_pTivSelectPanel == nullptr ||
        !library.m_pTivSelectPanel(dwPanel))
        return Value(L"No", kFormatYesNo);
    DWORD dwLink = 0;
    DWORD dwError = 0;
    if (!CallTivRead(library.m_pTivGetHardwareValue, kPanelLinkId, &dwLink, sizeof dwLink, dwError))
        return Failure(dwError);
    bConnected = dwLink != 0;
    return Value(bConnected ? L"Yes" : L"No", kFormatYesNo);
}

}  // namespace

void CTestDVI::Run()
{
    if (!HasReadableDeviceType(m_Library) || IsDeviceTypeIn(m_Library, { 8, 10, 5, 4, 9, 11, 21 }))
        return;
    // On this type the DVI port lies on the I/O board.
    if (m_Library.IsDeviceType(15) && m_Library.IsIoBoardPresent() == 0)
        return;
    m_pReport->BeginTestGroup(L"DVI",
                              L"Contains tests of DVI related items like display data or port "
                              L"names.",
                              StrFormat(L"DVI Channel %d", 1).c_str(), L"Port Information");
    for (int nChannel = 1; nChannel <= 2; ++nChannel)
    {
        if (nChannel == 2)
        {
            if (IsDeviceTypeIn(m_Library, { 13, 7, 14, 15, 16, 17, 19, 20 }))
                break;
            m_pReport->NextCategory(StrFormat(L"DVI Channel %d", 2).c_str(), L"Port Information");
        }
        TestPortInformation(nChannel);
        TestDviSettings(nChannel);
    }
    m_pReport->EndTestGroup();
}

void CTestDVI::TestPortInformation(int nChannel)
{
    if (nChannel != 1 && nChannel != 2)
        return;
    const DWORD dwPanel = ChannelPanel(m_Library, nChannel);
    WriteTest(*this, L"Port name", L"", Value(PortName(dwPanel, nChannel), kFormatString));
    bool bConnected = false;
    BeginFirstTest(*this, L"Panel connected", L"",
                   [&] { return ReadPanelLink(m_Library, dwPanel, bConnected); });
}

void CTestDVI::TestDviSettings(int nChannel)
{
    if (nChannel != 1 && nChannel != 2)
        return;
    bool bConnected = false;
    ReadPanelLink(m_Library, ChannelPanel(m_Library, nChannel), bConnected);
    if (!bConnected)
        return;
    m_pReport->NextSubCategory(L"DVI Settings");

    const CChannel& channel = kChannels[nChannel - 1];
    // Cleared, so that a library that fills the block only in part shows zeros, not old memory.
    BYTE block[kDataBytes] = {};
    DWORD dwError = 0;
    if (!CallTivRead(m_Library.m_pTivGetFactoryValue, channel.dwDataId, block, kDataBytes, dwError))
    {
        WriteTest(*this, L"Available", L"", Failure(dwError));
        return;
    }
    WriteTest(*this, L"Available", L"", Value(L"Yes", kFormatYesNo));

    // The identity record is shown only for a block of the maker's own with its record header.
    if (!HasBytes(block, kMakerIdOffset, kMakerId, sizeof kMakerId))
    {
        WriteTest(*this, L"Manufacturer ID", L"", Value(L"Unknown", kFormatString));
    }
    else
    {
        WriteTest(*this, L"Manufacturer ID", L"", Value(L"698A", kFormatHex));
        if (!HasBytes(block, kRecordHeaderOffset, kRecordHeader, sizeof kRecordHeader))
        {
            WriteTest(*this, L"Header ID", L"", Value(L"No Vek internal data!", kFormatString));
        }
        else
        {
            WriteTest(*this, L"Header ID", L"", Value(L"FF55AAFF0000FFFF", kFormatHex));
            for (const CIdentityField& field : kIdentityFields)
            {
                WriteTest(*this, field.pszName, field.pszDescription,
                          Value(FieldText(block, field), kFormatString));
            }
        }
    }

    // Width, then height; a failed width read ends the test with its error, unread height.
    BeginFirstTest(*this, L"Display resolution", L"", [&] {
        WORD wWidth = 0;
        WORD wHeight = 0;
        DWORD dwReadError = 0;
        if (!CallTivRead(m_Library.m_pTivGetFactoryValue, channel.dwWidthId, &wWidth,
                         sizeof wWidth, dwReadError) ||
            !CallTivRead(m_Library.m_pTivGetFactoryValue, channel.dwHeightId, &wHeight,
                         sizeof wHeight, dwReadError))
            return Failure(dwReadError);
        return Value(StrFormat(L"%ux%u", static_cast<DWORD>(wWidth), static_cast<DWORD>(wHeight)),
                     kFormatString);
    });
    WriteTest(*this, L"Raw data", L"Complete settings of first DVI display.",
              Value(RawText(block, kDataBytes), kFormatRaw));
}
