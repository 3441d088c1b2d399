// Test driver for the GUI tests: lists the windows of one program with their controls' texts,
// presses buttons and fills edits by control id, tells a message box's icon, and serves as a
// recording "open" handler. One command per start; output on stdout, one line per item.
//
//   VekDriver list <exe path>             top-level windows of processes running that image:
//                                         "W <hwnd> <class>|<title>" then "C <id> <class>|<text>"
//                                         per control, "I <id> <icon>" for a message box icon,
//                                         "P <id> <pos> <low> <high>" for a progress bar
//   VekDriver click <hwnd> <id>           sends the button's click (WM_COMMAND) to the window
//   VekDriver settext <hwnd> <id> <text>  sets a control's text
//   VekDriver alive <hwnd>                exit code 0 when the window's thread answers a message
//                                         and the window is still shown
//   VekDriver close <hwnd>                sends WM_CLOSE
//   VekDriver kill <exe path>             ends every process running that image
//   VekDriver errtext <code>              the system's message text for a code, as the
//                                         program shows it (final full stop and line end cut)
//   VekDriver record <file> <arg>         appends arg and a line end to file (an "open" verb)
//   VekDriver run <command line>          starts the program, waits, prints "EXIT <code>"
//                                         (the full 32-bit code; Wine's own status keeps 8 bits)
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace
{

std::wstring Lower(std::wstring s)
{
    for (wchar_t& c : s)
        c = static_cast<wchar_t>(towlower(c));
    return s;
}

// Declared for Vista and later only; the build targets XP.
extern "C" BOOL WINAPI QueryFullProcessImageNameW(HANDLE, DWORD, LPWSTR, PDWORD);

// Whether the process runs the image whose path ends in `want` (lower case).
bool RunsImage(DWORD dwPid, const std::wstring& want)
{
    HANDLE h = OpenProcess(0x1000 /* PROCESS_QUERY_LIMITED_INFORMATION */, FALSE, dwPid);
    if (h == nullptr)
        return false;
    wchar_t buffer[1024];
    DWORD n = 1024;
    std::wstring image = QueryFullProcessImageNameW(h, 0, buffer, &n) ? Lower(std::wstring(buffer, n)) : L"";
    CloseHandle(h);
    return image.size() >= want.size() && image.compare(image.size() - want.size(), want.size(), want) == 0;
}

std::wstring Text(HWND hWnd)
{
    wchar_t buffer[4096] = {};
    DWORD_PTR n = 0;
    // WM_GETTEXT works across processes, unlike GetWindowText for controls.
    SendMessageTimeoutW(hWnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000, &n);
    // One line per item: line ends become visible escapes.
    std::wstring out;
    for (const wchar_t* p = buffer; *p != 0; ++p)
        out += *p == L'\\' ? L"\\\\" : *p == L'\n' ? L"\\n" : *p == L'\r' ? L"\\r" : std::wstring(1, *p);
    return out;
}

std::wstring ClassOf(HWND hWnd)
{
    wchar_t buffer[256] = {};
    GetClassNameW(hWnd, buffer, 256);
    return buffer;
}

// A line as UTF-8 with its line end (stdout whatever the console code page, the record file).
std::string Utf8Line(const std::wstring& line)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), &bytes[0], n, nullptr, nullptr);
    return bytes + '\n';
}

void Print(const std::wstring& line)
{
    std::string bytes = Utf8Line(line);
    fwrite(bytes.data(), 1, bytes.size(), stdout);
}

// Pixels of a rectangle of the screen, or of a standard icon drawn on a given background.
std::vector<COLORREF> Grab(HDC hdcSource, int x, int y, int w, int h, HICON hIcon, COLORREF background)
{
    HDC hdcScreen = GetDC(nullptr);
    HDC hdc = CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = CreateCompatibleBitmap(hdcScreen, w, h);
    HGDIOBJ old = SelectObject(hdc, hbm);
    if (hIcon != nullptr)
    {
        HBRUSH brush = CreateSolidBrush(background);
        RECT rc = { 0, 0, w, h };
        FillRect(hdc, &rc, brush);
        DeleteObject(brush);
        DrawIconEx(hdc, 0, 0, hIcon, w, h, 0, nullptr, DI_NORMAL);
    }
    else
    {
        BitBlt(hdc, 0, 0, w, h, hdcSource, x, y, SRCCOPY);
    }
    std::vector<COLORREF> pixels;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            pixels.push_back(GetPixel(hdc, i, j));
    SelectObject(hdc, old);
    DeleteObject(hbm);
    DeleteDC(hdc);
    ReleaseDC(nullptr, hdcScreen);
    return pixels;
}

