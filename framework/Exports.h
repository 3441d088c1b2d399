// Run-time lookup of system exports newer than the oldest supported Windows.
#pragma once

#include <windows.h>

// Any function pointer type: GetProcAddress results pass through it on the way to their real
// type, which keeps GCC's cast-function-type warning quiet without a pragma.
typedef void (*PFN_GENERIC)();

// The export pszName of the already loaded module pszModule as TFunction; NULL when the module
// is not loaded or lacks the export. The module's load count is not changed.
template <typename TFunction>
TFunction LookUpExport(const wchar_t* pszModule, const char* pszName)
{
    HMODULE hModule = GetModuleHandleW(pszModule);
    if (hModule == nullptr)
        return nullptr;
    return reinterpret_cast<TFunction>(
        reinterpret_cast<PFN_GENERIC>(GetProcAddress(hModule, pszName)));
}
