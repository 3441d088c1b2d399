// Test support for the first four groups: run a group into a report and read its tree back,
// and stage HKEY_LOCAL_MACHINE values in a private key that stands in for it.
#pragma once

#include "app/GroupBase.h"
#include "device/Utilities.h"
#include "report/XmlReport.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>
#include <shlwapi.h>
#include <windows.h>

#include <string>
#include <vector>

namespace groups14
{

// One Test element of a report.
struct CReportTest
{
    std::wstring name;
    std::wstring description;
    std::wstring result;
    std::wstring format;
    std::wstring status;
};

// The report body as an outline: "G:<group>", "C:<category>", "S:<subcategory>" and
// "T:<test>" lines in file order, with the tests' details alongside.
struct CReportOutline
{
    std::vector<std::wstring> lines;
    std::vector<CReportTest> tests;
    std::wstring text;  // the whole report text

    // The tests' details by name (the first of that name); an empty record when there is none.
    CReportTest Test(const std::wstring& name) const
    {
        for (const CReportTest& test : tests)
            if (test.name == name)
                return test;
        return CReportTest{ L"<none>", L"", L"", L"", L"" };
    }
    // The outline lines from the first line equal to `from` up to (not including) the next
    // line that begins with the prefix `until` (e.g. "C:"), or to the end.
    std::vector<std::wstring> Section(const std::wstring& from, const std::wstring& until) const
    {
        std::vector<std::wstring> out;
        bool bIn = false;
        for (const std::wstring& line : lines)
        {
            if (bIn && line.compare(0, until.size(), until) == 0)
                break;
            if (line == from)
                bIn = true;
            if (bIn)
                out.push_back(line);
        }
        return out;
    }
};

inline std::wstring Unescape(const std::wstring& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != L'&')
        {
            out += text[i];
            continue;
        }
        size_t semi = text.find(L';', i);
        std::wstring entity = text.substr(i + 1, semi - i - 1);
        if (entity == L"amp") out += L'&';
        else if (entity == L"lt") out += L'<';
        else if (entity == L"gt") out += L'>';
        else if (entity == L"quot") out += L'"';
        else if (entity == L"apos") out += L'\'';
        else if (entity.size() > 2 && entity[0] == L'#' && entity[1] == L'x')
            out += static_cast<wchar_t>(wcstoul(entity.c_str() + 2, nullptr, 16));
        else if (entity.size() > 1 && entity[0] == L'#')
            out += static_cast<wchar_t>(wcstoul(entity.c_str() + 1, nullptr, 10));
        i = semi;
    }
    return out;
}

// The text between the first '>' and the last "</" of an element line.
inline std::wstring ElementText(const std::wstring& element)
{
    size_t open = element.find(L'>');
    size_t close = element.rfind(L"</");
    if (open == std::wstring::npos || close == std::wstring::npos || close < open)
        return L"";
    return Unescape(element.substr(open + 1, close - open - 1));
}

