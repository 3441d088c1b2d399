// Device profile of the simulated device-interface library: what each export answers.
//
// A profile is a text file, one entry a line ('#' starts a comment):
//
//   <Function> [<id>] = <value> [ret <n>] [mismatch <code>]
//
// <Function> is the export's name without "Tiv" and a leading "Get" (FactoryValue,
// HardwareStringW, Alarm, DeviceType, AreKeysEnabled, SelectPanel, UploadFileW, ...).
// <id> is the value id (the layer for LedMatrix; 0 = mode and 1 = value for DisplayEqualizer);
// exports with one out-pointer take no id. <value> is one of:
//
//   u8 N | u16 N | u32 N | i8 N | i16 N | i32 N   a number of that width (decimal or 0x hex,
//                                                  signed or unsigned reading of the bits);
//                                                  a read with another size fails (87 unless
//                                                  "mismatch <code>" says otherwise); an
//                                                  out-pointer export takes it at its own width
//   str "text"         UTF-16, NUL-terminated and cut to the buffer (\" \\ \n \r \t \xHH \uHHHH)
//   strnt "text"       the text repeated to fill the whole buffer, without a terminator
//   bytes HH HH ... [fill <count> HH] ...          a raw block; a larger buffer is filled in
//                                                  part, a smaller one gets the block's start
//   fail <code>        the call returns FALSE with that last error
//   absent             as if the entry were not there
//
// "ret <n>" makes a successful call return n instead of 1; "wmi" makes the read fail with 1168
// unless TivEnableWmi(TRUE) is in force. Answers that change from call to call are joined with
// "then": "DeviceType = fail 31 then u32 18" fails once and then answers 18 (the last repeats).
//
// "[panel N]" starts entries that hold only while panel N is selected; TivSelectPanel(N)
// succeeds only for panels with such a section (or a "SelectPanel N" entry). "[device]" goes
// back to entries for every panel. A panel's entry wins over the device-wide one.
//
// "Default = fail <code>" sets the answer for everything the profile does not list
// (1168, element not found, unless set). A later entry for the same export, id and section
// replaces an earlier one.
//
// Exports with more than one out-value: DisplayEqualizer 0 is the mode (32 bits), 1 the value
// (8 bits); a failing id 0 fails the call ("DisplayEqualizer = fail 50": no equalizer).
// "UploadFileW 17 = bytes ..." is the block that TivUploadFileW(path, 17, 0, 0) writes into the
// named file; "UploadFileW 17 = fail 23" makes it fail without writing. "EnableWmi = fail <code>"
// makes TivEnableWmi fail (and leaves WMI as it was); TivIsWmiEnabled answers the WMI state
// unless "IsWmiEnabled = ..." stages an answer. Before the first TivSelectPanel no panel is
// selected and only device-wide entries hold; a failed selection keeps the old panel.
//
// Sample profiles: sim/profiles/type01.ini .. type21.ini (one per device type, written by
// sim/profiles/generate.py), default.ini (built into the library) and scenario_*.ini.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

struct CSimValue
{
    enum Kind
    {
        kNumber,
        kString,
        kStringNoTerminator,
        kBytes,
        kFail,
        kAbsent,
    };
    Kind kind = kAbsent;
    DWORD width = 0;             // bytes of a number
    unsigned long long number = 0;
    std::wstring text;           // strings
    std::vector<BYTE> bytes;     // raw blocks
    DWORD failCode = 0;          // fail
    BOOL ret = 1;                // result of a successful call
    DWORD mismatchCode = ERROR_INVALID_PARAMETER;
    bool needsWmi = false;       // fails with 1168 unless TivEnableWmi(TRUE) is in force
};

class CSimProfile
{
public:
    // Parses profile text; false with a message naming the line on a syntax error.
    bool Parse(const std::string& text, std::string& error);

    // The answer for a call of an export with an id while `panel` is selected (-1: none);
    // nullptr if the profile has none. Each call moves a "then" sequence on by one.
    const CSimValue* Find(const std::string& function, DWORD id, long panel);
    bool HasPanel(DWORD panel) const;
    DWORD DefaultFailCode() const { return m_dwDefaultFail; }

private:
    struct CEntry
    {
        std::vector<CSimValue> answers;
        size_t calls = 0;
    };
    std::map<std::tuple<std::string, DWORD, long>, CEntry> m_Entries;
    std::vector<DWORD> m_Panels;
    DWORD m_dwDefaultFail = ERROR_NOT_FOUND;
};
