// Switching the display on, apart from the rest of the host: the DPMS header defines a BOOL of
// its own, which the stand-in's Win32 types cannot live beside.
#pragma once

typedef struct _XDisplay Display;

namespace standin::x11 {

// Switches a display that DPMS has put to sleep on again, and counts as user activity for the
// screen saver. A quiet no-op where the server lacks DPMS or has it switched off.
void WakeDisplay(Display* display);

}  // namespace standin::x11
