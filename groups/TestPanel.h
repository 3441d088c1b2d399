// Panels group: one category per connected panel, and the handheld's operating elements.
#pragma once

#include "app/GroupBase.h"

struct CRow;

class CTestPanel : public CTest
{
public:
    explicit CTestPanel(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;

    // The sub-tests of the selected panel (those without an index read whichever panel
    // IsPanelConnected selected last). TestStatus is TRUE when the panel is linked.
    BOOL TestStatus();
    void TestLink();
    void TestFactorySettings();
    void TestStatistics(DWORD dwPanel);
    void TestTemperature(DWORD dwPanel);
    void TestFans(DWORD dwPanel);
    void TestDisplaySettings(DWORD dwPanel);
    void TestKeys();
    void TestLeds();

    // The handheld's operating elements (device types 9 and 11).
    void TestSwitches();
    void TestHandwheel();
    void TestJoystick();
    void TestOverridePotentiometer();

private:
    void TestPanel(DWORD dwPanel);
    // The gate of "Link", shared by the equalizer.
    bool HasLink(DWORD dwPanel);
    // A begin-first number or yes/no row whose value decides what follows: dwValue is the
    // number read, 0 after a failed read. Returns whether the read succeeded.
    bool WriteRowAndKeep(const CRow& row, DWORD& dwValue);
};
