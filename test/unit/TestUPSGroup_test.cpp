// UPS group run into a report: categories by module kind, status word, counters, readings, user and service settings.
#include "groups/TestUPS.h"

#include "support/GroupReport.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

std::string Ups(const std::string& type, const std::string& extra)
{
    return "HardwareValue 28 = u32 1\nHardwareValue 29 = u32 1\nHardwareStringW 30 = " + type +
           "\n" + extra;
}

std::vector<std::wstring> Filtered(const std::vector<std::wstring>& lines, const wchar_t* pszPrefix)
{
    std::vector<std::wstring> out;
    for (const std::wstring& line : lines)
    {
        if (line.rfind(pszPrefix, 0) == 0)
            out.push_back(line.substr(2));
    }
    return out;
}

// Redirects this process's temporary folder; Files() lists what lies in it.
class CTempFolder
{
public:
    explicit CTempFolder(const std::wstring& path) { SetEnvironmentVariableW(L"TMP", path.c_str()); }
    ~CTempFolder() { SetEnvironmentVariableW(L"TMP", nullptr); }
    static size_t Files(const CTempDir& dir)
    {
        WIN32_FIND_DATAW data;
        HANDLE h = FindFirstFileW(dir.File(L"*").c_str(), &data);
        size_t n = 0;
        for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &data))
            n += wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0;
        if (h != INVALID_HANDLE_VALUE)
            FindClose(h);
        return n;
    }
};

BOOL WINAPI DeleteInsteadOfUpload(const wchar_t* pszPath, DWORD, DWORD, DWORD)
{
    return DeleteFileW(pszPath);
}

const std::vector<std::wstring> kStatusRows = {
    L"Power OK", L"On battery", L"Low battery", L"Battery failure", L"Battery settings failure",
    L"Battery polarity reversed", L"Factory settings failure", L"User settings failure",
    L"Over current alarm", L"Battery temperature alarm",
};

}  // namespace

TEST(UpsGroup, CategoriesByModuleKind)
{
    const std::vector<std::wstring> common = { L"User Settings", L"System Settings", L"Temperatures",
                                               L"Currents", L"Voltages" };
    auto with = [&](std::vector<std::wstring> head, std::vector<std::wstring> tail) {
        head.insert(head.end(), common.begin(), common.end());
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    struct
    {
        std::string profile;
        std::vector<std::wstring> categories, firmware;
    } const cases[] = {
        { Ups("str \"UPSI\"", ""),
          with({ L"Firmware", L"Status", L"Factory Settings", L"Battery Settings" }, {}),
          { L"Type", L"Firmware version" } },
        { Ups("str \"UPSI\"", "FactoryStringW 34 = fail 87\nFirmwareStringW 25 = fail 87\n"),
          with({ L"Firmware", L"Status", L"Battery Settings" }, {}), { L"Type" } },
        { Ups("str \"UPSII\"", ""), with({ L"Firmware", L"Status" }, { L"Statistics" }), { L"Type" } },
        { Ups("str \"upsi\"", ""), with({ L"Firmware", L"Status" }, {}), { L"Type" } },
        { Ups("fail 31", ""), with({ L"Firmware", L"Status" }, {}), { L"Type" } },
        { "HardwareValue 28 = u32 1\nHardwareValue 29 = u32 0\n", {}, {} },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.profile);
        CReportOutline report = RunGroup<CTestUPS>(c.profile);
        EXPECT_EQ(Filtered(report.lines, L"C:"), c.categories);
        EXPECT_EQ(Filtered(report.Section(L"C:Firmware", L"C:"), L"T:"), c.firmware);
    }
}

TEST(UpsGroup, StatusRowsByFirmwareText)
{
    struct
    {
        const char* pszType;
        const char* pszFirmware;
        size_t nRows;
    } const cases[] = {
        { "\"UPSI\"", "str \"1.05\"", 5 }, { "\"UPSI\"", "str \"1.08\"", 6 },
        { "\"UPSI\"", "str \"1.09\"", 6 }, { "\"UPSI\"", "str \"1.1\"", 6 },
        { "\"UPSI\"", "str \"1.10\"", 10 }, { "\"UPSI\"", "str \"1.20\"", 10 },
        { "\"UPSI\"", "str \"1.9\"", 10 }, { "\"UPSI\"", "fail 31", 5 },
        // Texts that fill the 200 bytes without a terminator are compared within them.
        { "\"UPSI\"", "strnt \"1.0\"", 5 }, { "\"UPSI\"", "strnt \"1.1\"", 10 },
        { "\"UPSII\"", "str \"1.05\"", 10 }, { "\"UPSX\"", "str \"1.08\"", 6 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.pszType) + c.pszFirmware);
        CReportOutline report = RunGroup<CTestUPS>(
            Ups(std::string("str ") + c.pszType, std::string("FirmwareStringW 25 = ") +
                                                     c.pszFirmware + "\nHardwareValue 31 = u32 0\nHardwareValue 36 = u32 0\n"));
        std::vector<std::wstring> rows = Filtered(report.Section(L"C:Status", L"C:"), L"T:");
        EXPECT_EQ(rows, std::vector<std::wstring>(kStatusRows.begin(), kStatusRows.begin() + c.nRows));
        bool bSecondKind = std::string(c.pszType) == "\"UPSII\"";
        EXPECT_EQ(std::count(report.calls.begin(), report.calls.end(), "TivGetFirmwareStringW(25,200)"),
                  bSecondKind ? 1 : 2);  // the user settings read it again
    }
}

