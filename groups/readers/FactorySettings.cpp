// Factory-settings reader family: member tables and the one mechanism that writes them.
#include "groups/readers/FactorySettings.h"

#include <iterator>

namespace
{

const wchar_t kCompatibilityDescription[] =
    L"The compatibility ID is used to recognize hardware changes that are important for device "
    L"specific software.";
const wchar_t kParentDeviceDescription[] =
    L"The parent device ID indicates the device, from which the actual device was derived (e.g. "
    L"at a customer specific variant of a standard device). FFFFFFFFh means no parent.";
const wchar_t kParentCompatibilityDescription[] =
    L"The compatibility ID indicates the device, from which the actual device was derived (e.g. "
    L"at a customer specific variant of a standard device). FFFFh means no parent.";

enum EField
{
    kVersion,
    kVendorId,
    kDeviceId,
    kCompatibilityId,
    kParentDeviceId,
    kParentCompatibilityId,
    kHardwareRevision,
    kSerialNumber,
    kModelNumber,
    kRawData,
};

// The ten tests in report order; a null description is the member's raw-data description.
struct CFactoryTest
{
    const wchar_t* pszName;
    const wchar_t* pszDescription;
    EField field;
};

const CFactoryTest kFactoryTests[] = {
    { L"Version", L"", kVersion },
    { L"Vendor ID", L"Vek = 0.", kVendorId },
    { L"Device ID", L"", kDeviceId },
    { L"Compatibility ID", kCompatibilityDescription, kCompatibilityId },
    { L"Parent Device ID", kParentDeviceDescription, kParentDeviceId },
    { L"Parent Compatibility ID", kParentCompatibilityDescription, kParentCompatibilityId },
    { L"Hardware revision", L"", kHardwareRevision },
    { L"Serial number", L"", kSerialNumber },
    { L"Model number", L"", kModelNumber },
    { L"Raw data", nullptr, kRawData },
};

// The slide-in drives describe every test.
const wchar_t* const kDriveDescriptions[] = {
    L"Factory settings version of slide-in drive.",
    L"Vendor ID of slide-in drive. Vek = 0.",
    L"Device ID of slide-in drive.",
    L"Compatibility ID of slide-in drive. The compatibility ID is used to recognize hardware "
    L"changes that are important for device specific software.",
    L"Parent device ID of slide-in drive. The parent device ID indicates the device, from which "
    L"the actual device was derived (e.g. at a customer specific variant of a standard device). "
    L"FFFFFFFFh means no parent.",
    L"Parent compatibility ID of slide-in drive. The compatibility ID indicates the device, from "
    L"which the actual device was derived (e.g. at a customer specific variant of a standard "
    L"device). FFFFh means no parent.",
    L"Hardware revision of slide-in drive.",
    L"Serial number of slide-in drive.",
    L"Model number of slide-in drive.",
    L"Complete factory settings of slide-in drive.",
};
static_assert(std::size(kDriveDescriptions) == std::size(kFactoryTests),
              "one drive description per test");

// The CPU board has no "Raw data" on types 18 and 19.
const CRawSizeRule kCpuBoardRawRules[] = {
    { { { 18, 19 } }, 0 },
};
// Memory module 1: 128 bytes on type 18, 512 on types 15 to 17, none elsewhere.
const CRawSizeRule kMemoryModule1RawRules[] = {
    { { { 18 } }, 128 },
    { { { 15, 16, 17 } }, 512 },
};
// Memory module 2: 128 bytes except on type 19.
const CRawSizeRule kMemoryModule2RawRules[] = {
    { { { 19 } }, 0 },
};

const wchar_t kMemoryRawDescription[] = L"Complete factory settings of memory module (RAM)";

DWORD RawSize(CTivLibrary& library, const CFactoryMember& member)
{
    for (const CRawSizeRule& rule : member.rawRules)
    {
        if (IsDeviceTypeIn(library, rule.types))
            return rule.dwSize;
    }
    return member.dwRawSize;
}

}  // namespace

