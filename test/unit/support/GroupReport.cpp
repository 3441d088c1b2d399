// Test support for report groups: runs groups into report files and reads them back.
#include "support/GroupReport.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include "device/Utilities.h"
#include "report/XmlReport.h"
#include "support/ReportXml.h"
#include "support/SimDevice.h"

namespace
{

// A group whose Run is the test's body.
class CBodyGroup : public CTest
{
public:
    CBodyGroup(CXmlReport* pReport, const std::function<void(CTest&)>& body)
        : CTest(pReport), m_Body(body)
    {
    }
    void Run() override { m_Body(*this); }

private:
    const std::function<void(CTest&)>& m_Body;
};

std::wstring Unescape(const std::wstring& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i)
    {
        size_t semi = text[i] == L'&' ? text.find(L';', i) : std::wstring::npos;
        if (semi == std::wstring::npos)
        {
            out += text[i];
            continue;
        }
        std::wstring entity = text.substr(i + 1, semi - i - 1);
        if (entity == L"amp") out += L'&';
        else if (entity == L"lt") out += L'<';
        else if (entity == L"gt") out += L'>';
        else if (entity == L"quot") out += L'"';
        else if (entity == L"apos") out += L'\'';
        else
            out += L'&' + entity + L';';
        i = semi;
    }
    return out;
}

// Stages the profile, opens a report on a temp file (Open with its Header, or a bare file),
// runs the writer with the call log cleared just before, closes and parses the file.
CReportOutline RunIntoReport(const std::string& profile, bool bHeader,
                             const std::function<void(CXmlReport&, CSimDevice&, CReportOutline&)>& write)
{
    CReportOutline run;
    CSimDevice device(profile);
    CTempDir dir;
    std::wstring path = dir.File(L"report.xml");
    CXmlReport report;
    report.Reset();
    if (bHeader)
        EXPECT_EQ(report.Open(path.c_str(), TRUE), 0u);
    else
        report.m_hFile = CreateReportFile(report.m_szRootName, path.c_str(), nullptr);
    EXPECT_NE(report.m_hFile, INVALID_HANDLE_VALUE);
    write(report, device, run);
    EXPECT_EQ(CloseReportFile(report.m_szRootName, report.m_hFile), 0u);
    report.m_hFile = INVALID_HANDLE_VALUE;

    bool bBom = false;
    std::wstring text = ReadReportText(path, &bBom);
    EXPECT_TRUE(bBom);
    EXPECT_EQ(CheckReportXml(text), "");
    std::vector<std::string> calls = std::move(run.calls);
    run = ParseReport(text);
    run.calls = std::move(calls);
    return run;
}

}  // namespace

const CReportTest& CReportOutline::Test(const std::wstring& name) const
{
    static const CReportTest kNone;
    for (const CReportTest& test : tests)
    {
        if (test.name == name)
            return test;
    }
    ADD_FAILURE() << "no test named " << std::string(name.begin(), name.end());
    return kNone;
}

std::vector<std::wstring> CReportOutline::Names() const
{
    std::vector<std::wstring> names;
    for (const CReportTest& test : tests)
        names.push_back(test.name);
    return names;
}

std::vector<std::wstring> CReportOutline::Section(const std::wstring& from,
                                                  const std::wstring& untilPrefix) const
{
    std::vector<std::wstring> out;
    bool bIn = false;
    for (const std::wstring& line : lines)
    {
        if (bIn && line.compare(0, untilPrefix.size(), untilPrefix) == 0)
            break;
        if (line == from)
            bIn = true;
        if (bIn)
            out.push_back(line);
    }
    return out;
}

