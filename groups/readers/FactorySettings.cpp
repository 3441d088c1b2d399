// Factory-settings reader family: member tables and the one mechanism that writes them.
#include "groups/readers/FactorySettings.h"

#include <iterator>

const wchar_t kCompatibilityDescription[] =
    L"The compatibility ID is used to recognize hardware changes that are important for device "
    L"specific software.";
const wchar_t kParentDeviceDescription[] =
    L"The parent device ID indicates the device, from which the actual device was derived (e.g. "
    L"at a customer specific variant of a standard device). FFFFFFFFh means no parent.";
const wchar_t kParentCompatibilityDescription[] =
    L"The compatibility ID indicates the device, from which the actual device was derived (e.g. "
    L"at a customer specific variant of a standard device). FFFFh means no parent.";

namespace
{

// The descriptions of the ten tests of the regular members; a null one is the member's
// raw-data description.
const wchar_t* const kRegularDescriptions[] = {
    L"", L"Vek = 0.", L"", kCompatibilityDescription, kParentDeviceDescription,
    kParentCompatibilityDescription, L"", L"", L"", nullptr,
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
static_assert(std::size(kDriveDescriptions) == std::size(kRegularDescriptions),
              "one drive description per test");

// The CPU board has no "Raw data" on types 18 and 19.
const CRawSizeRule kCpuBoardRawRules[] = {
    { TypeChain({ 18, 19 }), 0 },
};
// Memory module 1: 128 bytes on type 18, 512 on types 15 to 17, none elsewhere.
const CRawSizeRule kMemoryModule1RawRules[] = {
    { TypeChain({ 18 }), 128 },
    { TypeChain({ 15, 16, 17 }), 512 },
};
// Memory module 2: 128 bytes except on type 19.
const CRawSizeRule kMemoryModule2RawRules[] = {
    { TypeChain({ 19 }), 0 },
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

const CFactoryMember kFactoryBusUnit = {
    .dwBaseId = 85, .dwVersionId = 93, .dwRawId = 94, .dwRawSize = 1024,
    .pszRawDescription = L"Complete factory settings of bus unit."
};
const CFactoryMember kFactoryCpuBoard = {
    .dwBaseId = 45, .dwVersionId = 77, .dwRawId = 81, .dwRawSize = 1536,
    .pszRawDescription = L"Complete factory settings of CPU Board.", .bRevisionAsString = true,
    .versionLeftOutOn = TypeChain({ 18, 19 }), .rawRules = kCpuBoardRawRules
};
const CFactoryMember kFactoryDisplayLink = {
    .dwBaseId = 95, .dwVersionId = 103, .dwRawId = 104, .dwRawSize = 1024,
    .pszRawDescription = L"Complete factory settings of Display Link."
};
const CFactoryMember kFactoryDrives[2] = {
    { .dwBaseId = 135, .dwVersionId = 143, .dwRawId = 144, .dwRawSize = 512,
      .ppszDescriptions = kDriveDescriptions },
    { .dwBaseId = 145, .dwVersionId = 153, .dwRawId = 154, .dwRawSize = 512,
      .ppszDescriptions = kDriveDescriptions },
};
const CFactoryMember kFactoryCaseFanKit = {
    .dwBaseId = 125, .dwVersionId = 133, .dwRawId = 134, .dwRawSize = 512,
    .pszRawDescription = L"Complete factory settings of fan kit."
};
const CFactoryMember kFactoryBusFanKit = {
    .dwBaseId = 155, .dwVersionId = 163, .dwRawId = 164, .dwRawSize = 384,
    .pszRawDescription = L"Complete factory settings of fan kit."
};
const CFactoryMember kFactoryIfBoards[2] = {
    { .dwBaseId = 53, .dwVersionId = 78, .dwRawId = 82, .dwRawSize = 1024,
      .pszRawDescription = L"Complete factory settings of IF Board." },
    { .dwBaseId = 105, .dwVersionId = 113, .dwRawId = 114, .dwRawSize = 1024,
      .pszRawDescription = L"Complete factory settings of IF Board." },
};
const CFactoryMember kFactoryIoBoard = {
    .dwBaseId = 61, .dwVersionId = 79, .dwRawId = 83, .dwRawSize = 1024,
    .pszRawDescription = L"Complete factory settings of I/O Board."
};
const CFactoryMember kFactoryMemoryModules[2] = {
    { .dwBaseId = 69, .dwVersionId = 80, .dwRawId = 84, .dwRawSize = 0,
      .pszRawDescription = kMemoryRawDescription, .bRevisionAsString = true,
      .versionLeftOutOn = TypeChain({ 19 }), .rawRules = kMemoryModule1RawRules },
    { .dwBaseId = 115, .dwVersionId = 123, .dwRawId = 124, .dwRawSize = 128,
      .pszRawDescription = kMemoryRawDescription, .bRevisionAsString = true,
      .versionLeftOutOn = TypeChain({ 19 }), .rawRules = kMemoryModule2RawRules },
};

void WriteFactorySettings(CTest& test, const CFactoryMember& member)
{
    const DWORD b = member.dwBaseId;
    const wchar_t* const* d =
        member.ppszDescriptions != nullptr ? member.ppszDescriptions : kRegularDescriptions;
    const CRow identity[] = {
        { .name = L"Version", .description = d[0], .kind = ERowKind::kText, .read = kFactoryValue,
          .id = member.dwVersionId, .size = kStringBytes,
          .gate = { CTypeGate::kNotOn, member.versionLeftOutOn } },
        { .name = L"Vendor ID", .description = d[1], .read = kFactoryValue, .id = b + 2,
          .format = L"%08X", .code = kFormatHex },
        { .name = L"Device ID", .description = d[2], .read = kFactoryValue, .id = b,
          .format = L"%08X", .code = kFormatHex },
        { .name = L"Compatibility ID", .description = d[3], .read = kFactoryValue, .id = b + 1,
          .size = 2, .format = L"%04X", .code = kFormatHex },
        { .name = L"Parent Device ID", .description = d[4], .read = kFactoryValue, .id = b + 6,
          .format = L"%08X", .code = kFormatHex },
        { .name = L"Parent Compatibility ID", .description = d[5], .read = kFactoryValue,
          .id = b + 7, .size = 2, .format = L"%04X", .code = kFormatHex },
        { .name = L"Hardware revision", .description = d[6], .kind = ERowKind::kText,
          .read = member.bRevisionAsString ? kFactoryString : kFactoryValue, .id = b + 3,
          .size = kStringBytes },
        { .name = L"Serial number", .description = d[7], .kind = ERowKind::kText,
          .read = kFactoryString, .id = b + 4, .size = kStringBytes },
        { .name = L"Model number", .description = d[8], .kind = ERowKind::kText,
          .read = kFactoryString, .id = b + 5, .size = kStringBytes },
    };
    WriteRows(test, identity);

    // The raw block's size may depend on the type, asked only now; 0 leaves the test out.
    const DWORD dwRawSize = RawSize(test.m_Library, member);
    if (dwRawSize == 0)
        return;
    WriteRow(test, { .name = L"Raw data",
                     .description = d[9] != nullptr ? d[9] : member.pszRawDescription,
                     .kind = ERowKind::kRaw, .read = kFactoryValue, .id = member.dwRawId,
                     .size = dwRawSize, .code = kFormatRaw });
}

void WriteFactorySettings(CTest& test, const CFactoryMember (&members)[2], DWORD dwIndex)
{
    if (dwIndex == 1 || dwIndex == 2)
        WriteFactorySettings(test, members[dwIndex - 1]);
}
