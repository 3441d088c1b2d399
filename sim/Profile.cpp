// Parser of the simulator's device profiles.
#include "sim/Profile.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <string>

namespace
{

// No buffer the program hands the library comes near this; a larger block is a typo, and
// building it would exhaust the process's memory.
const size_t kMaxBlockBytes = 1 << 20;

// Splits a line into tokens; a double-quoted token keeps its blanks and its escapes.
bool Tokenize(const std::string& line, std::vector<std::string>& tokens, std::vector<bool>& quoted,
              std::string& error)
{
    size_t i = 0;
    while (i < line.size())
    {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r')
        {
            ++i;
            continue;
        }
        if (c == '#')
            break;
        if (c == '"')
        {
            std::string token;
            ++i;
            while (i < line.size() && line[i] != '"')
            {
                if (line[i] == '\\' && i + 1 < line.size())
                {
                    token += line[i];
                    ++i;
                }
                token += line[i];
                ++i;
            }
            if (i >= line.size())
            {
                error = "unterminated string";
                return false;
            }
            ++i;
            tokens.push_back(token);
            quoted.push_back(true);
            continue;
        }
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '"')
            ++i;
        tokens.push_back(line.substr(start, i - start));
        quoted.push_back(false);
    }
    return true;
}

bool ParseNumber(const std::string& token, long long& value)
{
    if (token.empty())
        return false;
    char* end = nullptr;
    value = std::strtoll(token.c_str(), &end, 0);
    return end != nullptr && *end == '\0';
}

// Appends the UTF-8 text with its escapes decoded as UTF-16.
bool DecodeText(const std::string& in, std::wstring& out, std::string& error)
{
    size_t i = 0;
    while (i < in.size())
    {
        unsigned char c = static_cast<unsigned char>(in[i]);
        if (c == '\\' && i + 1 < in.size())
        {
            char e = in[i + 1];
            i += 2;
            switch (e)
            {
            case 'n': out += L'\n'; break;
            case 'r': out += L'\r'; break;
            case 't': out += L'\t'; break;
            case '0': out += L'\0'; break;
            case 'x':
            case 'u':
            {
                size_t digits = e == 'x' ? 2 : 4;
                if (i + digits > in.size())
                {
                    error = "short escape";
                    return false;
                }
                out += static_cast<wchar_t>(std::strtoul(in.substr(i, digits).c_str(), nullptr, 16));
                i += digits;
                break;
            }
            default: out += static_cast<wchar_t>(e); break;
            }
            continue;
        }
        // UTF-8 to a code point, then to UTF-16.
        unsigned long cp = c;
        size_t extra = 0;
        if (c >= 0xF0) { cp = c & 0x07; extra = 3; }
        else if (c >= 0xE0) { cp = c & 0x0F; extra = 2; }
        else if (c >= 0xC0) { cp = c & 0x1F; extra = 1; }
        ++i;
        for (size_t k = 0; k < extra && i < in.size(); ++k, ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(in[i]) & 0x3F);
        if (cp >= 0x10000)
        {
            cp -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (cp >> 10));
            out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
        }
        else
            out += static_cast<wchar_t>(cp);
    }
    return true;
}

bool ParseHexBytes(const std::string& token, std::vector<BYTE>& out)
{
    if (token.size() % 2 != 0)
        return false;
    for (size_t i = 0; i < token.size(); i += 2)
    {
        if (!std::isxdigit(static_cast<unsigned char>(token[i])) ||
            !std::isxdigit(static_cast<unsigned char>(token[i + 1])))
            return false;
        out.push_back(static_cast<BYTE>(std::strtoul(token.substr(i, 2).c_str(), nullptr, 16)));
    }
    return true;
}

