// Panels group: the walk over the connected panels with their gates; status, link and factory settings.
#include "groups/TestPanel.h"

#include "framework/Text.h"
#include "groups/readers/FactorySettings.h"
#include "groups/readers/Rows.h"
#include "groups/readers/Statistics.h"
#include "groups/readers/TemperatureFan.h"

namespace
{

const DWORD kLastPanel = 15;
const wchar_t kManualSubCategories[] = L"MANUALSUBCATS";

// When a panel subcategory is written: never on the device types of the chain, then the rules
// for the two panels that differ (panel 15, and panel 0 of types 15 to 17).
struct CPanelGate
{
    enum EPanel15
    {
        kPanel15Too,
        kNoPanel15,
        kPanel15On19And21,
    };
    CTypeChain notOn;
    EPanel15 panel15;
    bool bNotOnPanel0Of15To17;
};

bool PassesPanelGate(CTivLibrary& library, const CPanelGate& gate, DWORD dwPanel)
{
    if (!IsNotDeviceTypeIn(library, gate.notOn))
        return false;
    if (dwPanel == kLastPanel && gate.panel15 == CPanelGate::kNoPanel15)
        return false;
    if (dwPanel == kLastPanel && gate.panel15 == CPanelGate::kPanel15On19And21)
        return IsDeviceTypeIn(library, { 19, 21 });
    return !(gate.bNotOnPanel0Of15To17 && dwPanel == 0 && IsDeviceTypeIn(library, { 15, 16, 17 }));
}

const CPanelGate kStatusGate = { TypeChain({ 4, 5, 9, 11 }), CPanelGate::kPanel15Too, false };
const CPanelGate kLinkGate = { TypeChain({ 4, 5, 8, 9, 10, 11 }), CPanelGate::kNoPanel15, true };

// The subcategories after "Status", in report order. An empty chain reads no type.
struct CPanelPart
{
    const wchar_t* pszName;
    CPanelGate gate;
    void (*pfnTest)(CTestPanel& panel, DWORD dwPanel);
};

const CPanelPart kPanelParts[] = {
    { L"Link", kLinkGate, [](CTestPanel& panel, DWORD) { panel.TestLink(); } },
    { L"Factory Settings",
      { TypeChain({ 4, 5, 8, 9, 11 }), CPanelGate::kPanel15On19And21, true },
      [](CTestPanel& panel, DWORD) { panel.TestFactorySettings(); } },
    { L"Statistics",
      { TypeChain({ 4, 5, 8, 9, 11 }), CPanelGate::kPanel15On19And21, false },
      [](CTestPanel& panel, DWORD dwPanel) { panel.TestStatistics(dwPanel); } },
    { L"Temperature",
      { TypeChain({ 4, 5, 8, 9, 11 }), CPanelGate::kPanel15On19And21, true },
      [](CTestPanel& panel, DWORD dwPanel) { panel.TestTemperature(dwPanel); } },
    { L"Fans", { TypeChain({ 4, 5, 8, 9, 11 }), CPanelGate::kNoPanel15, true },
      [](CTestPanel& panel, DWORD dwPanel) { panel.TestFans(dwPanel); } },
    { L"Display Settings", { {}, CPanelGate::kPanel15Too, false },
      [](CTestPanel& panel, DWORD dwPanel) { panel.TestDisplaySettings(dwPanel); } },
    { L"Keys", { {}, CPanelGate::kPanel15Too, false },
      [](CTestPanel& panel, DWORD) { panel.TestKeys(); } },
    { L"LEDs", { {}, CPanelGate::kPanel15Too, false },
      [](CTestPanel& panel, DWORD) { panel.TestLeds(); } },
};

// The handheld's operating elements, each in a category with the writer's own subcategory.
struct CElementCategory
{
    const wchar_t* pszName;
    void (CTestPanel::*pfnTest)();
};

const CElementCategory kElementCategories[] = {
    { L"Switches", &CTestPanel::TestSwitches },
    { L"Handwheel", &CTestPanel::TestHandwheel },
    { L"Joystick", &CTestPanel::TestJoystick },
    { L"Override Potentiometer", &CTestPanel::TestOverridePotentiometer },
};

const CRow kLinked = { .name = L"Linked", .kind = ERowKind::kWords, .read = kHardwareValue,
                       .id = 13, .code = kFormatYesNo, .words = kYesWords };
const CRow kLocked = { .name = L"Locked", .kind = ERowKind::kWords, .read = kHardwareValue,
                       .id = 14, .code = kFormatYesNo, .words = kYesWords };
const CRow kLockTime = { .name = L"Lock time", .read = &CTivLibrary::m_pTivGetPanelLockTime,
                         .code = kFormatMilliSeconds, .gate = NotOn({ 8, 10 }) };

const CRow kLink[] = {
    { .name = L"Type", .kind = ERowKind::kText, .read = kHardwareString, .id = 17,
      .size = kStringBytes },
    { .name = L"FPGA version", .kind = ERowKind::kText, .read = kFirmwareString, .id = 20,
      .size = kStringBytes },
};

// The panel's own factory settings: no version and no parents, ids as text with an "h".
const CRow kFactorySettings[] = {
    { .name = L"Vendor ID", .description = L"Vek = 0.", .read = kFactoryValue, .id = 27,
      .format = L"%08Xh" },
    { .name = L"Device ID", .read = kFactoryValue, .id = 25, .format = L"%08Xh" },
    { .name = L"Compatibility ID",
      .description = kCompatibilityDescription,
      .read = kFactoryValue, .id = 26, .size = 2, .format = L"%04Xh" },
    { .name = L"Hardware revision", .kind = ERowKind::kText, .read = kFactoryString, .id = 28,
      .size = kStringBytes },
    { .name = L"Serial number", .kind = ERowKind::kText, .read = kFactoryString, .id = 29,
      .size = kStringBytes },
    { .name = L"Model number", .kind = ERowKind::kText, .read = kFactoryString, .id = 30,
      .size = kStringBytes },
    { .name = L"Raw data", .description = L"Complete factory settings of the Lumeq.",
      .kind = ERowKind::kRaw, .read = kFactoryValue, .id = 18, .size = 256,
      .code = kFormatRaw },
};

}  // namespace

