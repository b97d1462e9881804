#include "x11_display_power.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

namespace standin::x11 {

void WakeDisplay(Display* display) {
    int event = 0, error = 0;
    CARD16 level = 0;
    BOOL enabled = False;
    if (DPMSQueryExtension(display, &event, &error) && DPMSCapable(display) &&
        DPMSInfo(display, &level, &enabled) && enabled) {
        DPMSForceLevel(display, DPMSModeOn);
    }
    // As the platform's wake-up does.
    XResetScreenSaver(display);
    XFlush(display);
}

}  // namespace standin::x11