inline CReportOutline ParseReport(const std::wstring& text)
{
    CReportOutline outline;
    outline.text = text;
    size_t pos = 0;
    while (pos < text.size())
    {
        size_t end = text.find(L'\n', pos);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(pos, end - pos);
        pos = end + 1;
        // A value with line feeds runs over several lines until its end tag.
        if (line.find(L"<TestResult") != std::wstring::npos)
        {
            while (line.find(L"</TestResult>") == std::wstring::npos && pos < text.size())
            {
                end = text.find(L'\n', pos);
                if (end == std::wstring::npos)
                    end = text.size();
                line += L"\n" + text.substr(pos, end - pos);
                pos = end + 1;
            }
        }
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        size_t first = line.find_first_not_of(L'\t');
        if (first == std::wstring::npos)
            continue;
        std::wstring element = line.substr(first);
        auto starts = [&](const wchar_t* psz) { return element.compare(0, wcslen(psz), psz) == 0; };
        if (starts(L"<GroupName>"))
            outline.lines.push_back(L"G:" + ElementText(element));
        else if (starts(L"<CategoryName>"))
            outline.lines.push_back(L"C:" + ElementText(element));
        else if (starts(L"<SubCategoryName>"))
            outline.lines.push_back(L"S:" + ElementText(element));
        else if (starts(L"<TestName>"))
        {
            outline.tests.push_back(CReportTest{ ElementText(element), L"", L"", L"", L"" });
            outline.lines.push_back(L"T:" + outline.tests.back().name);
        }
        else if (starts(L"<TestDescription>") && !outline.tests.empty())
            outline.tests.back().description = ElementText(element);
        else if (starts(L"<TestResult") && !outline.tests.empty())
        {
            size_t q1 = element.find(L"Format=\"");
            size_t q2 = q1 == std::wstring::npos ? q1 : element.find(L'"', q1 + 8);
            if (q2 != std::wstring::npos)
                outline.tests.back().format = element.substr(q1 + 8, q2 - q1 - 8);
            outline.tests.back().result = ElementText(element);
        }
        else if (starts(L"<TestStatus") && !outline.tests.empty())
            outline.tests.back().status = ElementText(element);
    }
    return outline;
}

// Runs one group of type TGroup into a new report and reads the report back.
template <typename TGroup>
CReportOutline RunGroup()
{
    CTempDir dir;
    std::wstring path = dir.File(L"report.xml");
    CXmlReport report;
    report.Reset();
    EXPECT_EQ(report.Open(path.c_str(), TRUE), 0u);
    {
        TGroup group(&report);
        group.Run();
    }
    EXPECT_EQ(CloseReportFile(report.m_szRootName, report.m_hFile), 0u);
    std::string bytes = ReadFileBytes(path);
    if (bytes.size() >= 2 && static_cast<BYTE>(bytes[0]) == 0xFF && static_cast<BYTE>(bytes[1]) == 0xFE)
        bytes.erase(0, 2);
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    return ParseReport(text);
}

// Makes HKEY_LOCAL_MACHINE of this process a fresh private key below HKEY_CURRENT_USER, so the
// tests stage their values without touching the machine's keys (other tests read those).
class CStagedMachineKey
{
public:
    CStagedMachineKey()
    {
        static int s_nCount = 0;
        m_Path = L"Software\\VekQuorvelTests\\groups14-" + std::to_wstring(GetCurrentProcessId()) +
                 L"-" + std::to_wstring(++s_nCount);
        HKEY hKey = nullptr;
        EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, m_Path.c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
                  ERROR_SUCCESS);
        m_hRoot = hKey;
        EXPECT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, m_hRoot), ERROR_SUCCESS);
    }
    ~CStagedMachineKey()
    {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegCloseKey(m_hRoot);
        SHDeleteKeyW(HKEY_CURRENT_USER, m_Path.c_str());
    }
    CStagedMachineKey(const CStagedMachineKey&) = delete;
    CStagedMachineKey& operator=(const CStagedMachineKey&) = delete;

    void CreateKey(const std::wstring& subKey)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(RegCreateKeyExW(m_hRoot, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &hKey, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(hKey);
    }
    // Raw data of any type (a string's terminator only when the caller includes it).
    void SetRaw(const std::wstring& subKey, const wchar_t* pszName, DWORD dwType,
                const void* pData, DWORD cbData)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(RegCreateKeyExW(m_hRoot, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &hKey, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(hKey, pszName, 0, dwType, static_cast<const BYTE*>(pData), cbData),
                  ERROR_SUCCESS);
        RegCloseKey(hKey);
    }
    void SetString(const std::wstring& subKey, const wchar_t* pszName, const std::wstring& value,
                   DWORD dwType = REG_SZ)
    {
        SetRaw(subKey, pszName, dwType, value.c_str(),
               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }

private:
    std::wstring m_Path;
    HKEY m_hRoot = nullptr;
};

// The system's text for an error code as the report shows it.
inline std::wstring ErrorText(DWORD dwCode)
{
    return GetSystemErrorText(dwCode);
}

}  // namespace groups14
