// The real display on plain Xlib: one X window per window, showing the client area's pixels; keys,
// pointer, wheel and window-manager requests are posted as the platform's messages. Time comes
// from a clock that keeps counting through suspend, as the platform's tick count does.
// Xlib rather than a toolkit keeps the process small: cairo already brings Xlib in.
#include "x11_host.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "icons.h"
#include "real_time.h"
#include "window_system.h"
#include "x11_display_power.h"
#include "x11_keys.h"

// After the stand-in's headers: Xlib's macros (None, Bool, Status, ...) must not reach them.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace standin {

namespace {

// A refused request (DPMS switched off, a window already gone) must not end the program the way
// Xlib's default handler would.
int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

// The platform's double-click: the same button again within 500 ms and 2 pixels.
constexpr ::Time DoubleClickMs = 500;
constexpr int DoubleClickRadius = 2;
constexpr int WheelUpButton = 4;
constexpr int WheelDownButton = 5;

LPARAM PointParam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)),
                      static_cast<WORD>(static_cast<short>(y)));
}

unsigned ButtonMask(unsigned button) {
    switch (button) {
        case Button1:
            return Button1Mask;
        case Button2:
            return Button2Mask;
        case Button3:
            return Button3Mask;
        default:
            return 0;
    }
}

WPARAM MouseKeys(unsigned state) {
    WPARAM keys = 0;
    if ((state & Button1Mask) != 0) keys |= MK_LBUTTON;
    if ((state & Button3Mask) != 0) keys |= MK_RBUTTON;
    if ((state & Button2Mask) != 0) keys |= MK_MBUTTON;
    if ((state & ShiftMask) != 0) keys |= MK_SHIFT;
    if ((state & ControlMask) != 0) keys |= MK_CONTROL;
    return keys;
}

// Wide enough to keep requests few, narrow enough that a changed digit does not send its row's
// neighbours.
constexpr int StripWidth = 32;

struct Pixels {
    std::uint32_t* data;
    int rowPixels;
    std::uint32_t* At(int x, int y) const {
        return data + static_cast<std::ptrdiff_t>(y) * rowPixels + x;
    }
};

struct Atoms {
    Atom protocols, deleteWindow, ping, netWmName, utf8String, netWmIcon, netWmPid, netWmState,
        stateAbove, stateDemandsAttention, netActiveWindow, motifHints;
};

class X11Host final : public Host {
  public:
    X11Host(Display* display, const XVisualInfo& visual) : display_(display), visual_(visual) {
        const int screen = visual.screen;
        root_ = RootWindow(display, screen);
        colormap_ = XCreateColormap(display, root_, visual.visual, AllocNone);
        Atom* const atoms = reinterpret_cast<Atom*>(&atoms_);
        const char* names[] = {"WM_PROTOCOLS",        "WM_DELETE_WINDOW",
                               "_NET_WM_PING",        "_NET_WM_NAME",
                               "UTF8_STRING",         "_NET_WM_ICON",
                               "_NET_WM_PID",         "_NET_WM_STATE",
                               "_NET_WM_STATE_ABOVE", "_NET_WM_STATE_DEMANDS_ATTENTION",
                               "_NET_ACTIVE_WINDOW",  "_MOTIF_WM_HINTS"};
        static_assert(sizeof(Atoms) == sizeof(names) / sizeof(names[0]) * sizeof(Atom));
        XInternAtoms(display, const_cast<char**>(names), sizeof(names) / sizeof(names[0]), False,
                     atoms);
        // Auto-repeat then comes as presses alone, not as release-press pairs.
        Bool detectable = False;
        XkbSetDetectableAutoRepeat(display, True, &detectable);
    }

    ~X11Host() override {
        if (gc_ != nullptr) XFreeGC(display_, gc_);
        XFreeColormap(display_, colormap_);
        XCloseDisplay(display_);
    }

    X11Host(const X11Host&) = delete;
    X11Host& operator=(const X11Host&) = delete;

    std::uint64_t NowMs() override { return BootTimeMs(); }

    void Sleep(std::uint32_t ms) override { SleepMs(ms); }

