// BIOS group: firmware version and build date, the registry BIOS id, the BIOS boot area.
#pragma once

#include "app/GroupBase.h"

class CTestBios : public CTest
{
public:
    explicit CTestBios(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;
};