TEST(UpsGroup, StatusBitValues)
{
    const DWORD kMasks[] = { 0x0001, 0x0004, 0x0008, 0x0020, 0x0002,
                             0x0010, 0x0200, 0x0400, 0x0100, 0x8000 };
    for (DWORD word : { 0x0u, 0xFFFFFFFFu, 0x0001u, 0x0004u, 0x0008u, 0x0020u, 0x0002u, 0x0010u,
                        0x0200u, 0x0400u, 0x0100u, 0x8000u })
    {
        SCOPED_TRACE(word);
        CReportOutline report = RunGroup<CTestUPS>(
            Ups("str \"UPSII\"", "HardwareValue 31 = u32 " + std::to_string(word) + "\n"));
        for (size_t i = 0; i < kStatusRows.size(); ++i)
        {
            const CReportTest& test = report.Test(kStatusRows[i]);
            bool bSet = (word & kMasks[i]) != 0;
            bool bAlarm = kStatusRows[i] == L"Power OK" ? !bSet
                                                         : bSet && kStatusRows[i] != L"User settings failure";
            EXPECT_EQ(test.result, bSet ? L"Yes" : L"No") << test.name;
            EXPECT_EQ(test.status, bAlarm ? L"Alarm" : L"Passed") << test.name;
            EXPECT_EQ(test.format, L"YesNo");
        }
    }
}

TEST(UpsGroup, CommunicationCounters)
{
    struct
    {
        const char* pszCounters;
        std::vector<std::wstring> results;
    } const cases[] = {
        { "u32 0x0003C8", { L"200", L"3", L"99" } },
        { "u32 0xFFFF0000", {} },
        { "u32 0x0A0A", { L"10", L"10", L"0" } },
        // More errors than requests: no wrapped number.
        { "u32 0xFF02", { L"2", L"255", L"0" } },
        { "fail 1117", { ErrorText(1117), ErrorText(1117), ErrorText(1117) } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszCounters);
        CReportOutline report = RunGroup<CTestUPS>(Ups(
            "str \"UPSI\"", std::string("HardwareValue 31 = fail 31\nHardwareValue 36 = ") + c.pszCounters + "\n"));
        std::vector<std::wstring> results;
        for (const CReportTest& test : report.tests)
        {
            if (test.category == L"Status" && test.name != L"Status")
                results.push_back(test.result);
        }
        EXPECT_EQ(results, c.results);
        if (!c.results.empty())
        {
            EXPECT_EQ(report.Test(L"Link quality").format,
                      c.results[0] == ErrorText(1117) ? L"String" : L"Percent");
        }
    }
}

TEST(UpsGroup, CurrentAndVoltageTexts)
{
    struct
    {
        const char* pszCurrent;
        const wchar_t* pszAmperes;
        const char* pszVoltage;
        const wchar_t* pszVolts;
    } const cases[] = {
        { "-1500", L"-1.5", "24300", L"24.3" }, { "1500", L"1.50", "0", L"0.0" },
        // Halves go away from zero; a small negative current keeps its sign.
        { "125", L"0.13", "250", L"0.3" }, { "-250", L"-0.3", "4294967295", L"4294967.5" },
        { "-1", L"-0.0", "24350", L"24.4" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszCurrent);
        CReportOutline report = RunGroup<CTestUPS>(
            Ups("str \"UPSII\"", std::string("HardwareValue 32 = i32 ") + c.pszCurrent +
                                      "\nHardwareValue 33 = u32 " + c.pszVoltage + "\n"));
        EXPECT_EQ(report.Test(L"Battery current").result, c.pszAmperes);
        EXPECT_EQ(report.Test(L"Battery current").format, L"Ampere");
        EXPECT_EQ(report.Test(L"Battery voltage").result, c.pszVolts);
        EXPECT_EQ(report.Test(L"Battery voltage").format, L"Volt");
    }
}

