// UPS group run into a report: status rows and bits, counters, readings, a missing export, user and service settings.
#include "groups/TestUPS.h"

#include "support/GroupReport.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

namespace
{

std::string Ups(const std::string& type, const std::string& extra)
{
    return "HardwareValue 28 = u32 1\nHardwareValue 29 = u32 1\nHardwareStringW 30 = str \"" + type +
           "\"\nHardwareValue 36 = u32 0\n" + extra + "\n";
}

// A category's tests as "name=result" (a dump that was read: its name only), or their names or results.
enum EPart { kBoth, kNames, kResults };
std::vector<std::wstring> Results(const CReportOutline& report, const wchar_t* pszCategory, EPart part = kBoth)
{
    std::vector<std::wstring> out;
    for (const CReportTest& t : report.tests)
        if (t.category == pszCategory)
            out.push_back(part == kNames || (part == kBoth && t.name == L"Raw data" && t.status == L"Passed") ? t.name
                          : part == kResults ? t.result : t.name + L"=" + t.result);
    return out;
}

BOOL WINAPI DeleteInsteadOfUpload(const wchar_t* pszPath, DWORD, DWORD, DWORD)
{
    return DeleteFileW(pszPath);
}

const wchar_t kServiceKey[] = L"SYSTEM\\CurrentControlSet\\Services\\UPS\\Config";

const wchar_t* const kRows[] = { L"Power OK", L"On battery", L"Low battery", L"Battery failure", L"Battery settings failure",
                                 L"Battery polarity reversed", L"Factory settings failure", L"User settings failure",
                                 L"Over current alarm", L"Battery temperature alarm" };

}  // namespace

TEST(UpsGroup, StatusRowsByFirmwareText)
{
    const struct { const char* pszType; const char* pszFirmware; size_t nRows; } cases[] = {
        { "UPSI", "str \"1.05\"", 5 }, { "UPSI", "str \"1.08\"", 6 }, { "UPSI", "str \"1.1\"", 6 }, { "UPSI", "str \"1.10\"", 10 },
        { "UPSI", "str \"1.9\"", 10 }, { "UPSI", "fail 31", 5 },
        // Texts that fill the 200 bytes without a terminator are compared within them.
        { "UPSI", "strnt \"1.0\"", 5 }, { "UPSI", "strnt \"1.1\"", 10 },
        { "UPSII", "str \"1.05\"", 10 }, { "upsi", "str \"1.08\"", 6 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.pszType) + c.pszFirmware);
        CReportOutline report = RunGroup<CTestUPS>(
            Ups(c.pszType, std::string("FirmwareStringW 25 = ") + c.pszFirmware + "\nHardwareValue 31 = u32 0"));
        EXPECT_EQ(Results(report, L"Status", kNames), std::vector<std::wstring>(kRows, kRows + c.nRows));
    }
}

TEST(UpsGroup, StatusBitValues)
{
    const DWORD kMasks[] = { 0x0001, 0x0004, 0x0008, 0x0020, 0x0002, 0x0010, 0x0200, 0x0400, 0x0100, 0x8000 };
    for (DWORD word : kMasks)
    {
        SCOPED_TRACE(word);
        CReportOutline report = RunGroup<CTestUPS>(Ups("UPSII", "HardwareValue 31 = u32 " + std::to_string(word)));
        for (size_t i = 0; i < std::size(kRows); ++i)
        {
            const CReportTest& test = report.Test(kRows[i]);
            bool bSet = (word & kMasks[i]) != 0;
            bool bAlarm = i == 0 ? !bSet : bSet && kMasks[i] != 0x0400;
            EXPECT_EQ(test.result + L"/" + test.status, std::wstring(bSet ? L"Yes" : L"No") + (bAlarm ? L"/Alarm" : L"/Passed"))
                << test.name;
        }
    }
}

