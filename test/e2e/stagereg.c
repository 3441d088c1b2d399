/* Stages one REG_SZ value under HKEY_LOCAL_MACHINE, creating missing keys as volatile ones:
   keys below HARDWARE can only be volatile, which regedit cannot create.
   Usage: stagereg.exe <key path> <value name> <text>; exit code 0 on success. */
#include <windows.h>
#include <wchar.h>

int wmain(int argc, wchar_t** argv)
{
    HKEY key;
    DWORD disposition;
    LONG result;
    if (argc != 4)
        return 2;
    result = RegCreateKeyExW(HKEY_LOCAL_MACHINE, argv[1], 0, NULL, REG_OPTION_VOLATILE,
                             KEY_SET_VALUE, NULL, &key, &disposition);
    if (result != ERROR_SUCCESS)
        return 1;
    result = RegSetValueExW(key, argv[2], 0, REG_SZ, (const BYTE*)argv[3],
                            (DWORD)((wcslen(argv[3]) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? 0 : 1;
}
