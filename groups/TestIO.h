// I/O board group: FPGA firmware, factory settings, temperatures and counters of the I/O board.
#pragma once

#include "app/GroupBase.h"

class CTestIO : public CTest
{
public:
    explicit CTestIO(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;

    void TestFirmware();
    void TestFactorySettings();
    void TestTemperatures();
    void TestStatistics();
};