TEST(UpsGroup, CountersAndReadings)
{
    const struct { const char* pszCounters; std::vector<std::wstring> counters;
                   const char* pszCurrent; const wchar_t* pszAmperes; const char* pszVoltage; const wchar_t* pszVolts; } cases[] = {
        // Halves go away from zero. No requests: no counters; as many errors as requests: no link, not a wrapped number.
        { "u32 0xFFFF0000", {}, "-250", L"-0.3", "0", L"0.0" },
        { "u32 0x0A0A", { L"10", L"10", L"0" }, "125", L"0.13", "250", L"0.3" },
        // A small negative current keeps its sign.
        { "fail 1117", { ErrorText(1117), ErrorText(1117), ErrorText(1117) }, "-1", L"-0.0", "24350", L"24.4" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszCounters);
        CReportOutline report = RunGroup<CTestUPS>(
            Ups("UPSI", std::string("HardwareValue 31 = fail 31\nHardwareValue 36 = ") + c.pszCounters +
                            "\nHardwareValue 32 = i32 " + c.pszCurrent + "\nHardwareValue 33 = u32 " + c.pszVoltage));
        std::vector<std::wstring> status = Results(report, L"Status", kResults);
        EXPECT_EQ(std::vector<std::wstring>(status.begin() + 1, status.end()), c.counters);
        EXPECT_EQ(Results(report, L"Currents"), std::vector<std::wstring>{ std::wstring(L"Battery current=") + c.pszAmperes });
        EXPECT_EQ(Results(report, L"Voltages"), std::vector<std::wstring>{ std::wstring(L"Battery voltage=") + c.pszVolts });
    }
}

TEST(UpsGroup, MissingExportIsNoNotSupported)
{
    // A missing export fails even when the thread's last error is 87 from the read before.
    CReportOutline report = RunGroupWith(Ups("UPSI", "HardwareValue 36 = fail 87"), [](CXmlReport* pReport) {
        auto group = std::make_unique<CTestUPS>(pReport);
        group->m_Library.m_pTivGetFactoryStringW = nullptr;
        return std::unique_ptr<CTest>(std::move(group));
    });
    EXPECT_EQ(Results(report, L"Factory Settings").size(), 8u);
}

TEST(UpsGroup, UserSettingsLeaveNoFile)
{
    const std::string k256 = "UploadFileW 17 = bytes 00 00 00 00 00 00 00 00 2C 01 ";
    const std::wstring kValid = L"Status=Valid", kTime = L"Low battery shutdown time=300";
    CTempDir folder;
    enum { kFolder, kDeleteInsteadOfUpload, kTooLong, kNoUploadExport };
    const struct { std::string extra; std::vector<std::wstring> tests; int nRedirect = kFolder; } cases[] = {
        { k256 + "02 fill 245 00", { kValid, L"Current limitation (8A)=Enabled", L"Over current shutdown action=Perform "
                                     L"'low battery' shutdown (not UL-conform)", kTime, L"Raw data" } },
        { k256 + "03 fill 245 00", { kValid, L"Current limitation (8A)=Disabled", kTime, L"Raw data" } },
        { "UploadFileW 17 = bytes 00 00 00 00 2C 01 00 00", { kValid, kTime, L"Raw data" } },
        { "UploadFileW 17 = bytes fill 100 00", { kValid, L"Raw data" } },
        { "UploadFileW 17 = fail 0", { L"Raw data=" + ErrorText(ERROR_GEN_FAILURE) } },
        { "FirmwareStringW 25 = str \"1.09\"", {} },
        // The file is gone when it is to be read: the open's own error.
        { "UploadFileW 17 = bytes 01", { L"Raw data=" + ErrorText(ERROR_FILE_NOT_FOUND) }, kDeleteInsteadOfUpload },
        { "UploadFileW 17 = bytes 01", { L"Raw data=" + ErrorText(ERROR_FILENAME_EXCED_RANGE) }, kTooLong },
        // No export to upload with: a failure of its own, whatever code the thread holds.
        { "UploadFileW 17 = fail 23", { L"Raw data=" + ErrorText(ERROR_PROC_NOT_FOUND) }, kNoUploadExport },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.extra);
        CReportOutline report = RunGroupWith(
            Ups("UPSII", "HardwareValue 31 = u32 0\nFirmwareStringW 25 = str \"1.10\"\n" + c.extra),
            [&](CXmlReport* pReport) {
                // Redirected only now: the report's own folder is made before.
                std::wstring tmp = folder.Path() + (c.nRedirect == kTooLong ? std::wstring(300, L'd') : L"");
                SetEnvironmentVariableW(L"TMP", tmp.c_str());
                auto group = std::make_unique<CTestUPS>(pReport);
                if (c.nRedirect == kDeleteInsteadOfUpload)
                    group->m_Library.m_pTivUploadFileW = DeleteInsteadOfUpload;
                if (c.nRedirect == kNoUploadExport)
                    group->m_Library.m_pTivUploadFileW = nullptr;
                return std::unique_ptr<CTest>(std::move(group));
            });
        SetEnvironmentVariableW(L"TMP", nullptr);
        EXPECT_EQ(Results(report, L"User Settings"), c.tests);
        EXPECT_TRUE(PathIsDirectoryEmptyW(folder.Path().c_str()));
        // The block's id, and both reserved arguments 0.
        for (const std::string& call : report.calls)
            EXPECT_TRUE(call.rfind("TivUploadFileW(", 0) != 0 || call == "TivUploadFileW(17,0,0)") << call;
    }
}

