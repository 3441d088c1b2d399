// Test support for the report writer: a small XML well-formedness check.
#include "support/ReportXml.h"

#include <cwchar>

namespace
{

bool IsXmlChar(const std::wstring& text, size_t i)
{
    wchar_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF)
        return i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    if (c >= 0xDC00 && c <= 0xDFFF)
        return i > 0 && text[i - 1] >= 0xD800 && text[i - 1] <= 0xDBFF;
    if (c < 0x20)
        return c == L'\t' || c == L'\n' || c == L'\r';
    return c != 0xFFFE && c != 0xFFFF;
}

bool IsNameChar(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
           c == L'_' || c == L'-' || c == L'.' || c == L':';
}

std::string Where(const std::wstring& text, size_t i, const char* what)
{
    std::string excerpt;
    for (size_t k = i; k < text.size() && k < i + 40; ++k)
        excerpt += text[k] < 0x80 ? static_cast<char>(text[k]) : '?';
    return std::string(what) + " at " + std::to_string(i) + ": \"" + excerpt + "\"";
}

class CChecker
{
public:
    explicit CChecker(const std::wstring& text) : m_Text(text) {}

    std::string Run()
    {
        for (size_t i = 0; i < m_Text.size(); ++i)
            if (!IsXmlChar(m_Text, i))
                return Where(m_Text, i, "character not allowed in XML");
        const std::wstring decl = L"<?xml version=\"1.0\" encoding=\"utf-16\"?>";
        if (m_Text.compare(0, decl.size(), decl) != 0)
            return "no XML declaration at the start";
        m_Pos = decl.size();
        for (;;)
        {
            SkipSpace();
            if (m_Text.compare(m_Pos, 2, L"<?") != 0)
                break;
            size_t end = m_Text.find(L"?>", m_Pos);
            if (end == std::wstring::npos)
                return Where(m_Text, m_Pos, "unterminated processing instruction");
            m_Pos = end + 2;
        }
        std::string error = Element();
        if (!error.empty())
            return error;
        SkipSpace();
        if (m_Pos != m_Text.size())
            return Where(m_Text, m_Pos, "content after the root element");
        return std::string();
    }

private:
    void SkipSpace()
    {
        while (m_Pos < m_Text.size() && wcschr(L" \t\r\n", m_Text[m_Pos]) != nullptr && m_Text[m_Pos] != 0)
            ++m_Pos;
    }

    std::wstring Name()
    {
        size_t start = m_Pos;
        while (m_Pos < m_Text.size() && IsNameChar(m_Text[m_Pos]))
            ++m_Pos;
        return m_Text.substr(start, m_Pos - start);
    }

    std::string Element()
    {
        if (m_Pos >= m_Text.size() || m_Text[m_Pos] != L'<')
            return Where(m_Text, m_Pos, "expected a start tag");
        ++m_Pos;
        std::wstring name = Name();
        if (name.empty())
            return Where(m_Text, m_Pos, "start tag without a name");
        if (m_Pos < m_Text.size() && m_Text[m_Pos] == L' ')
        {
            ++m_Pos;
            if (Name().empty() || m_Text.compare(m_Pos, 2, L"=\"") != 0)
                return Where(m_Text, m_Pos, "malformed attribute");
            m_Pos += 2;
            size_t end = m_Text.find(L'"', m_Pos);
            if (end == std::wstring::npos)
                return Where(m_Text, m_Pos, "unterminated attribute value");
            for (size_t k = m_Pos; k < end; ++k)
                if (m_Text[k] == L'<' || m_Text[k] == L'&')
                    return Where(m_Text, k, "markup character in an attribute value");
            m_Pos = end + 1;
        }
        if (m_Pos >= m_Text.size() || m_Text[m_Pos] != L'>')
            return Where(m_Text, m_Pos, "start tag not closed");
        ++m_Pos;
        for (;;)
        {
            if (m_Pos >= m_Text.size())
                return "element not closed before the end of the file";
            wchar_t c = m_Text[m_Pos];
            if (c == L'&')
            {
                static const wchar_t* const kEntities[] = { L"&amp;", L"&lt;", L"&gt;", L"&quot;", L"&apos;" };
                bool known = false;
                for (const wchar_t* entity : kEntities)
                    if (m_Text.compare(m_Pos, wcslen(entity), entity) == 0)
                    {
                        m_Pos += wcslen(entity);
                        known = true;
                        break;
                    }
                if (!known)
                    return Where(m_Text, m_Pos, "bare ampersand");
            }
            else if (c == L'>')
            {
                return Where(m_Text, m_Pos, "bare greater-than sign in text");
            }
            else if (c == L'<' && m_Text.compare(m_Pos, 2, L"</") == 0)
            {
                m_Pos += 2;
                if (Name() != name || m_Pos >= m_Text.size() || m_Text[m_Pos] != L'>')
                    return Where(m_Text, m_Pos, "end tag does not match its start tag");
                ++m_Pos;
                return std::string();
            }
            else if (c == L'<')
            {
                std::string error = Element();
                if (!error.empty())
                    return error;
            }
            else
            {
                ++m_Pos;
            }
        }
    }

    const std::wstring& m_Text;
    size_t m_Pos = 0;
};

}  // namespace

std::string CheckReportXml(const std::wstring& text)
{
    return CChecker(text).Run();
}

std::string StylesheetResourceBytes()
{
    HMODULE hModule = GetModuleHandleW(nullptr);
    HRSRC hInfo = FindResourceW(hModule, L"#140", L"XSL");
    if (hInfo == nullptr)
        return std::string();
    const char* pData = static_cast<const char*>(LockResource(LoadResource(hModule, hInfo)));
    return pData != nullptr ? std::string(pData, SizeofResource(hModule, hInfo)) : std::string();
}
