// The attention sequence run once when the countdown first passes zero. No step looks at the
// result of an earlier one: a refused activation still gets the tones and the flashing.
#include "expiry_alert.h"

#include <cstring>

void RaiseExpiryAlert(HWND window) {
    SetForegroundWindow(window);
    SetActiveWindow(window);

    // A left-Shift press and release: user input that wakes a screen saver or a sleeping display.
    INPUT inputs[2];
    std::memset(inputs, 0, sizeof(inputs));
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = VK_LSHIFT;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));

    // Straight to the default procedure: switching the monitor on is not the window's business.
    DefWindowProcA(window, WM_SYSCOMMAND, SC_MONITORPOWER, -1);

    Beep(220, 40);
    Beep(20000, 20);
    Beep(260, 40);
    MessageBeep(0xFFFFFFFF);

    FLASHWINFO flash;
    std::memset(&flash, 0, sizeof(flash));
    flash.cbSize = sizeof(FLASHWINFO);
    flash.hwnd = window;
    flash.dwFlags = FLASHW_TRAY;
    flash.uCount = 6;
    flash.dwTimeout = 500;
    FlashWindowEx(&flash);
}
