// The stand-in's window manager: classes, windows, the message queue, window timers and update
// rectangles, with the untraced operations that the public USER32 calls and the message box share.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "win32_api.h"

namespace standin {

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    HBRUSH background = nullptr;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
};

struct Window {
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    ~Window() {
        if (surface != nullptr) cairo_surface_destroy(surface);
    }

    HWND handle = nullptr;
    WindowClass windowClass;
    std::string title;
    DWORD style = 0;
    DWORD exStyle = 0;
    // Screen position asked for at creation (CW_USEDEFAULT: the host chooses).
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int outerWidth = 0;
    int outerHeight = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    bool visible = false;
    bool destroying = false;
    // Bounding rectangle of what needs painting; the platform keeps a region, we keep its bounds.
    std::optional<RECT> update;
    bool eraseDue = false;
    // The client area's pixels, kept between paints (also what the headless tests read).
    cairo_surface_t* surface = nullptr;
    // Owned by the host.
    void* native = nullptr;
};

// A creation position that asks the host to centre the window on the screen.
inline constexpr int CentredOnScreen = 0x2FFF0000;

// Frame sizes of a captioned window with a client edge, as the reference desktop draws them.
inline constexpr int FrameWidth = 3;
inline constexpr int CaptionHeight = 19;
inline constexpr int ClientEdgeWidth = 2;
int NonClientWidth(DWORD style, DWORD exStyle);
int NonClientHeight(DWORD style, DWORD exStyle);

Window* FindWindow(HWND handle);
// Every live window, oldest first.
std::vector<Window*> AllWindows();

ATOM RegisterClass(const WNDCLASSEXA& windowClass);
bool ClassExists(const std::string& name);
HWND CreateWindow(DWORD exStyle, const std::string& className, const std::string& title,
                  DWORD style, int x, int y, int width, int height, HINSTANCE instance,
                  LPVOID param, const std::string& labelKind);
bool Destroy(HWND handle);
bool Show(HWND handle, int showCommand);
UINT RegisterMessage(const std::string& name);

LRESULT Send(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
void Post(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuit(int exitCode);
// The heart of GetMessageA: 1 for a message, 0 for the quit message, -1 when no message can come.
BOOL NextMessage(MSG& message);
LRESULT Dispatch(const MSG& message);
LRESULT DefaultProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

void Invalidate(Window& window, const RECT* rect, bool erase);
// Sends WM_PAINT at once when something is due.
void PaintNow(Window& window);
HDC StartPaint(Window& window, PAINTSTRUCT& paint);
void FinishPaint(Window& window, const PAINTSTRUCT& paint);

UINT_PTR StartTimer(HWND handle, UINT_PTR id, UINT periodMs, TIMERPROC procedure);
bool StopTimer(HWND handle, UINT_PTR id);

HWND CaptureWindow();
void SetCaptureWindow(HWND handle);

std::uint64_t NowMs();
DWORD TickCount();

// Work on a real-time deadline of its own (closing the sound device once it is idle): every loop
// turn runs it, and a waiting host wakes up for it.
void SetHousekeeping(std::function<std::optional<std::uint32_t>()> msUntilDue,
                     std::function<void()> run);
std::optional<std::uint32_t> HousekeepingDueInMs();

// A fresh handle value, unique among windows, device contexts and GDI objects.
void* NewHandle();

// Forgets every class, window, message, timer and registered message (tests start afresh).
void ResetWindowSystem();

}  // namespace standin