void CTestPanel::Run()
{
    DWORD dwFirst = 0;
    if (!m_Library.FindFirstPanel(&dwFirst))
        return;
    m_pReport->BeginTestGroup(L"Panels",
                              L"Contains tests of panel related items like brightness or "
                              L"resolution.",
                              StrFormat(L"Panel %d", dwFirst).c_str(), kManualSubCategories);
    // Panels below the first are not asked again. Each panel is finished before the next
    // index is examined, since IsPanelConnected moves the library's selection.
    for (DWORD dwPanel = dwFirst; dwPanel <= kLastPanel; ++dwPanel)
    {
        if (!m_Library.IsPanelConnected(dwPanel))
            continue;
        if (dwPanel != dwFirst)
            m_pReport->NextCategory(StrFormat(L"Panel %d", dwPanel).c_str(), kManualSubCategories);
        TestPanel(dwPanel);
    }
    if (IsDeviceTypeIn(m_Library, { 9, 11 }))
    {
        for (const CElementCategory& category : kElementCategories)
        {
            m_pReport->NextCategory(category.pszName, nullptr);
            (this->*category.pfnTest)();
        }
    }
    m_pReport->EndTestGroup();
}

void CTestPanel::TestPanel(DWORD dwPanel)
{
    if (PassesPanelGate(m_Library, kStatusGate, dwPanel))
    {
        m_pReport->NextSubCategory(L"Status");
        if (!TestStatus())
            return;
    }
    for (const CPanelPart& part : kPanelParts)
    {
        if (!PassesPanelGate(m_Library, part.gate, dwPanel))
            continue;
        m_pReport->NextSubCategory(part.pszName);
        part.pfnTest(*this, dwPanel);
    }
}

bool CTestPanel::HasLink(DWORD dwPanel)
{
    return PassesPanelGate(m_Library, kLinkGate, dwPanel);
}

bool CTestPanel::WriteRowAndKeep(const CRow& row, DWORD& dwValue)
{
    dwValue = 0;
    bool bOk = false;
    BeginFirstTest(*this, row.name, row.description, [&] {
        DWORD dwRead = 0;
        DWORD dwError = 0;
        if (!CallReader(m_Library, row.read, row.id, &dwRead, row.size, dwError))
            return Failure(dwError);
        dwValue = dwRead;
        bOk = true;
        if (row.kind == ERowKind::kWords)
            return Value(dwRead != 0 ? row.words.nonZero : row.words.zero, row.code);
        return Value(StrFormat(row.format, dwRead), row.code);
    });
    return bOk;
}

BOOL CTestPanel::TestStatus()
{
    // A failed read counts as not linked, whatever the library left in the value.
    DWORD dwLinked = 0;
    WriteRowAndKeep(kLinked, dwLinked);
    if (dwLinked == 0)
        return FALSE;
    WriteRow(*this, kLocked);
    WriteRow(*this, kLockTime);
    return TRUE;
}

void CTestPanel::TestLink()
{
    WriteRows(*this, kLink);
}

void CTestPanel::TestFactorySettings()
{
    WriteRows(*this, kFactorySettings);
}

void CTestPanel::TestStatistics(DWORD dwPanel)
{
    WriteStatistics(*this, kStatisticsPanel, dwPanel);
}

void CTestPanel::TestTemperature(DWORD dwPanel)
{
    WriteSensors(*this, kTemperaturePanel, dwPanel);
}

void CTestPanel::TestFans(DWORD dwPanel)
{
    WriteSensors(*this, kFanSpeedPanel, dwPanel);
}