// Members: base id, Version id, Raw id, Raw size, Raw description, revision as string,
// Version left out on, raw rules, per-test descriptions.
const CFactoryMember kFactoryBusUnit = {
    85, 93, 94, 1024, L"Complete factory settings of bus unit.", false, {}, {}, nullptr
};
const CFactoryMember kFactoryCpuBoard = {
    45,    77, 81, 1536, L"Complete factory settings of CPU Board.", true, { { 18, 19 } },
    kCpuBoardRawRules, nullptr
};
const CFactoryMember kFactoryDisplayLink = {
    95, 103, 104, 1024, L"Complete factory settings of Display Link.", false, {}, {}, nullptr
};
const CFactoryMember kFactoryDrives[2] = {
    { 135, 143, 144, 512, L"Complete factory settings of slide-in drive.", false, {}, {}, kDriveDescriptions },
    { 145, 153, 154, 512, L"Complete factory settings of slide-in drive.", false, {}, {}, kDriveDescriptions },
};
const CFactoryMember kFactoryCaseFanKit = {
    125, 133, 134, 512, L"Complete factory settings of fan kit.", false, {}, {}, nullptr
};
const CFactoryMember kFactoryBusFanKit = {
    155, 163, 164, 384, L"Complete factory settings of fan kit.", false, {}, {}, nullptr
};
const CFactoryMember kFactoryIfBoards[2] = {
    { 53, 78, 82, 1024, L"Complete factory settings of IF Board.", false, {}, {}, nullptr },
    { 105, 113, 114, 1024, L"Complete factory settings of IF Board.", false, {}, {}, nullptr },
};
const CFactoryMember kFactoryIoBoard = {
    61, 79, 83, 1024, L"Complete factory settings of I/O Board.", false, {}, {}, nullptr
};
const CFactoryMember kFactoryMemoryModules[2] = {
    { 69, 80, 84, 0, kMemoryRawDescription, true, { { 19 } }, kMemoryModule1RawRules, nullptr },
    { 115, 123, 124, 128, kMemoryRawDescription, true, { { 19 } }, kMemoryModule2RawRules, nullptr },
};

void WriteFactorySettings(CTest& test, const CFactoryMember& member)
{
    CTivLibrary& library = test.m_Library;
    const DWORD b = member.dwBaseId;
    for (size_t i = 0; i < std::size(kFactoryTests); ++i)
    {
        const CFactoryTest& row = kFactoryTests[i];
        const wchar_t* pszDescription =
            member.ppszDescriptions != nullptr ? member.ppszDescriptions[i]
            : row.pszDescription != nullptr    ? row.pszDescription
                                               : member.pszRawDescription;

        // Left-out tests write nothing, not even their Test element.
        DWORD dwRawSize = 0;
        if (row.field == kVersion && IsDeviceTypeIn(library, member.versionLeftOutOn))
            continue;
        if (row.field == kRawData && (dwRawSize = RawSize(library, member)) == 0)
            continue;

        BeginFirstTest(test, row.pszName, pszDescription, [&]() -> CReading {
            switch (row.field)
            {
            case kVersion:
                return ReadString(library.m_pTivGetFactoryValue, member.dwVersionId);
            case kVendorId:
                return ReadNumber(library.m_pTivGetFactoryValue, b + 2, 4, L"%08X", kFormatHex);
            case kDeviceId:
                return ReadNumber(library.m_pTivGetFactoryValue, b, 4, L"%08X", kFormatHex);
            case kCompatibilityId:
                return ReadNumber(library.m_pTivGetFactoryValue, b + 1, 2, L"%04X", kFormatHex);
            case kParentDeviceId:
                return ReadNumber(library.m_pTivGetFactoryValue, b + 6, 4, L"%08X", kFormatHex);
            case kParentCompatibilityId:
                return ReadNumber(library.m_pTivGetFactoryValue, b + 7, 2, L"%04X", kFormatHex);
            case kHardwareRevision:
                return member.bRevisionAsString
                           ? ReadString(library.m_pTivGetFactoryStringW, b + 3)
                           : ReadString(library.m_pTivGetFactoryValue, b + 3);
            case kSerialNumber:
                return ReadString(library.m_pTivGetFactoryStringW, b + 4);
            case kModelNumber:
                return ReadString(library.m_pTivGetFactoryStringW, b + 5);
            case kRawData:
                break;
            }
            return ReadRaw(library.m_pTivGetFactoryValue, member.dwRawId, dwRawSize);
        });
    }
}

void WriteFactorySettings(CTest& test, const CFactoryMember (&members)[2], DWORD dwIndex)
{
    if (dwIndex == 1 || dwIndex == 2)
        WriteFactorySettings(test, members[dwIndex - 1]);
}