double Distance(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b)
{
    double sum = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    {
        sum += abs(GetRValue(a[i]) - GetRValue(b[i])) + abs(GetGValue(a[i]) - GetGValue(b[i])) +
               abs(GetBValue(a[i]) - GetBValue(b[i]));
    }
    return sum;
}

struct CIconMatch
{
    std::wstring kind;
    bool bClear = false;  // the pixels match that icon far better than any other and the background
};

// Which standard icon the pixels of a rectangle show.
CIconMatch MatchIcon(const std::vector<COLORREF>& shown, int w, int h)
{
    struct { const wchar_t* pszName; LPCWSTR pszId;
             } kIcons[] = { { L"error", IDI_HAND }, { L"question", IDI_QUESTION },
                   { L"warning", IDI_EXCLAMATION }, { L"information", IDI_ASTERISK } };
    CIconMatch match{ L"none" };
    double best = Distance(shown, std::vector<COLORREF>(shown.size(), shown[0]));
    double second = best;
    for (const auto& icon : kIcons)
    {
        std::vector<COLORREF> drawn = Grab(nullptr, 0, 0, w, h, LoadIconW(nullptr, icon.pszId), shown[0]);
        double d = Distance(shown, drawn);
        if (d < best)
        {
            second = best;
            best = d;
            match.kind = icon.pszName;
        }
        else if (d < second)
        {
            second = d;
        }
    }
    match.bClear = match.kind != L"none" && best * 4 < second;
    return match;
}