TEST(UpsGroup, ServiceSettings)
{
    {
        CStagedMachineKey machine;
        EXPECT_EQ(Results(RunGroup<CTestUPS>(Ups("UPSII", "")), L"System Settings"),
                  // The writer drops one final line feed; the carriage return stays.
                  std::vector<std::wstring>{ L"Status=There is no UPS configured in the system.\r" });
    }
    // Wrong types, values too long for their buffers, a short number, missing values.
    CStagedMachineKey machine;
    const DWORD dwShort = 0x0101, dwTwo = 2, dwZero = 0;
    machine.SetString(kServiceKey, L"Vendor", L"Vek", REG_EXPAND_SZ);
    machine.SetString(kServiceKey, L"Model", std::wstring(100, L'm'));
    machine.SetRaw(kServiceKey, L"ShutdownOnBatteryEnable", REG_DWORD, &dwShort, 2);
    machine.SetRaw(kServiceKey, L"ShutdownOnBatteryWait", REG_BINARY, &dwTwo, 4);
    machine.SetRaw(kServiceKey, L"TurnUPSOffEnable", REG_DWORD, &dwZero, 4);
    machine.SetString(kServiceKey, L"VekNotifyEnable", L"too long");
    machine.SetString(kServiceKey, L"VekUseUpsMonitor", std::wstring(1, L'\0'));
    EXPECT_EQ(Results(RunGroup<CTestUPS>(Ups("UPSII", "")), L"System Settings"),
              (std::vector<std::wstring>{
                  L"UPS vendor=(unknown type)", L"UPS model=" + ErrorText(ERROR_MORE_DATA), L"Shutdown on battery=Enabled",
                  L"Shutdown on battery time=(unknown type)", L"Run task=" + ErrorText(2), L"UPS turn off=Disabled",
                  L"Standard notification=" + ErrorText(2), L"Vek notification=" + ErrorText(ERROR_MORE_DATA),
                  L"Show UPS status with Vek UPS Monitor=(unknown type)" }));
}

TEST(UpsGroup, ServiceTimeOnlyAfterShutdownOnBattery)
{
    // The time follows the switch only when that read non-zero; the task follows whatever the time read.
    for (const DWORD dwEnable : { 0u, 1u })
    {
        CStagedMachineKey machine;
        const DWORD dwWait = 0;
        machine.SetRaw(kServiceKey, L"ShutdownOnBatteryEnable", REG_DWORD, &dwEnable, 4);
        machine.SetRaw(kServiceKey, L"ShutdownOnBatteryWait", REG_DWORD, &dwWait, 4);
        std::wstring names;
        for (const std::wstring& name : Results(RunGroup<CTestUPS>(Ups("UPSII", "")), L"System Settings", kNames))
            names += L"|" + name;
        EXPECT_NE(names.find(dwEnable != 0 ? L"|Shutdown on battery|Shutdown on battery time|Run task|"
                                           : L"|Shutdown on battery|Run task|"), std::wstring::npos) << names;
    }
}
