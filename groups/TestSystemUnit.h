// System-unit group: firmware, factory settings, statistics, temperatures, fans, switches, Kelb slots, CMOS battery.
#pragma once

#include "app/GroupBase.h"

// The text of an FPGA boot status code; only the low byte counts, and codes above 10 give
// "Unknown". The texts are static.
const wchar_t* GetFpgaBootStatusText(DWORD dwCode);

class CTestSystemUnit : public CTest
{
public:
    explicit CTestSystemUnit(CXmlReport* pReport) : CTest(pReport) {}
    void Run() override;

    // Category "Firmware": one subcategory per controller or FPGA of the device type.
    void TestFirmware();
    void TestDrov();
    void TestSmcVersion();
    void TestZuqVersion();
    void TestFpga();
    void TestFpga1();
    void TestLmqLink();
    void TestKelbFpga();

    void TestFactorySettings();
    void TestStatistics();
    void TestTemperatures();
    void TestExtraSensors();
    void TestFans();
    void TestSwitches();
    void TestKelbSlots();
    void TestCmosBattery();

private:
    void TestControllerVersion(size_t nController);
    void TestOnBoardFpga(size_t nFpga);
};
