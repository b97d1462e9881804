// KERNEL32 and WINMM of the Win32 stand-in: the module handle, the tone call and the tick source.
#pragma once

#include "win32_types.h"

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName);
BOOL WINAPI Beep(DWORD frequency, DWORD duration);
DWORD WINAPI timeGetTime();
