// The one Win32 header the shell and the face painter include: the platform's own headers on
// Windows, and our stand-in's declarations of the same subset everywhere else.
#pragma once

#ifdef _WIN32
#include <windows.h>
// After <windows.h>: these rely on its types.
#include <mmsystem.h>
#include <shobjidl.h>
#else
#include "linux/win32_api.h"
#endif
