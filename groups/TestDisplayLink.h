// Display-link group: FPGA firmware, factory settings, counters and temperatures of the display link.
#pragma once

#include "app/GroupBase.h"

class CTestDisplayLink : public CTest
{
public:
    explicit CTestDisplayLink(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;

    void TestFirmware();
    void TestFactorySettings();
    void TestStatistics();
    void TestTemperatures();
};