CReportOutline ParseReport(const std::wstring& text)
{
    CReportOutline run;
    run.text = text;
    std::wstring category, subCategory;
    size_t pos = 0;
    while ((pos = text.find(L'<', pos)) != std::wstring::npos)
    {
        size_t end = text.find(L'>', pos);
        if (end == std::wstring::npos)
            break;
        std::wstring tag = text.substr(pos + 1, end - pos - 1);
        std::wstring attribute;
        size_t blank = tag.find(L' ');
        if (blank != std::wstring::npos)
        {
            attribute = tag.substr(blank + 1);
            tag.erase(blank);
        }
        pos = end + 1;
        if (tag == L"Test")
        {
            run.tests.emplace_back();
            run.tests.back().category = category;
            run.tests.back().subCategory = subCategory;
            continue;
        }
        static const wchar_t* const kLeaves[] = { L"GroupName",  L"CategoryName",    L"SubCategoryName",
                                                  L"TestName",   L"TestDescription", L"TestNumber",
                                                  L"TestResult", L"TestStatus" };
        bool leaf = false;
        for (const wchar_t* name : kLeaves)
            leaf = leaf || tag == name;
        if (!leaf)
            continue;
        size_t close = text.find(L"</" + tag + L">", pos);
        if (close == std::wstring::npos)
            break;
        std::wstring value = Unescape(text.substr(pos, close - pos));
        pos = close;
        if (tag == L"GroupName")
        {
            category.clear();
            subCategory.clear();
            run.lines.push_back(L"G:" + value);
        }
        else if (tag == L"CategoryName")
        {
            category = value;
            subCategory.clear();
            run.lines.push_back(L"C:" + value);
        }
        else if (tag == L"SubCategoryName")
        {
            subCategory = value;
            run.lines.push_back(L"S:" + value);
        }
        else if (run.tests.empty())
            ADD_FAILURE() << "test field outside a Test element";
        else if (tag == L"TestName")
        {
            run.tests.back().name = value;
            run.lines.push_back(L"T:" + value);
        }
        else if (tag == L"TestDescription")
            run.tests.back().description = value;
        else if (tag == L"TestNumber")
            run.tests.back().number = _wtoi(value.c_str());
        else if (tag == L"TestStatus")
            run.tests.back().status = value;
        else
        {
            run.tests.back().result = value;
            // Format="Word"
            size_t q1 = attribute.find(L'"');
            size_t q2 = attribute.rfind(L'"');
            if (q1 != std::wstring::npos && q2 > q1)
                run.tests.back().format = attribute.substr(q1 + 1, q2 - q1 - 1);
        }
    }
    return run;
}

std::wstring ReadReportText(const std::wstring& path, bool* pbBom)
{
    std::string bytes = ReadFileBytes(path);
    std::wstring text(bytes.size() / 2, L'\0');
    if (!text.empty())
        memcpy(&text[0], bytes.data(), text.size() * 2);
    bool bom = !text.empty() && text[0] == 0xFEFF;
    if (pbBom != nullptr)
        *pbBom = bom;
    return bom ? text.substr(1) : text;
}

CReportOutline RunInGroup(const std::string& profile, const std::function<void(CTest&)>& body)
{
    return RunIntoReport(profile, false, [&](CXmlReport& report, CSimDevice& device, CReportOutline& run) {
        report.BeginTestGroup(L"Family", L"", L"Family", nullptr);
        {
            CBodyGroup group(&report, body);
            device.ClearCalls();
            group.Run();
            run.calls = device.Calls();
        }
        report.EndTestGroup();
    });
}

CReportOutline RunGroupWith(const std::string& profile,
                            const std::function<std::unique_ptr<CTest>(CXmlReport*)>& makeGroup)
{
    return RunIntoReport(profile, true, [&](CXmlReport& report, CSimDevice& device, CReportOutline& run) {
        std::unique_ptr<CTest> group = makeGroup(&report);
        device.ClearCalls();
        group->Run();
        run.calls = device.Calls();
    });
}

std::wstring ErrorText(DWORD dwCode)
{
    return GetSystemErrorText(dwCode);
}

CStagedMachineKey::CStagedMachineKey()
{
    static int s_nCount = 0;
    m_Path = L"Software\\VekQuorvelTests\\machine-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(++s_nCount);
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, m_Path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &m_hRoot, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, m_hRoot), ERROR_SUCCESS);
}

CStagedMachineKey::~CStagedMachineKey()
{
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(m_hRoot);
    SHDeleteKeyW(HKEY_CURRENT_USER, m_Path.c_str());
}

void CStagedMachineKey::CreateKey(const std::wstring& subKey)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(RegCreateKeyExW(m_hRoot, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &hKey, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(hKey);
}

void CStagedMachineKey::SetRaw(const std::wstring& subKey, const wchar_t* pszName, DWORD dwType,
                               const void* pData, DWORD cbData)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(RegCreateKeyExW(m_hRoot, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &hKey, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(hKey, pszName, 0, dwType, static_cast<const BYTE*>(pData), cbData),
              ERROR_SUCCESS);
    RegCloseKey(hKey);
}

void CStagedMachineKey::SetString(const std::wstring& subKey, const wchar_t* pszName,
                                  const std::wstring& value, DWORD dwType)
{
    SetRaw(subKey, pszName, dwType, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}
