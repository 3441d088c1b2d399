// Bus-unit group: the bus unit's factory settings and counters, on the device types that carry one.
#pragma once

#include "app/GroupBase.h"

class CTestBusUnit : public CTest
{
public:
    explicit CTestBusUnit(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;

    void TestFactorySettings();
    void TestStatistics();
};
