// General group: user serial id, boot logo and LED, and the key configuration.
#pragma once

#include "app/GroupBase.h"

class CTestGeneral : public CTest
{
public:
    explicit CTestGeneral(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;

    void TestUserSettings();
    void TestUserSerialId();
    void TestUserBootlogo();
    void TestUserLed();
    void TestKeyConfiguration();

private:
    bool HasUserLogoAndLed();
};
