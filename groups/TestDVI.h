// DVI group: per DVI channel its port, the connected panel, and that panel's display data.
#pragma once

#include "app/GroupBase.h"

class CTestDVI : public CTest
{
public:
    explicit CTestDVI(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;

    // Channel 1 or 2; any other channel writes nothing.
    void TestPortInformation(int nChannel);
    void TestDviSettings(int nChannel);
};
