// Synthesised keys through XTest and display wake-up through DPMS, on a connection of our own so
// that nothing here depends on how SDL talks to the server; and drawing into SDL's windows, and
// the hints on them, on SDL's own connection, which the program's one thread shares with it.
#include "x11_extras.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
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

// SDL's connection and one graphics context for all its windows (they share the screen's default
// visual, which is what SDL gives windows that are drawn in software).
Display* drawingDisplay = nullptr;
GC drawingContext = nullptr;

struct Target {
    Display* display = nullptr;
    ::Window window = 0;
    Visual* visual = nullptr;
    int depth = 0;
};

bool Find(SDL_Window* window, Target& target) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE ||
        info.subsystem != SDL_SYSWM_X11) {
        return false;
    }
    Display* display = info.info.x11.display;
    const int screen = DefaultScreen(display);
    Visual* visual = DefaultVisual(display, screen);
    if (visual->c_class != TrueColor || visual->red_mask != 0xFF0000 ||
        visual->green_mask != 0xFF00 || visual->blue_mask != 0xFF ||
        DefaultDepth(display, screen) < 24) {
        return false;
    }
    if (drawingDisplay != display) {
        if (drawingContext != nullptr && drawingDisplay != nullptr) {
            XFreeGC(drawingDisplay, drawingContext);
        }
        drawingDisplay = display;
        drawingContext = XCreateGC(display, info.info.x11.window, 0, nullptr);
    }
    target = Target{display, info.info.x11.window, visual, DefaultDepth(display, screen)};
    return drawingContext != nullptr;
}

}  // namespace

bool PutPixels(SDL_Window* window, const unsigned char* pixels, int stride, int fromX, int fromY,
               int width, int height, int toX, int toY) {
    Target target;
    if (!Find(window, target)) return false;
    // The image only borrows the rows: it is told the whole buffer and sends the rectangle.
    XImage* image = XCreateImage(
        target.display, target.visual, static_cast<unsigned>(target.depth), ZPixmap, 0,
        const_cast<char*>(reinterpret_cast<const char*>(pixels)),
        static_cast<unsigned>(fromX + width), static_cast<unsigned>(fromY + height), 32, stride);
    if (image == nullptr) return false;
    image->byte_order = SDL_BYTEORDER == SDL_LIL_ENDIAN ? LSBFirst : MSBFirst;
    XPutImage(target.display, target.window, drawingContext, image, fromX, fromY, toX, toY,
              static_cast<unsigned>(width), static_cast<unsigned>(height));
    image->data = nullptr;
    XDestroyImage(image);
    XFlush(target.display);
    return true;
}

bool FillRect(SDL_Window* window, int x, int y, int width, int height, unsigned long rgb) {
    Target target;
    if (!Find(window, target)) return false;
    XSetForeground(target.display, drawingContext, rgb);
    XFillRectangle(target.display, target.window, drawingContext, x, y,
                   static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFlush(target.display);
    return true;
}

void AskForPlainCaption(SDL_Window* window, bool closeBox) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE ||
        info.subsystem != SDL_SYSWM_X11) {
        return;
    }
    // The Motif hints most window managers read: flags, functions, decorations, input mode,
    // status. SDL sets them itself only to turn every decoration on or off.
    constexpr long functions = 1, decorations = 2;
    constexpr long functionMove = 4, functionClose = 32;
    constexpr long border = 2, title = 8, menu = 16;
    long hints[5] = {functions | decorations, functionMove | (closeBox ? functionClose : 0),
                     border | title | (closeBox ? menu : 0), 0, 0};
    Display* display = info.info.x11.display;
    const Atom property = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, info.info.x11.window, property, property, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
    XFlush(display);
}

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
    if (drawingContext != nullptr && drawingDisplay != nullptr) {
        XFreeGC(drawingDisplay, drawingContext);
    }
    drawingContext = nullptr;
    drawingDisplay = nullptr;
    if (connection != nullptr) XCloseDisplay(connection);
    connection = nullptr;
    tried = false;
}

}  // namespace standin::x11
