// CPU-board group: the board type, and by device type its factory settings, counters, temperatures and voltages.
#pragma once

#include "app/GroupBase.h"

class CTestCPUBoard : public CTest
{
public:
    explicit CTestCPUBoard(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;

    void TestType();
    void TestFactorySettings();
    void TestStatistics();
    void TestTemperatures();
    void TestVoltages();
    void TestPower();

private:
    bool HasTemperatures();
};
