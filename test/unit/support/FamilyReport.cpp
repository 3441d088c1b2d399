// Test support for the reader families: runs a body in a test group and reads the report file back.
#include "support/FamilyReport.h"

#include <gtest/gtest.h>

#include "device/Utilities.h"
#include "report/XmlReport.h"
#include "support/ReportXml.h"
#include "support/SimDevice.h"

namespace
{

// A group whose Run is the test's body.
class CFamilyGroup : public CTest
{
public:
    CFamilyGroup(CXmlReport* pReport, const std::function<void(CTest&)>& body)
        : CTest(pReport), m_Body(body)
    {
    }
    void Run() override { m_Body(*this); }

private:
    const std::function<void(CTest&)>& m_Body;
};

std::wstring Unescape(const std::wstring& text)
{
    static const struct
    {
        const wchar_t* entity;
        wchar_t ch;
    } kEntities[] = { { L"&lt;", L'<' }, { L"&gt;", L'>' }, { L"&quot;", L'"' }, { L"&amp;", L'&' } };
    std::wstring out;
    for (size_t i = 0; i < text.size();)
    {
        bool replaced = false;
        for (const auto& e : kEntities)
        {
            size_t n = wcslen(e.entity);
            if (text.compare(i, n, e.entity) == 0)
            {
                out += e.ch;
                i += n;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += text[i++];
    }
    return out;
}

void Parse(CFamilyRun& run)
{
    const std::wstring& text = run.text;
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
        static const wchar_t* const kLeaves[] = { L"CategoryName", L"SubCategoryName",
                                                  L"TestName",     L"TestDescription",
                                                  L"TestNumber",   L"TestResult",
                                                  L"TestStatus" };
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
        if (tag == L"CategoryName")
        {
            category = value;
            subCategory.clear();
            run.outline.push_back(L"Category " + value);
        }
        else if (tag == L"SubCategoryName")
        {
            subCategory = value;
            run.outline.push_back(L"SubCategory " + value);
        }
        else if (run.tests.empty())
        {
            ADD_FAILURE() << "test field outside a Test element";
        }
        else if (tag == L"TestName")
        {
            run.tests.back().name = value;
            run.outline.push_back(L"Test " + value);
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
}

}  // namespace

std::vector<std::wstring> CFamilyRun::Names() const
{
    std::vector<std::wstring> names;
    for (const CFamilyTest& test : tests)
        names.push_back(test.name);
    return names;
}

const CFamilyTest& CFamilyRun::Test(const std::wstring& name) const
{
    static const CFamilyTest kNone;
    for (const CFamilyTest& test : tests)
    {
        if (test.name == name)
            return test;
    }
    ADD_FAILURE() << "no test named " << std::string(name.begin(), name.end());
    return kNone;
}

CFamilyRun RunFamily(const std::string& profile, const std::function<void(CTest&)>& body)
{
    CFamilyRun run;
    CSimDevice device(profile);
    CTempDir dir;
    std::wstring path = dir.File(L"family.xml");

    CXmlReport report;
    report.Reset();
    report.m_hFile = CreateReportFile(report.m_szRootName, path.c_str(), nullptr);
    EXPECT_NE(report.m_hFile, INVALID_HANDLE_VALUE);
    report.BeginTestGroup(L"Family", L"", L"Family", nullptr);
    {
        CFamilyGroup group(&report, body);
        device.ClearCalls();
        group.Run();
        run.calls = device.Calls();
    }
    report.EndTestGroup();
    EXPECT_EQ(CloseReportFile(report.m_szRootName, report.m_hFile), 0u);
    report.m_hFile = INVALID_HANDLE_VALUE;

    bool bBom = false;
    run.text = ReadReportText(path, &bBom);
    EXPECT_TRUE(bBom);
    EXPECT_EQ(CheckReportXml(run.text), "");
    Parse(run);
    return run;
}

std::wstring ErrorText(DWORD dwCode)
{
    return GetSystemErrorText(dwCode);
}
