// What SDL does not offer on X11: synthesised key events (XTest) and switching the display on
// (DPMS). Each is a quiet no-op where the server lacks the extension. Free of Win32 types, since
// the X11 headers define some of the same names.
#pragma once

namespace standin::x11 {

struct KeyEvent {
    // An X keysym name, such as "Shift_L".
    const char* keysym = nullptr;
    bool press = true;
};

// Returns how many key events the server accepted.
unsigned SendKeys(const KeyEvent* events, unsigned count);
void WakeDisplay();
void Close();

}  // namespace standin::x11
