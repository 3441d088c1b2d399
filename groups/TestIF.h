// IF boards group: factory settings, temperatures and counters of each occupied IF slot.
#pragma once

#include "app/GroupBase.h"

class CTestIF : public CTest
{
public:
    explicit CTestIF(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;
};
