// UPS group: type and firmware, status word, module and battery settings, user and service settings, battery readings.
#pragma once

#include <string>

#include "app/GroupBase.h"

// The module generation, from the type string that the library reports.
const DWORD kUpsTypeI = 0;        // "UPSI"
const DWORD kUpsTypeII = 1;       // "UPSII"
const DWORD kUpsTypeUnknown = 2;  // not read, or a text of neither: no generation's own tests

class CTestUPS : public CTest
{
public:
    explicit CTestUPS(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;

    void TestFirmware();
    void TestStatus();
    void TestFactorySettings();
    void TestBatterySettings();
    void TestUserSettings();
    void TestSystemSettings();
    void TestTemperatures();
    void TestCurrents();
    void TestVoltages();
    void TestStatistics();

    DWORD m_dwUpsType = kUpsTypeUnknown;

private:
    // The firmware version text as the gates compare it; false when it cannot be read.
    bool ReadFirmwareText(std::wstring& text);
    void TestCounters();
    // Uploads the user settings block into a temporary file and reads it back: 0, or the error
    // of the first call that failed. The file is gone again when this returns.
    DWORD UploadUserSettings(BYTE (&block)[256], DWORD& dwCount);
};
