// Fan kits group: factory settings, counters and fan speeds of the case and bus fan kits.
#pragma once

#include "app/GroupBase.h"

class CTestFanKit : public CTest
{
public:
    explicit CTestFanKit(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;
};