    void WindowCreated(Window& window) override {
        const int edge = EdgeWidth(window);
        const auto width = static_cast<unsigned>(window.clientWidth + 2 * edge);
        const auto height = static_cast<unsigned>(window.clientHeight + 2 * edge);
        const bool centred = window.x == CentredOnScreen || window.y == CentredOnScreen;
        const bool placed = centred || window.x != CW_USEDEFAULT;
        int x = 0;
        int y = 0;
        if (centred) {
            x = (DisplayWidth(display_, visual_.screen) - static_cast<int>(width)) / 2;
            y = (DisplayHeight(display_, visual_.screen) - static_cast<int>(height)) / 2;
        } else if (placed) {
            x = window.x;
            y = window.y;
        }
        XSetWindowAttributes attributes{};
        attributes.colormap = colormap_;
        attributes.border_pixel = 0;
        attributes.background_pixmap = None;
        attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                                ButtonReleaseMask | PointerMotionMask | FocusChangeMask;
        const ::Window native = XCreateWindow(
            display_, root_, x, y, width, height, 0, visual_.depth, InputOutput, visual_.visual,
            CWColormap | CWBorderPixel | CWBackPixmap | CWEventMask, &attributes);
        if (native == 0) return;
        window.native = reinterpret_cast<void*>(native);
        byNative_[native] = window.handle;
        if (gc_ == nullptr) gc_ = XCreateGC(display_, native, 0, nullptr);

        // A fixed size, and a place only where one was asked for.
        XSizeHints* size = XAllocSizeHints();
        size->flags = PMinSize | PMaxSize | (placed ? USPosition | PPosition : 0);
        size->x = x;
        size->y = y;
        size->min_width = size->max_width = static_cast<int>(width);
        size->min_height = size->max_height = static_cast<int>(height);
        XWMHints* hints = XAllocWMHints();
        hints->flags = InputHint | StateHint;
        hints->input = True;
        hints->initial_state = NormalState;
        XClassHint* klass = XAllocClassHint();
        klass->res_name = const_cast<char*>("ovenbell");
        klass->res_class = const_cast<char*>("Ovenbell");
        XTextProperty title{};
        char* titleText = window.title.data();
        XStringListToTextProperty(&titleText, 1, &title);
        XSetWMProperties(display_, native, &title, &title, nullptr, 0, size, hints, klass);
        XFree(title.value);
        XFree(size);
        XFree(hints);
        XFree(klass);
        SetProperty(native, atoms_.netWmName, atoms_.utf8String, 8, window.title.data(),
                    static_cast<int>(window.title.size()));
        Atom protocols[] = {atoms_.deleteWindow, atoms_.ping};
        XSetWMProtocols(display_, native, protocols, 2);
        long pid = static_cast<long>(getpid());
        SetProperty(native, atoms_.netWmPid, XA_CARDINAL, 32, &pid, 1);
        if ((window.exStyle & WS_EX_TOPMOST) != 0) {
            // Read by the window manager when the window is first mapped.
            SetProperty(native, atoms_.netWmState, XA_ATOM, 32, &atoms_.stateAbove, 1);
        }
        if ((window.style & WS_CAPTION) == WS_CAPTION) {
            AskForPlainCaption(native, (window.style & WS_SYSMENU) != 0);
        }
        if (const IconImage* icon = FindIcon(window.windowClass.icon)) SetIcon(native, *icon);
    }

    void WindowDestroyed(Window& window) override {
        if (const ::Window native = Native(window)) {
            byNative_.erase(native);
            flashEnds_.erase(window.handle);
            shown_.erase(native);
            XDestroyWindow(display_, native);
            XFlush(display_);
        }
        window.native = nullptr;
    }

    void WindowShown(Window& window, bool shown) override {
        const ::Window native = Native(window);
        if (native == 0) return;
        if (shown) {
            XMapRaised(display_, native);
        } else {
            XWithdrawWindow(display_, native, visual_.screen);
            shown_.erase(native);
        }
        XFlush(display_);
    }

    void Present(Window& window, const RECT& area) override { Show(window, area, false); }

