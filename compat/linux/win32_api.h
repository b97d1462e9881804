// Our stand-in for the Win32 subset that Ovenbell calls, declared with the platform's names, types
// and values; compat/linux/*.cpp implement it over Xlib and cairo.
#pragma once

#include "win32_com.h"
#include "win32_gdi.h"
#include "win32_system.h"
#include "win32_types.h"
#include "win32_user.h"