TEST(UpsGroup, SettingsNotSupported)
{
    // Error 87 leaves a battery test out; any other failure is written. A missing export is a
    // failure even when the thread's last error is 87.
    CReportOutline report = RunGroup<CTestUPS>(
        Ups("str \"UPSI\"", "FactoryValue 42 = fail 87\nFactoryValue 43 = fail 1117\n"
                            "FactoryValue 44 = fail 87\nFactoryValue 41 = bytes 01\n"));
    EXPECT_EQ(Filtered(report.Section(L"C:Battery Settings", L"C:"), L"T:"),
              (std::vector<std::wstring>{ L"Status", L"Device ID", L"Raw data" }));
    auto battery = std::find_if(report.tests.begin(), report.tests.end(), [](const CReportTest& t) {
        return t.category == L"Battery Settings" && t.name == L"Device ID";
    });
    ASSERT_NE(battery, report.tests.end());
    EXPECT_EQ(battery->result, ErrorText(1117));

    CReportOutline unbound = RunGroupWith(
        Ups("str \"UPSI\"", "HardwareValue 36 = fail 87\n"), [](CXmlReport* pReport) {
            auto group = std::make_unique<CTestUPS>(pReport);
            group->m_Library.m_pTivGetFactoryStringW = nullptr;
            return std::unique_ptr<CTest>(std::move(group));
        });
    EXPECT_EQ(Filtered(unbound.Section(L"C:Factory Settings", L"C:"), L"T:").size(), 8u);
    EXPECT_EQ(unbound.Test(L"Version").status, L"Failed");
}

// A category's tests as "name=result" (a dump that was read: its name only).
std::vector<std::wstring> Results(const CReportOutline& report, const wchar_t* pszCategory = L"User Settings")
{
    std::vector<std::wstring> out;
    for (const CReportTest& test : report.tests)
    {
        if (test.category == pszCategory)
            out.push_back(test.name == L"Raw data" && test.status == L"Passed" ? test.name
                                                                                : test.name + L"=" + test.result);
    }
    return out;
}

TEST(UpsGroup, UserSettingsBlock)
{
    const std::string k256 = "UploadFileW 17 = bytes 00 00 00 00 00 00 00 00 2C 01 ";
    const std::wstring kTime = L"Low battery shutdown time=300";
    struct
    {
        std::string extra;
        std::vector<std::wstring> tests;
    } const cases[] = {
        { k256 + "00 fill 245 00", { L"Status=Valid", L"Current limitation (8A)=Enabled",
                                     L"Over current shutdown action=Turn off within 1 minute (UL-conform)", kTime,
                                     L"Raw data" } },
        { k256 + "02 fill 245 00", { L"Status=Valid", L"Current limitation (8A)=Enabled",
                                     L"Over current shutdown action=Perform 'low battery' shutdown (not UL-conform)",
                                     kTime, L"Raw data" } },
        { k256 + "01 fill 245 00", { L"Status=Valid", L"Current limitation (8A)=Disabled", kTime, L"Raw data" } },
        { k256 + "03 fill 245 00", { L"Status=Valid", L"Current limitation (8A)=Disabled", kTime, L"Raw data" } },
        { "UploadFileW 17 = bytes 00 00 00 00 2C 01 00 00", { L"Status=Valid", kTime, L"Raw data" } },
        { "UploadFileW 17 = bytes fill 100 00", { L"Status=Valid", L"Raw data" } },
        { "UploadFileW 17 = fail 23", { L"Status=Invalid" } },
        { "UploadFileW 17 = fail 1117", { L"Raw data=" + ErrorText(1117) } },
        { "HardwareValue 31 = u32 0x0400", { L"Status=Invalid" } },
        { "HardwareValue 31 = fail 1117", { L"Status=" + ErrorText(1117) } },
        { "FirmwareStringW 25 = str \"1.09\"", {} },
    };
    CTempDir folder;
    CTempFolder redirect(folder.Path());
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.extra);
        CReportOutline report = RunGroup<CTestUPS>(Ups(
            "str \"UPSII\"", "HardwareValue 31 = u32 0\nFirmwareStringW 25 = str \"1.10\"\n" + c.extra + "\n"));
        EXPECT_EQ(Results(report), c.tests);
        EXPECT_EQ(CTempFolder::Files(folder), 0u);
    }
}