    void Poll() override {
        EndFinishedFlashes();
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            Translate(event);
        }
    }

    bool Wait(std::optional<std::uint64_t> deadlineMs) override {
        // Sends what is queued for the server, too.
        if (XPending(display_) == 0) {
            const std::uint64_t now = NowMs();
            std::optional<std::uint64_t> wake = deadlineMs;
            auto earlier = [&wake](std::uint64_t at) { wake = wake ? std::min(*wake, at) : at; };
            if (const auto housekeeping = HousekeepingDueInMs()) earlier(now + *housekeeping);
            for (const auto& [window, end] : flashEnds_) earlier(end);
            int timeout = -1;
            if (wake) {
                timeout = static_cast<int>(
                    std::min<std::uint64_t>(*wake > now ? *wake - now : 0, 1u << 30));
            }
            pollfd connection{ConnectionNumber(display_), POLLIN, 0};
            poll(&connection, 1, timeout);
        }
        Poll();
        return true;
    }

    void Capture(Window* window) override {
        const ::Window native = window != nullptr ? Native(*window) : 0;
        if (native != 0) {
            // Every pointer event comes to the capturing window, wherever the pointer is.
            XGrabPointer(display_, native, False,
                         ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                         GrabModeAsync, None, None, CurrentTime);
        } else {
            XUngrabPointer(display_, CurrentTime);
        }
        XFlush(display_);
    }

    bool Raise(Window& window) override {
        const ::Window native = Native(window);
        if (native == 0) return false;
        XRaiseWindow(display_, native);
        // Source 1: an application asks; the window manager decides whether to give focus.
        SendToWindowManager(native, atoms_.netActiveWindow, 1, static_cast<long>(lastEventTime_),
                            0);
        XFlush(display_);
        return true;
    }

    void Flash(Window& window, UINT count, DWORD intervalMs) override {
        const ::Window native = Native(window);
        if (native == 0) return;
        // The desktop flashes an urgent window its own way; we keep it urgent for as long as the
        // platform would flash it, or until it is focused when no count is given.
        SetUrgent(native, true);
        if (count > 0)
            flashEnds_[window.handle] =
                NowMs() + std::uint64_t{count} * std::max<DWORD>(intervalMs, 1);
    }

    void StopFlashing(Window& window) override {
        if (const ::Window native = Native(window)) SetUrgent(native, false);
        flashEnds_.erase(window.handle);
    }

    UINT SynthesizeKeys(const INPUT* inputs, UINT count) override {
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) return 0;
        UINT sent = 0;
        for (UINT i = 0; i < count; ++i) {
            if (inputs[i].type != INPUT_KEYBOARD) continue;
            const KeySym symbol = x11::KeySymOf(inputs[i].ki.wVk);
            const KeyCode code = symbol == 0 ? 0 : XKeysymToKeycode(display_, symbol);
            if (code == 0) continue;
            const bool press = (inputs[i].ki.dwFlags & KEYEVENTF_KEYUP) == 0;
            if (XTestFakeKeyEvent(display_, code, press ? True : False, CurrentTime)) ++sent;
        }
        XFlush(display_);
        return sent;
    }

    void WakeDisplay() override { x11::WakeDisplay(display_); }

  private:
    static ::Window Native(const Window& window) {
        return static_cast<::Window>(reinterpret_cast<std::uintptr_t>(window.native));
    }

    // The sunken client edge is part of the window, not of the desktop's frame: we draw it.
    static int EdgeWidth(const Window& window) {
        return (window.exStyle & WS_EX_CLIENTEDGE) != 0 ? ClientEdgeWidth : 0;
    }

    template <typename T>
    void SetProperty(::Window native, Atom property, Atom type, int format, const T* data,
                     int count) {
        XChangeProperty(display_, native, property, type, format, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(data), count);
    }

    void SendToWindowManager(::Window native, Atom message, long a, long b, long c) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = native;
        event.xclient.message_type = message;
        event.xclient.format = 32;
        event.xclient.data.l[0] = a;
        event.xclient.data.l[1] = b;
        event.xclient.data.l[2] = c;
        XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask,
                   &event);
    }

    // Asks the window manager for a caption that moves the window and, with `closeBox`, closes it:
    // no minimise or maximise box and no sizing border, as a fixed-size captioned window has on
    // the platform. The Motif hints most window managers read: flags, functions, decorations,
    // input mode, status.
    void AskForPlainCaption(::Window native, bool closeBox) {
        constexpr long functions = 1, decorations = 2;
        constexpr long functionMove = 4, functionClose = 32;
        constexpr long border = 2, title = 8, menu = 16;
        const long hints[5] = {functions | decorations,
                               functionMove | (closeBox ? functionClose : 0),
                               border | title | (closeBox ? menu : 0), 0, 0};
        SetProperty(native, atoms_.motifHints, atoms_.motifHints, 32, hints, 5);
    }

    void SetIcon(::Window native, const IconImage& icon) {
        // Width, height, then ARGB pixels, each in a long whatever its size.
        std::vector<long> data;
        data.reserve(icon.pixels.size() + 2);
        data.push_back(icon.width);
        data.push_back(icon.height);
        for (const std::uint32_t pixel : icon.pixels) data.push_back(static_cast<long>(pixel));
        SetProperty(native, atoms_.netWmIcon, XA_CARDINAL, 32, data.data(),
                    static_cast<int>(data.size()));
    }

    void SetUrgent(::Window native, bool urgent) {
        if (XWMHints* hints = XGetWMHints(display_, native)) {
            hints->flags = urgent ? hints->flags | XUrgencyHint : hints->flags & ~XUrgencyHint;
            XSetWMHints(display_, native, hints);
            XFree(hints);
        }
        // Window managers that go by the newer state instead; 1 adds it, 0 removes it.
        SendToWindowManager(native, atoms_.netWmState, urgent ? 1 : 0,
                            static_cast<long>(atoms_.stateDemandsAttention), 0);
        XFlush(display_);
    }

    // Puts what differs in `area` from what the window last showed (all of it with `whole`)
    // into the window, a strip of columns at a time, and flushes without waiting for any reply.
    // A second's frame changes a digit or two, the ring's edge and the bar's end, so this sends
    // a fraction of the frame.
    void Show(Window& window, const RECT& area, bool whole) {
        const ::Window native = Native(window);
        if (native == 0 || !window.visible || window.surface == nullptr) return;
        cairo_surface_flush(window.surface);
        const Pixels now{
            reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(window.surface)),
            cairo_image_surface_get_stride(window.surface) / 4};
        const int width = window.clientWidth;
        const int height = window.clientHeight;
        std::vector<std::uint32_t>& shown = shown_[native];
        const auto size =
            static_cast<std::size_t>(now.rowPixels) * static_cast<std::size_t>(height);
        if (shown.size() != size) {
            shown.assign(size, 0);
            whole = true;
        }
        const Pixels before{shown.data(), now.rowPixels};
        const int left = std::clamp<int>(area.left, 0, width);
        const int right = std::clamp<int>(area.right, left, width);
        const int top = std::clamp<int>(area.top, 0, height);
        const int bottom = std::clamp<int>(area.bottom, top, height);

        // The image only borrows the rows: it is told the whole buffer and sends rectangles.
        XImage* image =
            XCreateImage(display_, visual_.visual, static_cast<unsigned>(visual_.depth), ZPixmap, 0,
                         reinterpret_cast<char*>(now.data), static_cast<unsigned>(width),
                         static_cast<unsigned>(height), 32, now.rowPixels * 4);
        if (image == nullptr) return;
        image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
        const int edge = EdgeWidth(window);
        for (int stripLeft = left; stripLeft < right; stripLeft += StripWidth) {
            const int stripRight = std::min(right, stripLeft + StripWidth);
            const auto rowBytes = static_cast<std::size_t>(stripRight - stripLeft) * 4;
            auto same = [&](int row) {
                return std::memcmp(now.At(stripLeft, row), before.At(stripLeft, row), rowBytes) ==
                       0;
            };
            int first = top;
            int last = bottom;
            if (!whole) {
                while (first < last && same(first)) ++first;
                while (last > first && same(last - 1)) --last;
            }
            if (first == last) continue;
            for (int row = first; row < last; ++row) {
                std::memcpy(before.At(stripLeft, row), now.At(stripLeft, row), rowBytes);
            }
            XPutImage(display_, native, gc_, image, stripLeft, first, stripLeft + edge,
                      first + edge, static_cast<unsigned>(stripRight - stripLeft),
                      static_cast<unsigned>(last - first));
        }
        image->data = nullptr;
        XDestroyImage(image);
        XFlush(display_);
    }

    void DrawClientEdge(const Window& window) {
        const ::Window native = Native(window);
        if (native == 0 || EdgeWidth(window) == 0) return;
        const int w = window.clientWidth + 2 * ClientEdgeWidth;
        const int h = window.clientHeight + 2 * ClientEdgeWidth;
        struct Stroke {
            int x, y, width, height;
            unsigned long grey;
        };
        // Outer ring: shadow above and left, highlight below and right; inner ring darker.
        const Stroke strokes[] = {
            {0, 0, w, 1, 160},         {0, 0, 1, h, 160},         {0, h - 1, w, 1, 255},
            {w - 1, 0, 1, h, 255},     {1, 1, w - 2, 1, 105},     {1, 1, 1, h - 2, 105},
            {1, h - 2, w - 2, 1, 227}, {w - 2, 1, 1, h - 2, 227},
        };
        for (const Stroke& s : strokes) {
            XSetForeground(display_, gc_, s.grey << 16 | s.grey << 8 | s.grey);
            XFillRectangle(display_, native, gc_, s.x, s.y, static_cast<unsigned>(s.width),
                           static_cast<unsigned>(s.height));
        }
    }

    HWND Find(::Window native) const {
        const auto found = byNative_.find(native);
        return found == byNative_.end() ? nullptr : found->second;
    }

    void EndFinishedFlashes() {
        const std::uint64_t now = NowMs();
        for (auto it = flashEnds_.begin(); it != flashEnds_.end();) {
            if (it->second <= now) {
                if (Window* window = FindWindow(it->first); window && Native(*window)) {
                    SetUrgent(Native(*window), false);
                }
                it = flashEnds_.erase(it);
            } else {
                ++it;
            }
        }
    }

    void Translate(XEvent& event) {
        const HWND handle = Find(event.xany.window);
        Window* window = FindWindow(handle);
        if (window == nullptr) return;
        switch (event.type) {
            case Expose:
                // The client area's pixels are kept, so an uncovered part is shown again as is.
                if (event.xexpose.count == 0) {
                    DrawClientEdge(*window);
                    Show(*window, RECT{0, 0, window->clientWidth, window->clientHeight}, true);
                }
                break;
            case ClientMessage:
                TranslateClientMessage(handle, event.xclient);
                break;
            case FocusIn:
                if (Native(*window)) SetUrgent(Native(*window), false);
                flashEnds_.erase(handle);
                break;
            case FocusOut:
                // Keys released elsewhere never tell us so.
                held_.clear();
                break;
            case KeyPress:
            case KeyRelease:
                lastEventTime_ = event.xkey.time;
                TranslateKey(handle, event.xkey);
                break;
            case MotionNotify: {
                const int edge = EdgeWidth(*window);
                Post(handle, WM_MOUSEMOVE, MouseKeys(event.xmotion.state),
                     PointParam(event.xmotion.x - edge, event.xmotion.y - edge));
                break;
            }
            case ButtonPress:
            case ButtonRelease:
                lastEventTime_ = event.xbutton.time;
                TranslateButton(*window, event.xbutton);
                break;
            default:
                break;
        }
    }

    void TranslateClientMessage(HWND handle, XClientMessageEvent& event) {
        if (event.message_type != atoms_.protocols) return;
        const auto protocol = static_cast<Atom>(event.data.l[0]);
        if (protocol == atoms_.deleteWindow) {
            // The close box: the system menu's Close, as the platform reports it.
            Post(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else if (protocol == atoms_.ping) {
            // The window manager asks whether we still answer.
            event.window = root_;
            XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask,
                       reinterpret_cast<XEvent*>(&event));
            XFlush(display_);
        }
    }

    void TranslateKey(HWND handle, XKeyEvent& event) {
        KeySym symbol = XLookupKeysym(&event, 0);
        // With Num Lock on, the keypad's digits are digits.
        if ((event.state & Mod2Mask) != 0 && symbol >= XK_KP_Home && symbol <= XK_KP_Delete) {
            const KeySym shifted = XLookupKeysym(&event, 1);
            if (shifted != NoSymbol) symbol = shifted;
        }
        const WPARAM key = x11::VirtualKeyOf(symbol);
        if (key == 0) return;
        const bool down = event.type == KeyPress;
        const bool wasDown = held_.count(event.keycode) != 0;
        if (down) {
            held_.insert(event.keycode);
        } else {
            held_.erase(event.keycode);
        }
        const bool alt = (event.state & Mod1Mask) != 0 || key == VK_MENU;
        // Bits: repeat count 1, scan code, Alt held (29), key was down before (30), released (31).
        // X key codes are the kernel's codes plus 8, which are the platform's scan codes.
        const unsigned scanCode = event.keycode >= 8 ? event.keycode - 8 : 0;
        LPARAM lParam = 1 | (static_cast<LPARAM>(scanCode & 0xFF) << 16);
        if (alt) lParam |= LPARAM{1} << 29;
        if (!down || wasDown) lParam |= LPARAM{1} << 30;
        if (!down) lParam |= LPARAM{1} << 31;
        const bool system = alt || key == VK_F10;
        const UINT message =
            down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
        Post(handle, message, key, lParam);
    }

    void TranslateButton(const Window& window, const XButtonEvent& event) {
        const bool down = event.type == ButtonPress;
        if (event.button == WheelUpButton || event.button == WheelDownButton) {
            if (!down) return;
            const auto delta =
                static_cast<short>(event.button == WheelUpButton ? WHEEL_DELTA : -WHEEL_DELTA);
            // The wheel message carries screen coordinates.
            Post(window.handle, WM_MOUSEWHEEL,
                 MAKEWPARAM(static_cast<WORD>(MouseKeys(event.state)), static_cast<WORD>(delta)),
                 PointParam(event.x_root, event.y_root));
            return;
        }
        // The state is from before the event; the platform's is from after it.
        const unsigned mask = ButtonMask(event.button);
        const unsigned state = down ? event.state | mask : event.state & ~mask;
        bool doubleClick = false;
        if (down) {
            // The second click of a pair is the double-click; a third starts a new pair.
            doubleClick = (window.windowClass.style & CS_DBLCLKS) != 0 && !lastWasDouble_ &&
                          event.window == lastClick_.window && event.button == lastClick_.button &&
                          event.time - lastClick_.time <= DoubleClickMs &&
                          std::abs(event.x - lastClick_.x) <= DoubleClickRadius &&
                          std::abs(event.y - lastClick_.y) <= DoubleClickRadius;
            lastWasDouble_ = doubleClick;
            lastClick_ = event;
        }
        UINT message = 0;
        switch (event.button) {
            case Button1:
                message = down ? (doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN) : WM_LBUTTONUP;
                break;
            case Button3:
                message = down ? (doubleClick ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN) : WM_RBUTTONUP;
                break;
            case Button2:
                message = down ? (doubleClick ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN) : WM_MBUTTONUP;
                break;
            default:
                return;
        }
        const int edge = EdgeWidth(window);
        Post(window.handle, message, MouseKeys(state), PointParam(event.x - edge, event.y - edge));
    }

    Display* display_;
    XVisualInfo visual_;
    ::Window root_ = 0;
    Colormap colormap_ = 0;
    GC gc_ = nullptr;
    Atoms atoms_{};
    ::Time lastEventTime_ = CurrentTime;
    XButtonEvent lastClick_{};
    bool lastWasDouble_ = false;
    std::set<unsigned> held_;
    std::map<::Window, HWND> byNative_;
    std::map<::Window, std::vector<std::uint32_t>> shown_;
    std::map<HWND, std::uint64_t> flashEnds_;
};

std::unique_ptr<X11Host> host;

}  // namespace

Host* OpenDisplayHost(std::string& error) {
    if (host) return host.get();
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        error = std::getenv("WAYLAND_DISPLAY") != nullptr
                    ? "DISPLAY is not set; the timer needs X11 or XWayland"
                    : "DISPLAY is not set";
        return nullptr;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        error = std::string("cannot open display ") + name;
        return nullptr;
    }
    // The client area's pixels are cairo's: 32 bits with red in 0xFF0000.
    XVisualInfo visual{};
    if (XMatchVisualInfo(display, DefaultScreen(display), 24, TrueColor, &visual) == 0 ||
        visual.red_mask != 0xFF0000 || visual.green_mask != 0xFF00 || visual.blue_mask != 0xFF) {
        XCloseDisplay(display);
        error = std::string("display ") + name + " has no 24-bit true-colour visual";
        return nullptr;
    }
    XSetErrorHandler(IgnoreError);
    host = std::make_unique<X11Host>(display, visual);
    return host.get();
}

void CloseDisplayHost() {
    host.reset();
}

}  // namespace standin