// Which standard icon a static icon control shows, from its pixels on the screen. Other tests
// share the display, and a window of another Wine prefix may cover the box whatever its z-order
// here; VEK_ICON_SPOT="x,y" moves the box to a corner of the screen that test keeps for itself.
// The box repaints at its new place in its own time, so the screen is read until it shows one
// of the icons clearly (the time limit only matters when it never does).
std::wstring IconKind(HWND hControl)
{
    HWND hRoot = GetAncestor(hControl, GA_ROOT);
    wchar_t szSpot[64] = {};
    UINT uFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    int xSpot = 0;
    int ySpot = 0;
    if (GetEnvironmentVariableW(L"VEK_ICON_SPOT", szSpot, 64) > 0 && swscanf(szSpot, L"%d,%d", &xSpot, &ySpot) == 2)
        uFlags &= ~SWP_NOMOVE;
    const DWORD dwStart = GetTickCount();
    CIconMatch match{ L"none" };
    for (;;)
    {
        SetWindowPos(hRoot, HWND_TOPMOST, xSpot, ySpot, 0, 0, uFlags);
        RedrawWindow(hRoot, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT rc;
        if (!IsWindow(hControl) || !GetWindowRect(hControl, &rc))
            break;
        int w = rc.right - rc.left;
        int h = rc.bottom - rc.top;
        if (w <= 0 || h <= 0)
            break;
        HDC hdcScreen = GetDC(nullptr);
        std::vector<COLORREF> shown = Grab(hdcScreen, rc.left, rc.top, w, h, nullptr, 0);
        ReleaseDC(nullptr, hdcScreen);
        match = MatchIcon(shown, w, h);
        if (match.bClear || GetTickCount() - dwStart > 30000)
            break;
        Sleep(50);
    }
    SetWindowPos(hRoot, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return match.kind;
}

BOOL CALLBACK ListChild(HWND hWnd, LPARAM)
{
    if (GetParent(hWnd) == nullptr)
        return TRUE;
    int id = GetDlgCtrlID(hWnd);
    Print(L"C " + std::to_wstring(id) + L" " + ClassOf(hWnd) + L"|" + Text(hWnd));
    if (Lower(ClassOf(hWnd)) == L"msctls_progress32")
    {
        DWORD_PTR pos = 0, low = 0, high = 0;
        SendMessageTimeoutW(hWnd, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 5000, &pos);
        SendMessageTimeoutW(hWnd, PBM_GETRANGE, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &low);
        SendMessageTimeoutW(hWnd, PBM_GETRANGE, FALSE, 0, SMTO_ABORTIFHUNG, 5000, &high);
        Print(L"P " + std::to_wstring(id) + L" " + std::to_wstring(pos) + L" " +
              std::to_wstring(low) + L" " + std::to_wstring(high));
    }
    LONG style = GetWindowLongW(hWnd, GWL_STYLE);
    // Only a message box's icon control (0x14 on Windows, 0x440 under Wine) is looked at.
    if ((id == 0x14 || id == 0x440) && Lower(ClassOf(hWnd)) == L"static" &&
        (style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(hWnd))
        Print(L"I " + std::to_wstring(id) + L" " + IconKind(hWnd));
    return TRUE;
}

BOOL CALLBACK ListTop(HWND hWnd, LPARAM lParam)
{
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    if (!IsWindowVisible(hWnd) || !RunsImage(dwPid, *reinterpret_cast<const std::wstring*>(lParam)))
        return TRUE;
    wchar_t handle[32];
    swprintf(handle, 32, L"%lx", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(hWnd)));
    Print(std::wstring(L"W ") + handle + L" " + ClassOf(hWnd) + L"|" + Text(hWnd));
    EnumChildWindows(hWnd, ListChild, 0);
    return TRUE;
}

HWND ParseWindow(const wchar_t* psz)
{
    return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(wcstoul(psz, nullptr, 16)));
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    std::wstring command = argv[1];
    if (command == L"list" && argc == 3)
    {
        std::wstring image = Lower(argv[2]);
        EnumWindows(ListTop, reinterpret_cast<LPARAM>(&image));
        fflush(stdout);
        return 0;
    }
    if ((command == L"click" && argc == 4) || (command == L"close" && argc == 3))
    {
        HWND hWnd = ParseWindow(argv[2]);
        int id = argc == 4 ? _wtoi(argv[3]) : 0;
        // Sent without waiting for the answer: the click may open a modal box that would block
        // a sender. Sent messages are handled in order, so a later "alive" answers after it.
        return (argc == 4 ? SendNotifyMessageW(hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                               reinterpret_cast<LPARAM>(GetDlgItem(hWnd, id)))
                          : SendNotifyMessageW(hWnd, WM_CLOSE, 0, 0)) ? 0 : 1;
    }
    if (command == L"settext" && argc == 5)
    {
        HWND hControl = GetDlgItem(ParseWindow(argv[2]), _wtoi(argv[3]));
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(hControl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]),
                                   SMTO_ABORTIFHUNG, 5000, &result) && result ? 0 : 1;
    }
    if (command == L"run" && argc == 3)
    {
        std::wstring commandLine = argv[2];
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        {
            Print(L"START FAILED " + std::to_wstring(GetLastError()));
            return 1;
        }
        WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD dwCode = 0;
        GetExitCodeProcess(pi.hProcess, &dwCode);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        Print(L"EXIT " + std::to_wstring(dwCode));
        fflush(stdout);
        return 0;
    }
    if (command == L"kill" && argc == 3)
    {
        std::wstring want = Lower(argv[2]);
        HANDLE hSnap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32W entry = {};
        entry.dwSize = sizeof(entry);
        for (BOOL ok = Process32FirstW(hSnap, &entry); ok; ok = Process32NextW(hSnap, &entry))
        {
            if (!RunsImage(entry.th32ProcessID, want))
                continue;
            HANDLE hProcess = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID);
            if (hProcess != nullptr)
            {
                TerminateProcess(hProcess, 1);
                CloseHandle(hProcess);
            }
        }
        CloseHandle(hSnap);
        return 0;
    }
    if (command == L"errtext" && argc == 3)
    {
        wchar_t buffer[1024] = {};
        DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                 wcstoul(argv[2], nullptr, 10), 0, buffer, 1024, nullptr);
        std::wstring text(buffer, n);
        if (!text.empty() && text.back() == L'\n')
            text.pop_back();
        if (!text.empty() && text.back() == L'\r')
            text.erase(text.size() >= 2 ? text.size() - 2 : 0);
        Print(text);
        return 0;
    }
    if (command == L"alive" && argc == 3)
    {
        // A message the window's thread answers from its message loop: once it has, whatever
        // that thread did with the messages before (a click, a closed box) is done.
        HWND hWnd = ParseWindow(argv[2]);
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result))
            return 1;
        RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return IsWindow(hWnd) && IsWindowVisible(hWnd) ? 0 : 1;
    }
    if (command == L"record" && argc == 4)
    {
        FILE* f = _wfopen(argv[2], L"ab");
        if (f == nullptr)
            return 1;
        std::string bytes = Utf8Line(argv[3]);
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
        return 0;
    }
    return 2;
}
