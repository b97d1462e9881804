// The real display on SDL2: one SDL window per window, with the client area's pixels blitted to
// its software surface; keyboard, pointer, wheel and window events are posted as the platform's
// messages. Time comes from CLOCK_BOOTTIME, which keeps counting through suspend as the
// platform's tick count does.
#include "sdl_host.h"

#include <SDL.h>
#include <time.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "icons.h"
#include "window_system.h"
#include "x11_extras.h"

namespace standin {

namespace {

std::uint64_t BootTimeMs() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000 +
           static_cast<std::uint64_t>(now.tv_nsec) / 1000000;
}

SDL_Window* Native(const Window& window) {
    return static_cast<SDL_Window*>(window.native);
}

WPARAM VirtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<WPARAM>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<WPARAM>('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<WPARAM>(VK_F1 + (key - SDLK_F1));
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return static_cast<WPARAM>(0x61 + (key - SDLK_KP_1));
    switch (key) {
        case SDLK_KP_0:
            return 0x60;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_END:
            return VK_END;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_INSERT:
            return VK_INSERT;
        case SDLK_DELETE:
            return VK_DELETE;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return VK_MENU;
        default:
            return 0;
    }
}

// The keys a program may synthesise, by their X names.
const char* KeySymName(WORD virtualKey) {
    switch (virtualKey) {
        case VK_SHIFT:
        case VK_LSHIFT:
            return "Shift_L";
        case VK_RSHIFT:
            return "Shift_R";
        case VK_CONTROL:
            return "Control_L";
        case VK_MENU:
            return "Alt_L";
        case VK_RETURN:
            return "Return";
        case VK_ESCAPE:
            return "Escape";
        case VK_SPACE:
            return "space";
        default:
            return nullptr;
    }
}

WPARAM MouseKeys(Uint32 buttons) {
    WPARAM keys = 0;
    if ((buttons & SDL_BUTTON_LMASK) != 0) keys |= MK_LBUTTON;
    if ((buttons & SDL_BUTTON_RMASK) != 0) keys |= MK_RBUTTON;
    if ((buttons & SDL_BUTTON_MMASK) != 0) keys |= MK_MBUTTON;
    const SDL_Keymod mods = SDL_GetModState();
    if ((mods & KMOD_SHIFT) != 0) keys |= MK_SHIFT;
    if ((mods & KMOD_CTRL) != 0) keys |= MK_CONTROL;
    return keys;
}

void SetIcon(SDL_Window* native, const IconImage& icon) {
    // SDL copies the pixels, so the surface may borrow them.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(icon.pixels.data()), icon.width, icon.height, 32, icon.width * 4,
        SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) return;
    SDL_SetWindowIcon(native, surface);
    SDL_FreeSurface(surface);
}

LPARAM PointParam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)),
                      static_cast<WORD>(static_cast<short>(y)));
}

class SdlHost final : public Host {
  public:
    std::uint64_t NowMs() override { return BootTimeMs(); }

    void Sleep(std::uint32_t ms) override { SDL_Delay(ms); }

    void WindowCreated(Window& window) override {
        // The masks alone are the positions on the first display.
        constexpr int undefined = static_cast<int>(SDL_WINDOWPOS_UNDEFINED_MASK);
        constexpr int centred = static_cast<int>(SDL_WINDOWPOS_CENTERED_MASK);
        int x = window.x == CW_USEDEFAULT ? undefined : window.x;
        int y = window.y == CW_USEDEFAULT ? undefined : window.y;
        if (window.x == CentredOnScreen) x = centred;
        if (window.y == CentredOnScreen) y = centred;
        Uint32 flags = SDL_WINDOW_HIDDEN;
        if ((window.exStyle & WS_EX_TOPMOST) != 0) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
        const int edge = EdgeWidth(window);
        SDL_Window* native =
            SDL_CreateWindow(window.title.c_str(), x, y, window.clientWidth + 2 * edge,
                             window.clientHeight + 2 * edge, flags);
        window.native = native;
        if (native == nullptr) return;
        byId_[SDL_GetWindowID(native)] = window.handle;
        if ((window.style & WS_CAPTION) == WS_CAPTION) {
            x11::AskForPlainCaption(native, (window.style & WS_SYSMENU) != 0);
        }
        if (const IconImage* icon = FindIcon(window.windowClass.icon)) SetIcon(native, *icon);
    }

