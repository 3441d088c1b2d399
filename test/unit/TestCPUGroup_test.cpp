// CPU group run into a report: registry identification, the type read once, the WMI path and COM.
#include "groups/TestCPU.h"

#include "support/GroupReport.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <functional>

namespace
{

const wchar_t kKey[] = L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
const char kWmiDevice[] = "DeviceType = u32 13\nHardwareStringW 16 = str \"ZLVR 1.6 GHz\"\n";

}  // namespace

TEST(CPUGroup, IdentificationFromTheRegistry)
{
    const wchar_t shortId[] = { L'x', L'8', L'6' };  // no terminator, after a longer value
    const WORD wShortMHz = 1600;
    const std::wstring mismatch = ErrorText(ERROR_DATATYPE_MISMATCH) + L" (failed)",
                       missing = ErrorText(ERROR_FILE_NOT_FOUND) + L" (failed)";
    struct { std::function<void(CStagedMachineKey&)> stage; std::vector<std::wstring> results; } const cases[] = {
        { [&](CStagedMachineKey& key) {
              key.SetString(kKey, L"ProcessorNameString", std::wstring(200, L'n'));
              key.SetRaw(kKey, L"Identifier", REG_SZ, shortId, sizeof shortId);
              key.SetString(kKey, L"VendorIdentifier", L"GenuineVek", REG_EXPAND_SZ);
              key.SetRaw(kKey, L"~MHz", REG_DWORD, &wShortMHz, sizeof wShortMHz);
          },
          { L"Name=" + std::wstring(200, L'n'), L"ID=x86", L"Vendor=" + mismatch, L"Maximum Speed=1600" } },
        // A short value first and a longer one after it: each query's size is set afresh.
        { [&](CStagedMachineKey& key) {
              key.SetString(kKey, L"ProcessorNameString", std::wstring(300, L'n'));
              key.SetString(kKey, L"Identifier", L"x86 Family 6 Model 15");
              key.SetString(kKey, L"~MHz", L"1");  // fits 4 bytes, of the wrong type
          },
          { L"Name=" + ErrorText(ERROR_MORE_DATA) + L" (failed)", L"ID=x86 Family 6 Model 15", L"Vendor=" + missing,
            L"Maximum Speed=" + mismatch } },
        // Only the name has a text of its own for a missing value.
        { [&](CStagedMachineKey& key) { key.SetString(kKey, L"Identifier", L"x86"); },
          { L"Name=(not available) (failed)", L"ID=x86", L"Vendor=" + missing, L"Maximum Speed=" + missing } },
        { [](CStagedMachineKey&) {}, {} },  // no key: no tests
    };
    for (const auto& c : cases)
    {
        CStagedMachineKey machine;
        c.stage(machine);
        CReportOutline report = RunGroup<CTestCPU>("DeviceType = fail 31\n");
        std::vector<std::wstring> results;
        for (const CReportTest& t : report.tests)
            results.push_back(t.name + L"=" + t.result + (t.status == L"Failed" ? L" (failed)" : L""));
        EXPECT_EQ(results, c.results);
    }
}

TEST(CPUGroup, TypeReadOnceForTheTemperature)
{
    // Unreadable at the temperature's check, readable at the voltages' check.
    CStagedMachineKey machine;
    std::vector<std::wstring> categories = RunGroup<CTestCPU>("DeviceType = fail 31 then u32 6\nTemperature 0 = i8 -10\n").lines;
    std::erase_if(categories, [](const std::wstring& line) { return line[0] != L'C'; });
    EXPECT_EQ(categories, (std::vector<std::wstring>{ L"C:Identification", L"C:Voltages" }));
}

TEST(CPUGroup, WmiPathAndCom)
{
    const std::wstring admin = L"Administrative privileges are required to read the CPU temperature via WMI.";
    const std::pair<const char*, std::wstring> cases[] = {
        { "i8 51 wmi", L"51|Passed|DegreeCentigrade" },
        // The read's error is taken before switching WMI off, which fails here with its own.
        { "fail 1168\nEnableWmi = fail 5", admin + L"|Failed|String" },
        { "fail 31\nEnableWmi = fail 5", ErrorText(31) + L"|Failed|String" },
    };
    for (const auto& [pszTemperature, expected] : cases)
    {
        SCOPED_TRACE(pszTemperature);
        CStagedMachineKey machine;
        CReportOutline report = RunGroup<CTestCPU>(std::string(kWmiDevice) + "Temperature 0 = " + pszTemperature + "\n");
        const CReportTest internal = report.Test(L"Internal");
        EXPECT_EQ(internal.result + L"|" + internal.status + L"|" + internal.format, expected);
        std::erase_if(report.calls, [](const std::string& call) {
            return call.rfind("TivEnableWmi", 0) != 0 && call.rfind("TivGetTemperature", 0) != 0;
        });
        EXPECT_EQ(report.calls, (std::vector<std::string>{ "TivEnableWmi(1)", "TivGetTemperature(0,1)", "TivEnableWmi(0)" }));
        // COM was released again: this thread can take any model now.
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        CoUninitialize();
    }

    // A thread already in another COM model: the group's initialisation fails, so it must not
    // release the caller's.
    CStagedMachineKey machine;
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    EXPECT_EQ(RunGroup<CTestCPU>(std::string(kWmiDevice) + "Temperature 0 = i8 51 wmi\n").Test(L"Internal").result, L"51");
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
    CoUninitialize();
    CoUninitialize();
}
