// The attention sequence run once when the countdown first passes zero.
#pragma once

#include "win32.h"

void RaiseExpiryAlert(HWND window);