    void WindowDestroyed(Window& window) override {
        if (SDL_Window* native = Native(window)) {
            byId_.erase(SDL_GetWindowID(native));
            flashEnds_.erase(window.handle);
            SDL_DestroyWindow(native);
        }
        window.native = nullptr;
    }

    void WindowShown(Window& window, bool shown) override {
        if (SDL_Window* native = Native(window)) {
            if (shown) {
                SDL_ShowWindow(native);
            } else {
                SDL_HideWindow(native);
            }
        }
    }

    void Present(Window& window, const RECT& area) override {
        SDL_Window* native = Native(window);
        if (native == nullptr || !window.visible) return;
        cairo_surface_flush(window.surface);
        unsigned char* pixels = cairo_image_surface_get_data(window.surface);
        const int stride = cairo_image_surface_get_stride(window.surface);
        const int edge = EdgeWidth(window);
        SDL_Rect rect{area.left, area.top, area.right - area.left, area.bottom - area.top};
        SDL_Rect destination{area.left + edge, area.top + edge, rect.w, rect.h};
        if (x11::PutPixels(native, pixels, stride, rect.x, rect.y, rect.w, rect.h, destination.x,
                           destination.y)) {
            return;
        }
        SDL_Surface* target = SDL_GetWindowSurface(native);
        if (target == nullptr) return;
        SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
            pixels, window.clientWidth, window.clientHeight, 32, stride, SDL_PIXELFORMAT_ARGB8888);
        if (source == nullptr) return;
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
        SDL_BlitSurface(source, &rect, target, &destination);
        SDL_FreeSurface(source);
        SDL_UpdateWindowSurfaceRects(native, &destination, 1);
    }

    void Poll() override {
        EndFinishedFlashes();
        // One read of the connection; SDL_PollEvent would read it again for every event.
        SDL_PumpEvents();
        SDL_Event event;
        while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
            Translate(event);
        }
    }

    bool Wait(std::optional<std::uint64_t> deadlineMs) override {
        const std::uint64_t now = NowMs();
        std::optional<std::uint64_t> wake = deadlineMs;
        auto earlier = [&wake](std::uint64_t at) { wake = wake ? std::min(*wake, at) : at; };
        if (const auto housekeeping = HousekeepingDueInMs()) earlier(now + *housekeeping);
        for (const auto& [window, end] : flashEnds_) earlier(end);
        int timeout = -1;
        if (wake)
            timeout =
                static_cast<int>(std::min<std::uint64_t>(*wake > now ? *wake - now : 0, 1u << 30));
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, timeout) != 0) Translate(event);
        Poll();
        return true;
    }

    void Capture(Window* window) override {
        SDL_CaptureMouse(window != nullptr ? SDL_TRUE : SDL_FALSE);
    }

    bool Raise(Window& window) override {
        SDL_Window* native = Native(window);
        if (native == nullptr) return false;
        SDL_RaiseWindow(native);
        return true;
    }

    void Flash(Window& window, UINT count, DWORD intervalMs) override {
        SDL_Window* native = Native(window);
        if (native == nullptr) return;
        // The desktop flashes an urgent window its own way; we keep it urgent for as long as the
        // platform would flash it, or until it is focused when no count is given.
        SDL_FlashWindow(native, SDL_FLASH_UNTIL_FOCUSED);
        if (count > 0)
            flashEnds_[window.handle] =
                NowMs() + std::uint64_t{count} * std::max<DWORD>(intervalMs, 1);
    }

    void StopFlashing(Window& window) override {
        if (SDL_Window* native = Native(window)) SDL_FlashWindow(native, SDL_FLASH_CANCEL);
        flashEnds_.erase(window.handle);
    }

    UINT SynthesizeKeys(const INPUT* inputs, UINT count) override {
        if (!OnX11()) return 0;
        std::vector<x11::KeyEvent> events;
        for (UINT i = 0; i < count; ++i) {
            if (inputs[i].type != INPUT_KEYBOARD) continue;
            const char* keysym = KeySymName(inputs[i].ki.wVk);
            if (keysym == nullptr) continue;
            events.push_back({keysym, (inputs[i].ki.dwFlags & KEYEVENTF_KEYUP) == 0});
        }
        return x11::SendKeys(events.data(), static_cast<unsigned>(events.size()));
    }

    void WakeDisplay() override {
        if (OnX11()) x11::WakeDisplay();
    }

  private:
    // The sunken client edge is part of the window, not of the desktop's frame: we draw it.
    static int EdgeWidth(const Window& window) {
        return (window.exStyle & WS_EX_CLIENTEDGE) != 0 ? ClientEdgeWidth : 0;
    }

    static void DrawClientEdge(Window& window) {
        SDL_Window* native = Native(window);
        if (native == nullptr || EdgeWidth(window) == 0) return;
        int w = 0;
        int h = 0;
        SDL_GetWindowSize(native, &w, &h);
        struct Stroke {
            int x, y, width, height;
            Uint8 grey;
        };
        // Outer ring: shadow above and left, highlight below and right; inner ring darker.
        const Stroke strokes[] = {
            {0, 0, w, 1, 160},         {0, 0, 1, h, 160},         {0, h - 1, w, 1, 255},
            {w - 1, 0, 1, h, 255},     {1, 1, w - 2, 1, 105},     {1, 1, 1, h - 2, 105},
            {1, h - 2, w - 2, 1, 227}, {w - 2, 1, 1, h - 2, 227},
        };
        bool direct = true;
        for (const Stroke& s : strokes) {
            const unsigned long grey = s.grey;
            direct = direct && x11::FillRect(native, s.x, s.y, s.width, s.height,
                                             grey << 16 | grey << 8 | grey);
        }
        if (direct) return;
        SDL_Surface* target = SDL_GetWindowSurface(native);
        if (target == nullptr) return;
        for (const Stroke& s : strokes) {
            const SDL_Rect rect{s.x, s.y, s.width, s.height};
            SDL_FillRect(target, &rect, SDL_MapRGB(target->format, s.grey, s.grey, s.grey));
        }
        SDL_UpdateWindowSurface(native);
    }

    static bool OnX11() {
        const char* driver = SDL_GetCurrentVideoDriver();
        return driver != nullptr && std::strcmp(driver, "x11") == 0;
    }

    HWND Find(Uint32 windowId) const {
        const auto found = byId_.find(windowId);
        return found == byId_.end() ? nullptr : found->second;
    }

    void EndFinishedFlashes() {
        const std::uint64_t now = NowMs();
        for (auto it = flashEnds_.begin(); it != flashEnds_.end();) {
            if (it->second <= now) {
                if (Window* window = FindWindow(it->first); window && Native(*window)) {
                    SDL_FlashWindow(Native(*window), SDL_FLASH_CANCEL);
                }
                it = flashEnds_.erase(it);
            } else {
                ++it;
            }
        }
    }

    void Translate(const SDL_Event& event) {
        switch (event.type) {
            case SDL_WINDOWEVENT:
                TranslateWindowEvent(event.window);
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP:
                TranslateKey(event.key);
                break;
            case SDL_MOUSEMOTION:
                if (HWND window = Find(event.motion.windowID)) {
                    const int edge = EdgeWidth(*FindWindow(window));
                    Post(window, WM_MOUSEMOVE, MouseKeys(event.motion.state),
                         PointParam(event.motion.x - edge, event.motion.y - edge));
                }
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                TranslateButton(event.button);
                break;
            case SDL_MOUSEWHEEL:
                TranslateWheel(event.wheel);
                break;
            default:
                break;
        }
    }

    void TranslateWindowEvent(const SDL_WindowEvent& event) {
        const HWND handle = Find(event.windowID);
        Window* window = FindWindow(handle);
        if (window == nullptr) return;
        switch (event.event) {
            case SDL_WINDOWEVENT_CLOSE:
                // The close box: the system menu's Close, as the platform reports it.
                Post(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
                break;
            case SDL_WINDOWEVENT_EXPOSED:
                // The client area's pixels are kept, so an uncovered part is shown again as is.
                DrawClientEdge(*window);
                Present(*window, RECT{0, 0, window->clientWidth, window->clientHeight});
                break;
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                flashEnds_.erase(handle);
                break;
            default:
                break;
        }
    }

    void TranslateKey(const SDL_KeyboardEvent& event) {
        const HWND handle = Find(event.windowID);
        const WPARAM key = VirtualKey(event.keysym.sym);
        if (handle == nullptr || key == 0) return;
        const bool down = event.type == SDL_KEYDOWN;
        const bool alt = (event.keysym.mod & KMOD_ALT) != 0 || key == VK_MENU;
        // Bits: repeat count 1, scan code, Alt held (29), key was down before (30), released (31).
        LPARAM lParam = 1 | (static_cast<LPARAM>(event.keysym.scancode & 0xFF) << 16);
        if (alt) lParam |= LPARAM{1} << 29;
        if (!down || event.repeat != 0) lParam |= LPARAM{1} << 30;
        if (!down) lParam |= LPARAM{1} << 31;
        const bool system = alt || key == VK_F10;
        const UINT message =
            down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
        Post(handle, message, key, lParam);
    }

    void TranslateButton(const SDL_MouseButtonEvent& event) {
        const HWND handle = Find(event.windowID);
        Window* window = FindWindow(handle);
        if (window == nullptr) return;
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        // Every second click of a series is the double-click, as the platform counts them.
        const bool doubleClick =
            down && event.clicks % 2 == 0 && (window->windowClass.style & CS_DBLCLKS) != 0;
        UINT message = 0;
        switch (event.button) {
            case SDL_BUTTON_LEFT:
                message = down ? (doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN) : WM_LBUTTONUP;
                break;
            case SDL_BUTTON_RIGHT:
                message = down ? (doubleClick ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN) : WM_RBUTTONUP;
                break;
            case SDL_BUTTON_MIDDLE:
                message = down ? (doubleClick ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN) : WM_MBUTTONUP;
                break;
            default:
                return;
        }
        const int edge = EdgeWidth(*window);
        Post(handle, message, MouseKeys(SDL_GetMouseState(nullptr, nullptr)),
             PointParam(event.x - edge, event.y - edge));
    }

    void TranslateWheel(const SDL_MouseWheelEvent& event) {
        const HWND handle = Find(event.windowID);
        if (handle == nullptr || event.y == 0) return;
        int notches = event.y;
        if (event.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
        const auto delta = static_cast<short>(notches * WHEEL_DELTA);
        int x = 0;
        int y = 0;
        // The wheel message carries screen coordinates.
        SDL_GetGlobalMouseState(&x, &y);
        Post(handle, WM_MOUSEWHEEL,
             MAKEWPARAM(static_cast<WORD>(MouseKeys(SDL_GetMouseState(nullptr, nullptr))),
                        static_cast<WORD>(delta)),
             PointParam(x, y));
    }

    std::map<Uint32, HWND> byId_;
    std::map<HWND, std::uint64_t> flashEnds_;
};

std::unique_ptr<SdlHost> host;

}  // namespace

