// The stand-in's window manager: classes, windows, the message queue, window timers and update
// rectangles. One thread, as in the program: nothing here is locked.
#include "window_system.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <map>
#include <memory>

#include "gdi_objects.h"
#include "host.h"
#include "trace.h"

namespace standin {

namespace {

struct Timer {
    HWND window = nullptr;
    UINT_PTR id = 0;
    TIMERPROC procedure = nullptr;
    std::uint64_t periodMs = 0;
    std::uint64_t dueMs = 0;
};

struct WindowSystem {
    std::map<std::string, WindowClass> classes;
    ATOM nextAtom = 0xC000;
    std::vector<std::unique_ptr<Window>> windows;
    std::deque<MSG> queue;
    bool quitPosted = false;
    int quitCode = 0;
    std::vector<Timer> timers;
    std::map<std::string, UINT> messages;
    UINT nextMessage = 0xC000;
    HWND capture = nullptr;
    std::uintptr_t nextHandle = 0x10000;
    std::function<std::optional<std::uint32_t>()> housekeepingDue;
    std::function<void()> housekeeping;
};

WindowSystem& System() {
    static WindowSystem system;
    return system;
}

// Class and message names compare without regard to case, as on the platform.
std::string Folded(const std::string& name) {
    std::string folded = name;
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

RECT ClientRect(const Window& window) {
    return RECT{0, 0, window.clientWidth, window.clientHeight};
}

RECT Intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RECT Union(const RECT& a, const RECT& b) {
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

MSG MakeMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG made{};
    made.hwnd = handle;
    made.message = message;
    made.wParam = wParam;
    made.lParam = lParam;
    made.time = TickCount();
    return made;
}

int FrameOf(DWORD style) {
    if ((style & WS_CAPTION) == WS_CAPTION) return FrameWidth;
    return (style & WS_BORDER) != 0 ? 1 : 0;
}

}  // namespace

int NonClientWidth(DWORD style, DWORD exStyle) {
    return 2 * FrameOf(style) + ((exStyle & WS_EX_CLIENTEDGE) != 0 ? 2 * ClientEdgeWidth : 0);
}

int NonClientHeight(DWORD style, DWORD exStyle) {
    const int caption = (style & WS_CAPTION) == WS_CAPTION ? CaptionHeight : 0;
    return NonClientWidth(style, exStyle) + caption;
}

void* NewHandle() {
    System().nextHandle += 4;
    return reinterpret_cast<void*>(System().nextHandle);
}

Window* FindWindow(HWND handle) {
    for (auto& window : System().windows) {
        if (window->handle == handle) return window.get();
    }
    return nullptr;
}

std::vector<Window*> AllWindows() {
    std::vector<Window*> all;
    for (auto& window : System().windows) all.push_back(window.get());
    return all;
}

ATOM RegisterClass(const WNDCLASSEXA& windowClass) {
    if (windowClass.cbSize != sizeof(WNDCLASSEXA) || windowClass.lpszClassName == nullptr ||
        windowClass.lpszClassName[0] == '\0' || windowClass.lpfnWndProc == nullptr) {
        return 0;
    }
    const std::string key = Folded(windowClass.lpszClassName);
    if (System().classes.count(key) != 0) return 0;
    WindowClass& stored = System().classes[key];
    stored.name = windowClass.lpszClassName;
    stored.style = windowClass.style;
    stored.procedure = windowClass.lpfnWndProc;
    stored.background = windowClass.hbrBackground;
    stored.instance = windowClass.hInstance;
    stored.icon = windowClass.hIcon;
    stored.cursor = windowClass.hCursor;
    return System().nextAtom++;
}

bool ClassExists(const std::string& name) {
    return System().classes.count(Folded(name)) != 0;
}

HWND CreateWindow(DWORD exStyle, const std::string& className, const std::string& title,
                  DWORD style, int x, int y, int width, int height, HINSTANCE instance,
                  LPVOID param, const std::string& labelKind) {
    const auto found = System().classes.find(Folded(className));
    if (found == System().classes.end()) return nullptr;

    auto window = std::make_unique<Window>();
    window->handle = static_cast<HWND>(NewHandle());
    window->windowClass = found->second;
    window->title = title;
    window->style = style;
    window->exStyle = exStyle;
    window->outerWidth = width == CW_USEDEFAULT ? 300 : width;
    window->outerHeight = width == CW_USEDEFAULT ? 200 : height;
    window->clientWidth = std::max(0, window->outerWidth - NonClientWidth(style, exStyle));
    window->clientHeight = std::max(0, window->outerHeight - NonClientHeight(style, exStyle));
    window->surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, window->clientWidth, window->clientHeight);
    window->x = x;
    window->y = y;
    Window& created = *window;
    const HWND handle = created.handle;
    if (labelKind == "hwnd" &&
        std::none_of(System().windows.begin(), System().windows.end(),
                     [](const auto& w) { return trace::Label(w->handle) == "hwnd"; })) {
        trace::AssignFixedLabel(handle, "hwnd");
    } else {
        trace::AssignLabel(handle, labelKind);
    }
    System().windows.push_back(std::move(window));
    CurrentHost().WindowCreated(created);