// Parses "<value> [modifiers]" from tokens[pos...], up to a "then" or the end.
bool ParseValue(const std::vector<std::string>& t, const std::vector<bool>& quoted, size_t& pos,
                CSimValue& v, std::string& error)
{
    if (pos >= t.size())
    {
        error = "missing value";
        return false;
    }
    const std::string& kind = t[pos++];
    long long n = 0;
    if (kind == "u8" || kind == "u16" || kind == "u32" || kind == "i8" || kind == "i16" || kind == "i32")
    {
        if (pos >= t.size() || !ParseNumber(t[pos], n))
        {
            error = "bad number";
            return false;
        }
        ++pos;
        v.kind = CSimValue::kNumber;
        v.width = kind == "u8" || kind == "i8" ? 1 : kind == "u16" || kind == "i16" ? 2 : 4;
        // Either reading of the bits is accepted (u8 -1, i8 0xFF); anything wider is a typo.
        const long long bits = 8LL * v.width;
        if (n < -(1LL << (bits - 1)) || n > (1LL << bits) - 1)
        {
            error = "number out of range for " + kind;
            return false;
        }
        v.number = static_cast<unsigned long long>(n);
    }
    else if (kind == "str" || kind == "strnt")
    {
        if (pos >= t.size() || !quoted[pos])
        {
            error = "string expected in double quotes";
            return false;
        }
        v.kind = kind == "str" ? CSimValue::kString : CSimValue::kStringNoTerminator;
        if (!DecodeText(t[pos++], v.text, error))
            return false;
        if (v.kind == CSimValue::kStringNoTerminator && v.text.empty())
        {
            error = "strnt needs a text";
            return false;
        }
    }
    else if (kind == "bytes")
    {
        v.kind = CSimValue::kBytes;
        while (pos < t.size() && t[pos] != "ret" && t[pos] != "mismatch" && t[pos] != "wmi" &&
               t[pos] != "then")
        {
            if (t[pos] == "fill")
            {
                long long count = 0, byte = 0;
                if (pos + 2 >= t.size() || !ParseNumber(t[pos + 1], count) ||
                    !ParseNumber("0x" + t[pos + 2], byte) || count < 0 || byte < 0 || byte > 255)
                {
                    error = "fill <count> <hex byte> expected";
                    return false;
                }
                if (static_cast<unsigned long long>(count) > kMaxBlockBytes ||
                    v.bytes.size() + static_cast<size_t>(count) > kMaxBlockBytes)
                {
                    error = "bytes block longer than " + std::to_string(kMaxBlockBytes) + " bytes";
                    return false;
                }
                v.bytes.insert(v.bytes.end(), static_cast<size_t>(count), static_cast<BYTE>(byte));
                pos += 3;
                continue;
            }
            if (!ParseHexBytes(t[pos], v.bytes))
            {
                error = "bad hex bytes '" + t[pos] + "'";
                return false;
            }
            ++pos;
        }
    }
    else if (kind == "fail")
    {
        if (pos >= t.size() || !ParseNumber(t[pos], n))
        {
            error = "fail <code> expected";
            return false;
        }
        ++pos;
        v.kind = CSimValue::kFail;
        v.failCode = static_cast<DWORD>(n);
    }
    else if (kind == "absent")
        v.kind = CSimValue::kAbsent;
    else
    {
        error = "unknown value kind '" + kind + "'";
        return false;
    }

    while (pos < t.size() && t[pos] != "then")
    {
        const std::string& modifier = t[pos++];
        if (modifier == "wmi")
        {
            v.needsWmi = true;
            continue;
        }
        if ((modifier != "ret" && modifier != "mismatch") || pos >= t.size() || !ParseNumber(t[pos], n))
        {
            error = "unexpected '" + modifier + "'";
            return false;
        }
        ++pos;
        if (modifier == "ret")
            v.ret = static_cast<BOOL>(n);
        else
            v.mismatchCode = static_cast<DWORD>(n);
    }
    return true;
}

}  // namespace

bool CSimProfile::Parse(const std::string& text, std::string& error)
{
    std::istringstream in(text);
    std::string line;
    long panel = -1;
    int lineNumber = 0;
    while (std::getline(in, line))
    {
        ++lineNumber;
        if (lineNumber == 1 && line.size() >= 3 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        std::vector<std::string> t;
        std::vector<bool> quoted;
        std::string lineError;
        if (!Tokenize(line, t, quoted, lineError))
        {
            error = "line " + std::to_string(lineNumber) + ": " + lineError;
            return false;
        }
        if (t.empty())
            continue;
        if (t[0][0] == '[')
        {
            std::string section;
            for (const std::string& s : t)
                section += s + " ";
            long long n = 0;
            if (section == "[device] ")
                panel = -1;
            else if (t.size() == 2 && t[0] == "[panel" && t[1].size() > 1 && t[1].back() == ']' &&
                     ParseNumber(t[1].substr(0, t[1].size() - 1), n) && n >= 0)
            {
                panel = static_cast<long>(n);
                if (!HasPanel(static_cast<DWORD>(n)))
                    m_Panels.push_back(static_cast<DWORD>(n));
            }
            else
            {
                error = "line " + std::to_string(lineNumber) + ": unknown section";
                return false;
            }
            continue;
        }

        // <Function> [<id>] = <value> ...
        size_t eq = std::find(t.begin(), t.end(), "=") - t.begin();
        long long id = 0;
        if (eq == t.size() || eq == 0 || eq > 2 || (eq == 2 && !ParseNumber(t[1], id)))
        {
            error = "line " + std::to_string(lineNumber) + ": expected '<Function> [<id>] = <value>'";
            return false;
        }
        std::vector<CSimValue> answers;
        size_t pos = eq + 1;
        for (;;)
        {
            CSimValue value;
            if (!ParseValue(t, quoted, pos, value, lineError))
            {
                error = "line " + std::to_string(lineNumber) + ": " + lineError;
                return false;
            }
            answers.push_back(value);
            if (pos >= t.size())
                break;
            ++pos;  // "then"
        }
        const CSimValue& value = answers.front();
        if (t[0] == "Default")
        {
            if (value.kind != CSimValue::kFail)
            {
                error = "line " + std::to_string(lineNumber) + ": Default takes 'fail <code>'";
                return false;
            }
            m_dwDefaultFail = value.failCode;
            continue;
        }
        CEntry& entry = m_Entries[std::make_tuple(t[0], static_cast<DWORD>(id), panel)];
        entry.answers = answers;
        entry.calls = 0;
    }
    return true;
}

const CSimValue* CSimProfile::Find(const std::string& function, DWORD id, long panel)
{
    auto it = m_Entries.end();
    if (panel >= 0)
        it = m_Entries.find(std::make_tuple(function, id, panel));
    if (it == m_Entries.end())
        it = m_Entries.find(std::make_tuple(function, id, -1L));
    if (it == m_Entries.end())
        return nullptr;
    CEntry& entry = it->second;
    const CSimValue& answer = entry.answers[std::min(entry.calls, entry.answers.size() - 1)];
    ++entry.calls;
    return answer.kind == CSimValue::kAbsent ? nullptr : &answer;
}

bool CSimProfile::HasPanel(DWORD panel) const
{
    return std::find(m_Panels.begin(), m_Panels.end(), panel) != m_Panels.end();
}
