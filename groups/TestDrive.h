// Slide-in drives group: factory settings and temperature of each present drive.
#pragma once

#include "app/GroupBase.h"

class CTestDrive : public CTest
{
public:
    explicit CTestDrive(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;
};