    CREATESTRUCTA create{};
    create.lpCreateParams = param;
    create.hInstance = instance;
    create.cx = created.outerWidth;
    create.cy = created.outerHeight;
    create.x = x;
    create.y = y;
    create.style = static_cast<LONG>(style);
    create.lpszName = created.title.c_str();
    create.lpszClass = created.windowClass.name.c_str();
    create.dwExStyle = exStyle;
    const auto createParam = reinterpret_cast<LPARAM>(&create);
    if (Send(handle, WM_NCCREATE, 0, createParam) == 0 ||
        Send(handle, WM_CREATE, 0, createParam) == -1) {
        Destroy(handle);
        return nullptr;
    }
    if ((style & WS_VISIBLE) != 0) Show(handle, SW_SHOW);
    return handle;
}

bool Destroy(HWND handle) {
    Window* window = FindWindow(handle);
    if (window == nullptr || window->destroying) return false;
    window->destroying = true;
    Send(handle, WM_DESTROY, 0, 0);
    Send(handle, WM_NCDESTROY, 0, 0);

    auto& system = System();
    std::erase_if(system.timers, [&](const Timer& timer) { return timer.window == handle; });
    if (system.capture == handle) {
        system.capture = nullptr;
        CurrentHost().Capture(nullptr);
    }
    CurrentHost().WindowDestroyed(*window);
    trace::DropLabel(handle);
    std::erase_if(system.windows, [&](const auto& w) { return w->handle == handle; });
    return true;
}

bool Show(HWND handle, int showCommand) {
    Window* window = FindWindow(handle);
    if (window == nullptr) return false;
    const bool wasVisible = window->visible;
    const bool show = showCommand != SW_HIDE;
    if (show == wasVisible) return wasVisible;
    window->visible = show;
    Send(handle, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (show) {
        Invalidate(*window, nullptr, true);
    } else {
        window->update.reset();
    }
    CurrentHost().WindowShown(*window, show);
    return wasVisible;
}

UINT RegisterMessage(const std::string& name) {
    if (name.empty()) return 0;
    auto& messages = System().messages;
    const auto found = messages.find(Folded(name));
    if (found != messages.end()) return found->second;
    const UINT number = System().nextMessage++;
    messages[Folded(name)] = number;
    return number;
}

LRESULT Send(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FindWindow(handle);
    if (window == nullptr) return 0;
    return window->windowClass.procedure(handle, message, wParam, lParam);
}

void Post(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    System().queue.push_back(MakeMessage(handle, message, wParam, lParam));
}

void PostQuit(int exitCode) {
    System().quitPosted = true;
    System().quitCode = exitCode;
}

BOOL NextMessage(MSG& message) {
    auto& system = System();
    for (;;) {
        if (system.housekeeping) system.housekeeping();
        CurrentHost().Poll();
        if (!system.queue.empty()) {
            message = system.queue.front();
            system.queue.pop_front();
            return TRUE;
        }
        if (system.quitPosted) {
            system.quitPosted = false;
            message = MakeMessage(nullptr, WM_QUIT,
                                  static_cast<WPARAM>(static_cast<INT_PTR>(system.quitCode)), 0);
            return FALSE;
        }
        for (auto& window : system.windows) {
            if (window->visible && !window->destroying && window->update) {
                message = MakeMessage(window->handle, WM_PAINT, 0, 0);
                return TRUE;
            }
        }
        // Timers come last, only when nothing else waits, and keep their phase: a late message
        // does not push the next one back, and missed periods are skipped, not bunched up.
        const std::uint64_t now = NowMs();
        Timer* earliest = nullptr;
        for (Timer& timer : system.timers) {
            if (earliest == nullptr || timer.dueMs < earliest->dueMs) earliest = &timer;
        }
        if (earliest != nullptr && earliest->dueMs <= now) {
            message = MakeMessage(earliest->window, WM_TIMER, earliest->id,
                                  reinterpret_cast<LPARAM>(earliest->procedure));
            earliest->dueMs += earliest->periodMs;
            while (earliest->dueMs <= now) earliest->dueMs += earliest->periodMs;
            return TRUE;
        }
        std::optional<std::uint64_t> deadline;
        if (earliest != nullptr) deadline = earliest->dueMs;
        if (!CurrentHost().Wait(deadline)) return -1;
    }
}

LRESULT Dispatch(const MSG& message) {
    Window* window = FindWindow(message.hwnd);
    if (window == nullptr) return 0;
    if (message.message == WM_TIMER && message.lParam != 0) {
        reinterpret_cast<TIMERPROC>(message.lParam)(message.hwnd, WM_TIMER, message.wParam,
                                                    TickCount());
        return 0;
    }
    return window->windowClass.procedure(message.hwnd, message.message, message.wParam,
                                         message.lParam);
}

LRESULT DefaultProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FindWindow(handle);
    if (window == nullptr) return 0;
    switch (message) {
        case WM_NCCREATE:
            return TRUE;
        case WM_CLOSE:
            Destroy(handle);
            return 0;
        case WM_SYSKEYDOWN:
            // Alt+F4 (bit 29: Alt held) becomes the system menu's Close.
            if (wParam == VK_F4 && (lParam & (1 << 29)) != 0) {
                Post(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                Send(handle, WM_CLOSE, 0, 0);
            } else if ((wParam & 0xFFF0) == SC_MONITORPOWER && lParam == -1) {
                CurrentHost().WakeDisplay();
            }
            return 0;
        case WM_ERASEBKGND: {
            const HBRUSH background = window->windowClass.background;
            if (background == nullptr) return 0;
            const auto dc = reinterpret_cast<HDC>(wParam);
            return gdi::FillClipWithBrush(dc, background) ? 1 : 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            StartPaint(*window, paint);
            FinishPaint(*window, paint);
            return 0;
        }
        default:
            return 0;
    }
}

void Invalidate(Window& window, const RECT* rect, bool erase) {
    const RECT area = rect != nullptr ? Intersect(*rect, ClientRect(window)) : ClientRect(window);
    if (IsEmpty(area)) return;
    window.update = window.update ? Union(*window.update, area) : area;
    window.eraseDue = window.eraseDue || erase;
}

void PaintNow(Window& window) {
    if (window.visible && window.update) Send(window.handle, WM_PAINT, 0, 0);
}

HDC StartPaint(Window& window, PAINTSTRUCT& paint) {
    paint = PAINTSTRUCT{};
    const RECT area = window.update ? Intersect(*window.update, ClientRect(window)) : RECT{};
    const bool erase = window.eraseDue;
    window.update.reset();
    window.eraseDue = false;
    paint.hdc = gdi::CreatePaintDc(window, area);
    paint.rcPaint = area;
    if (erase) {
        const LRESULT erased =
            Send(window.handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint.hdc), 0);
        paint.fErase = erased != 0 ? FALSE : TRUE;
    }
    return paint.hdc;
}

void FinishPaint(Window& window, const PAINTSTRUCT& paint) {
    gdi::ReleaseDc(paint.hdc);
    cairo_surface_flush(window.surface);
    if (!IsEmpty(paint.rcPaint)) CurrentHost().Present(window, paint.rcPaint);
}

UINT_PTR StartTimer(HWND handle, UINT_PTR id, UINT periodMs, TIMERPROC procedure) {
    // The platform raises periods below 10 ms to 10 ms.
    const std::uint64_t period = std::max<UINT>(periodMs, 10);
    auto& timers = System().timers;
    const auto existing = std::find_if(timers.begin(), timers.end(), [&](const Timer& timer) {
        return timer.window == handle && timer.id == id;
    });
    Timer& timer = existing != timers.end() ? *existing : timers.emplace_back();
    timer.window = handle;
    timer.id = id;
    timer.procedure = procedure;
    timer.periodMs = period;
    timer.dueMs = NowMs() + period;
    return id;
}

bool StopTimer(HWND handle, UINT_PTR id) {
    return std::erase_if(System().timers, [&](const Timer& timer) {
               return timer.window == handle && timer.id == id;
           }) != 0;
}

std::uint64_t NowMs() {
    return CurrentHost().NowMs();
}

DWORD TickCount() {
    return static_cast<DWORD>(NowMs());
}

void SetHousekeeping(std::function<std::optional<std::uint32_t>()> msUntilDue,
                     std::function<void()> run) {
    System().housekeepingDue = std::move(msUntilDue);
    System().housekeeping = std::move(run);
}

std::optional<std::uint32_t> HousekeepingDueInMs() {
    if (!System().housekeepingDue) return std::nullopt;
    return System().housekeepingDue();
}

void SetCaptureWindow(HWND handle) {
    System().capture = handle;
}
HWND CaptureWindow() {
    return System().capture;
}

void ResetWindowSystem() {
    auto& system = System();
    for (auto& window : system.windows) {
        CurrentHost().WindowDestroyed(*window);
        trace::DropLabel(window->handle);
    }
    auto housekeepingDue = std::move(system.housekeepingDue);
    auto housekeeping = std::move(system.housekeeping);
    const std::uintptr_t nextHandle = system.nextHandle;
    system = WindowSystem{};
    // Handles stay unique for the process: stock objects outlive a reset.
    system.nextHandle = nextHandle;
    system.housekeepingDue = std::move(housekeepingDue);
    system.housekeeping = std::move(housekeeping);
}

}  // namespace standin