TEST(UpsGroup, UserSettingsFileFailures)
{
    CTempDir folder;
    struct
    {
        std::wstring tmp;
        bool bStub;
        DWORD dwError;
    } const cases[] = {
        // The file is gone when it is to be read: the open's own error.
        { folder.Path(), true, ERROR_FILE_NOT_FOUND },
        { folder.Path() + L"\\" + std::wstring(300, L'd'), false, ERROR_FILENAME_EXCED_RANGE },
    };
    for (const auto& c : cases)
    {
        CReportOutline report = RunGroupWith(
            Ups("str \"UPSII\"", "HardwareValue 31 = u32 0\nUploadFileW 17 = bytes 01 02\n"),
            [&](CXmlReport* pReport) {
                // Redirected only now: the report's own folder is made before.
                SetEnvironmentVariableW(L"TMP", c.tmp.c_str());
                auto group = std::make_unique<CTestUPS>(pReport);
                if (c.bStub)
                    group->m_Library.m_pTivUploadFileW = DeleteInsteadOfUpload;
                return std::unique_ptr<CTest>(std::move(group));
            });
        SetEnvironmentVariableW(L"TMP", nullptr);
        EXPECT_EQ(Results(report), std::vector<std::wstring>{ L"Raw data=" + ErrorText(c.dwError) });
        EXPECT_EQ(CTempFolder::Files(folder), 0u);
    }
}

TEST(UpsGroup, ServiceSettings)
{
    const std::wstring kKey = L"SYSTEM\\CurrentControlSet\\Services\\UPS\\Config";
    const std::string kUps = Ups("str \"UPSII\"", "");
    {
        CStagedMachineKey machine;
        CReportOutline report = RunGroup<CTestUPS>(kUps);
        const CReportTest& status = *std::find_if(report.tests.begin(), report.tests.end(), [](auto& t) {
            return t.category == L"System Settings";
        });
        EXPECT_EQ(status.category + L"/" + status.name + L"/" + status.status, L"System Settings/Status/Passed");
        // The writer drops one final line feed; the carriage return stays.
        EXPECT_EQ(status.result, L"There is no UPS configured in the system.\r");
    }
    auto number = [&](CStagedMachineKey& machine, const wchar_t* pszName, DWORD dwValue,
                      DWORD dwType = REG_DWORD, DWORD cb = 4) {
        machine.SetRaw(kKey, pszName, dwType, &dwValue, cb);
    };
    {
        CStagedMachineKey machine;
        machine.SetString(kKey, L"Vendor", L"Vek");
        machine.SetString(kKey, L"Model", L"TVX");
        number(machine, L"ShutdownOnBatteryEnable", 1);
        number(machine, L"ShutdownOnBatteryWait", 2);
        machine.SetString(kKey, L"TaskName", L"");
        number(machine, L"TurnUPSOffEnable", 0);
        number(machine, L"TurnUPSOffWait", 60);
        number(machine, L"NotifyEnable", 1);
        number(machine, L"VekUseUpsMonitor", 1);
        EXPECT_EQ(Results(RunGroup<CTestUPS>(kUps), L"System Settings"),
                  (std::vector<std::wstring>{ L"UPS vendor=Vek", L"UPS model=TVX", L"Shutdown on battery=Enabled",
                                              L"Shutdown on battery time=2", L"Run task=", L"UPS turn off=Disabled",
                                              L"Standard notification=Enabled", L"Vek notification=Disabled",
                                              L"Show UPS status with Vek UPS Monitor=Enabled" }));
    }
    // Wrong types, values too long for their buffers, a short number, missing values.
    CStagedMachineKey machine;
    machine.SetString(kKey, L"Vendor", L"Vek", REG_EXPAND_SZ);
    machine.SetString(kKey, L"Model", std::wstring(100, L'm'));
    number(machine, L"ShutdownOnBatteryEnable", 0x0101, REG_DWORD, 2);
    number(machine, L"ShutdownOnBatteryWait", 2, REG_BINARY);
    machine.SetString(kKey, L"VekNotifyEnable", L"too long");
    machine.SetString(kKey, L"VekUseUpsMonitor", std::wstring(1, L'\0'));
    CReportOutline report = RunGroup<CTestUPS>(kUps);
    EXPECT_EQ(Results(report, L"System Settings"),
              (std::vector<std::wstring>{
                  L"UPS vendor=(unknown type)", L"UPS model=" + ErrorText(ERROR_MORE_DATA),
                  L"Shutdown on battery=Enabled", L"Shutdown on battery time=(unknown type)",
                  L"Run task=" + ErrorText(2), L"UPS turn off=" + ErrorText(2),
                  L"Standard notification=" + ErrorText(2), L"Vek notification=" + ErrorText(ERROR_MORE_DATA),
                  L"Show UPS status with Vek UPS Monitor=(unknown type)" }));
    EXPECT_EQ(report.Test(L"Shutdown on battery").format, L"YesNo");
    EXPECT_EQ(report.Test(L"Shutdown on battery time").format, L"Minutes");
    EXPECT_EQ(report.Test(L"Vek notification").status, L"Failed");
}
