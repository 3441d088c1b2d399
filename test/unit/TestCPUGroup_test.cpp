// CPU group run into a report: registry identification, categories by type, the WMI path and COM.
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
    const std::wstring mismatch = ErrorText(ERROR_DATATYPE_MISMATCH), missing = ErrorText(ERROR_FILE_NOT_FOUND);
    struct
    {
        std::function<void(CStagedMachineKey&)> stage;
        std::vector<std::wstring> results;  // Name, ID, Vendor, Maximum Speed; empty: no tests
        const char* pszFailed;              // per test: 'F' failed
    } const cases[] = {
        { [&](CStagedMachineKey& key) {
              key.SetString(kKey, L"ProcessorNameString", std::wstring(200, L'n'));
              key.SetRaw(kKey, L"Identifier", REG_SZ, shortId, sizeof shortId);
              key.SetString(kKey, L"VendorIdentifier", L"GenuineVek", REG_EXPAND_SZ);
              key.SetRaw(kKey, L"~MHz", REG_DWORD, &wShortMHz, sizeof wShortMHz);
          },
          { std::wstring(200, L'n'), L"x86", mismatch, L"1600" }, "..F." },
        // A short value first and a longer one after it: each query's size is set afresh.
        { [&](CStagedMachineKey& key) {
              key.SetString(kKey, L"ProcessorNameString", std::wstring(300, L'n'));
              key.SetString(kKey, L"Identifier", L"x86 Family 6 Model 15");
              key.SetString(kKey, L"~MHz", L"1");  // fits 4 bytes, of the wrong type
          },
          { ErrorText(ERROR_MORE_DATA), L"x86 Family 6 Model 15", missing, mismatch }, "F.FF" },
        // Only the name has a text of its own for a missing value.
        { [&](CStagedMachineKey& key) { key.SetString(kKey, L"Identifier", L"x86"); },
          { L"(not available)", L"x86", missing, missing }, "F.FF" },
        { [](CStagedMachineKey&) {}, {}, "" },
    };
    const wchar_t* const names[] = { L"Name", L"ID", L"Vendor", L"Maximum Speed" };
    for (const auto& c : cases)
    {
        CStagedMachineKey machine;
        c.stage(machine);
        CReportOutline report = RunGroup<CTestCPU>("DeviceType = fail 31\n");
        std::vector<std::wstring> expected = { L"G:CPU", L"C:Identification", L"S:CatUndef" };
        for (size_t i = 0; i < c.results.size(); ++i)
        {
            expected.push_back(std::wstring(L"T:") + names[i]);
            EXPECT_EQ(report.Test(names[i]).result, c.results[i]) << names[i];
            EXPECT_EQ(report.Test(names[i]).status, c.pszFailed[i] == 'F' ? L"Failed" : L"Passed") << names[i];
        }
        EXPECT_EQ(report.lines, expected);
    }
}

TEST(CPUGroup, CategoriesAndAlarmByType)
{
    const std::wstring id = L"C:Identification", temps = L"C:Temperatures";
    struct { const char* pszProfile; std::vector<std::wstring> categories; const wchar_t* pszStatus; } const cases[] = {
        { "DeviceType = u32 8\nAlarm 11 = u32 2\n", { id, temps }, L"Alarm" },  // of "Internal"
        { "DeviceType = u32 10\nAlarm 11 = fail 31\n", { id, temps }, L"Passed" },
        { "DeviceType = u32 6\n", { id, temps, L"C:Voltages" }, L"Passed" },
        { "DeviceType = u32 15\n", { id }, nullptr },
        // The temperature's type read is made once; the voltage chain asks again.
        { "DeviceType = fail 31 then u32 6\n", { id, L"C:Voltages" }, nullptr },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszProfile);
        CStagedMachineKey machine;
        CReportOutline report = RunGroup<CTestCPU>(std::string(c.pszProfile) + "Temperature 0 = i8 -10\n");
        std::vector<std::wstring> categories = report.lines;
        std::erase_if(categories, [](const std::wstring& line) { return line[0] != L'C'; });
        EXPECT_EQ(categories, c.categories);
        if (c.pszStatus != nullptr)
        {
            EXPECT_EQ(report.Test(L"Internal").result + L"|" + report.Test(L"Internal").status,
                      std::wstring(L"-10|") + c.pszStatus);
        }
    }
}

TEST(CPUGroup, WmiPathAndCom)
{
    const std::wstring admin = L"Administrative privileges are required to read the CPU temperature via WMI.";
    const std::pair<const char*, std::wstring> cases[] = {
        { "i8 51 wmi", L"51|Passed|DegreeCentigrade" },
        { "fail 1168", admin + L"|Failed|String" },
        // The read's error is taken before switching WMI off, which fails here with its own.
        { "fail 1168\nEnableWmi = fail 5", admin + L"|Failed|String" },
        { "fail 31\nEnableWmi = fail 5", ErrorText(31) + L"|Failed|String" },
    };
    for (const auto& [pszTemperature, expected] : cases)
    {
        SCOPED_TRACE(pszTemperature);
        CStagedMachineKey machine;
        CReportOutline report = RunGroup<CTestCPU>(std::string(kWmiDevice) + "Alarm 11 = u32 1\nTemperature 0 = " +
                                                   pszTemperature + "\n");
        const CReportTest internal = report.Test(L"Internal");
        EXPECT_EQ(internal.result + L"|" + internal.status + L"|" + internal.format, expected);
        std::erase_if(report.calls, [](const std::string& call) {
            return call.rfind("TivEnableWmi", 0) != 0 && call.rfind("TivGetTemperature", 0) != 0 &&
                   call.rfind("TivGetAlarm", 0) != 0;
        });
        EXPECT_EQ(report.calls,
                  (std::vector<std::string>{ "TivEnableWmi(1)", "TivGetTemperature(0,1)", "TivEnableWmi(0)" }));
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

    // Another board on type 13 takes the ordinary path.
    CReportOutline report =
        RunGroup<CTestCPU>("DeviceType = u32 13\nHardwareStringW 16 = str \"QD26\"\nTemperature 0 = i8 40\n");
    EXPECT_EQ(report.Test(L"Internal").result, L"40");
    for (const std::string& call : report.calls)
        EXPECT_NE(call.rfind("TivEnableWmi", 0), 0u) << call;
}
