// CPU group: the processor's identification from the registry, its temperature and core voltages.
#pragma once

#include "app/GroupBase.h"
#include "groups/readers/Reading.h"

class CTestCPU : public CTest
{
public:
    explicit CTestCPU(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;

    void TestIdentification();
    void TestTemperature();
    void TestVoltages();

private:
    CReading ReadTemperature();
    CReading ReadTemperatureThroughWmi();
};
