// Synthesised keys through XTest and display wake-up through DPMS, on a connection of our own so
// that nothing here depends on how SDL talks to the server.
#include "x11_extras.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/dpms.h>

namespace standin::x11 {

namespace {

Display* connection = nullptr;
bool tried = false;

Display* Connection() {
    if (!tried) {
        tried = true;
        connection = XOpenDisplay(nullptr);
    }
    return connection;
}

// Requests a server may refuse (DPMS switched off, say) must not end the program the way Xlib's
// default handler would: errors of our own requests are collected here and ignored.
int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

class IgnoringErrors {
  public:
    explicit IgnoringErrors(Display* display)
        : display_(display), previous_(XSetErrorHandler(IgnoreError)) {}
    ~IgnoringErrors() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    IgnoringErrors(const IgnoringErrors&) = delete;
    IgnoringErrors& operator=(const IgnoringErrors&) = delete;

  private:
    Display* display_;
    int (*previous_)(Display*, XErrorEvent*);
};

}  // namespace

unsigned SendKeys(const KeyEvent* events, unsigned count) {
    Display* display = Connection();
    int event = 0, error = 0, major = 0, minor = 0;
    if (display == nullptr || !XTestQueryExtension(display, &event, &error, &major, &minor)) {
        return 0;
    }
    IgnoringErrors guard(display);
    unsigned sent = 0;
    for (unsigned i = 0; i < count; ++i) {
        const KeySym symbol = events[i].keysym ? XStringToKeysym(events[i].keysym) : NoSymbol;
        const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(display, symbol);
        if (code == 0) continue;
        if (XTestFakeKeyEvent(display, code, events[i].press ? True : False, CurrentTime)) ++sent;
    }
    return sent;
}

void WakeDisplay() {
    Display* display = Connection();
    if (display == nullptr) return;
    IgnoringErrors guard(display);
    int event = 0, error = 0;
    CARD16 level = 0;
    BOOL enabled = False;
    if (DPMSQueryExtension(display, &event, &error) && DPMSCapable(display) &&
        DPMSInfo(display, &level, &enabled) && enabled) {
        DPMSForceLevel(display, DPMSModeOn);
    }
    // Counts as user activity for the screen saver, as the platform's wake-up does.
    XResetScreenSaver(display);
}

void Close() {
    if (connection != nullptr) XCloseDisplay(connection);
    connection = nullptr;
    tried = false;
}

}  // namespace standin::x11
