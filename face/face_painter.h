// Draws one frame of the timer face with GDI.
#pragma once

#include "win32.h"

void PaintTimerFace(HWND window);
