#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

// True in a Windows program that Wine runs: what Wine leaves out of Windows is skipped there by
// name, never on Windows itself.
inline bool runningUnderWine()
{
#ifdef _WIN32
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}