Host* OpenDisplayHost(std::string& error) {
    if (host) return host.get();
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A countdown timer must not keep the screen saver away.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The platform's double-click: 500 ms, within a few pixels.
    SDL_SetHint(SDL_HINT_MOUSE_DOUBLE_CLICK_TIME, "500");
    SDL_SetHint(SDL_HINT_MOUSE_DOUBLE_CLICK_RADIUS, "2");
    // Only a desktop will do; SDL would otherwise settle for an invisible off-screen driver.
    const bool x11 = std::getenv("DISPLAY") != nullptr;
    const bool wayland = std::getenv("WAYLAND_DISPLAY") != nullptr;
    if (std::getenv("SDL_VIDEODRIVER") == nullptr) {
        if (!x11 && !wayland) {
            error = "neither DISPLAY nor WAYLAND_DISPLAY is set";
            return nullptr;
        }
        SDL_SetHint(SDL_HINT_VIDEODRIVER, x11 && wayland ? "x11,wayland" : x11 ? "x11" : "wayland");
    }
    // The timer takes no text, so the input method SDL opens needs no compose table; building
    // the locale's own costs about 400 kB and several milliseconds of start-up. Nor does it need
    // a session bus (no text, and the screen saver may run); a bus given explicitly is left
    // alone, but without one SDL would spawn dbus-launch to start a bus for us.
    setenv("XCOMPOSEFILE", "/dev/null", 1);
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return nullptr;
    }
    SDL_StopTextInput();
    host = std::make_unique<SdlHost>();
    return host.get();
}

void CloseDisplayHost() {
    if (!host) return;
    host.reset();
    x11::Close();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace standin
