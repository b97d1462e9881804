// The stand-in without a display: a host whose clock moves only on request or while the program
// waits, a script of timed actions, recording taskbar objects, and the helpers tests use.
#include "headless.h"

#include <algorithm>
#include <map>
#include <set>

#include "faults.h"
#include "gdi_objects.h"
#include "host.h"
#include "sound.h"
#include "taskbar.h"
#include "trace.h"
#include "window_system.h"

namespace {

using standin::Window;

class HeadlessHost final : public standin::Host {
  public:
    std::uint64_t clock = 0;
    std::multimap<std::uint64_t, std::function<void()>> script;
    bool exhausted = false;
    std::vector<HWND> shown;
    headless::DesktopCounts counts;
    std::vector<std::optional<std::uint64_t>> waits;

    std::uint64_t NowMs() override { return clock; }
    void Sleep(std::uint32_t ms) override { clock += ms; }

    void WindowCreated(Window&) override {}
    void WindowDestroyed(Window& window) override { std::erase(shown, window.handle); }
    void WindowShown(Window& window, bool visible) override {
        std::erase(shown, window.handle);
        if (visible) shown.push_back(window.handle);
    }
    void Present(Window&, const RECT&) override {}
    void Poll() override {}

    bool Wait(std::optional<std::uint64_t> deadlineMs) override {
        waits.push_back(deadlineMs);
        if (exhausted || script.empty()) {
            exhausted = true;
            return false;
        }
        const std::uint64_t next = script.begin()->first;
        const std::uint64_t target = deadlineMs ? std::min(*deadlineMs, next) : next;
        clock = std::max(clock, target);
        RunDueActions();
        return true;
    }

    void RunDueActions() {
        while (!script.empty() && script.begin()->first <= clock) {
            auto action = std::move(script.begin()->second);
            script.erase(script.begin());
            action();
        }
    }

    void Capture(Window* window) override {
        ++(window != nullptr ? counts.captures : counts.releases);
    }
    bool Raise(Window&) override {
        ++counts.raised;
        return true;
    }
    void Flash(Window&, UINT count, DWORD intervalMs) override {
        ++counts.flashes;
        counts.lastFlashCount = count;
        counts.lastFlashInterval = intervalMs;
    }
    void StopFlashing(Window&) override {}

    // Like real keys, they go to the window with the keyboard focus: the newest one shown.
    UINT SynthesizeKeys(const INPUT* inputs, UINT count) override {
        UINT sent = 0;
        for (UINT i = 0; i < count; ++i) {
            if (inputs[i].type != INPUT_KEYBOARD) continue;
            ++sent;
            if (shown.empty()) continue;
            // Left and right variants arrive as the generic key.
            WPARAM key = inputs[i].ki.wVk;
            if (key == VK_LSHIFT || key == VK_RSHIFT) key = VK_SHIFT;
            if ((inputs[i].ki.dwFlags & KEYEVENTF_KEYUP) != 0) {
                headless::KeyUp(shown.back(), key);
            } else {
                headless::KeyDown(shown.back(), key);
            }
        }
        return sent;
    }

    void WakeDisplay() override { ++counts.displayWakes; }
};

HeadlessHost& Host() {
    static HeadlessHost host;
    return host;
}

std::set<std::string>& Failing() {
    static std::set<std::string> failing;
    return failing;
}

// A taskbar object that records its calls, for tests of the taskbar path the desktop lacks.
class RecordingTaskbar final : public ITaskbarList3 {
  public:
    RecordingTaskbar() { standin::trace::AssignLabel(this, "taskbar"); }

    HRESULT QueryInterface(REFIID, void** object) override {
        if (object != nullptr) *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override {
        Record("Release");
        const ULONG left = --references_;
        if (left == 0) {
            standin::trace::DropLabel(this);
            delete this;
        }
        return left;
    }
    HRESULT HrInit() override {
        Record("HrInit");
        return S_OK;
    }
    HRESULT AddTab(HWND) override { return S_OK; }
    HRESULT DeleteTab(HWND) override { return S_OK; }
    HRESULT ActivateTab(HWND) override { return S_OK; }
    HRESULT SetActiveAlt(HWND) override { return S_OK; }
    HRESULT MarkFullscreenWindow(HWND, BOOL) override { return S_OK; }
    HRESULT SetProgressValue(HWND window, ULONGLONG completed, ULONGLONG total) override {
        Record("SetProgressValue", window, completed, total);
        return S_OK;
    }
    HRESULT SetProgressState(HWND window, TBPFLAG flags) override {
        Record("SetProgressState", window, flags);
        return S_OK;
    }

  private:
    template <typename... Args>
    void Record(const char* method, const Args&... args) {
        const std::string name = standin::trace::Label(this) + "." + method;
        standin::trace::Call(name.c_str(), args...);
    }

    ULONG references_ = 1;
};

ITaskbarList3* MakeRecordingTaskbar() {
    return new RecordingTaskbar();
}

LPARAM KeyParam(WPARAM key, bool alt, bool wasDown, bool release) {
    LPARAM lParam = 1 | (static_cast<LPARAM>(key & 0xFF) << 16);
    if (alt) lParam |= LPARAM{1} << 29;
    if (wasDown) lParam |= LPARAM{1} << 30;
    if (release) lParam |= LPARAM{1} << 31;
    return lParam;
}

LPARAM PointParam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)),
                      static_cast<WORD>(static_cast<short>(y)));
}

}  // namespace

namespace standin {

bool ShouldFail(const char* call) {
    return Failing().count(call) != 0;
}

}  // namespace standin

namespace headless {

void Reset(const Options& options) {
    HeadlessHost& host = Host();
    standin::SetHost(&host);
    // Tests stay silent unless they name an audio driver themselves.
    standin::sound::SetDefaultDriver("dummy");
    standin::ResetWindowSystem();
    standin::gdi::ResetObjects();
    host.clock = options.startTick;
    host.script.clear();
    host.exhausted = false;
    host.shown.clear();
    host.counts = DesktopCounts{};
    host.waits.clear();
    Failing().clear();
    standin::SetTaskbarFactory(options.taskbar ? MakeRecordingTaskbar : nullptr);
    standin::trace::Enable(true);
    standin::trace::Clear();
}

std::uint64_t Now() {
    return Host().clock;
}
void Advance(std::uint32_t ms) {
    Host().clock += ms;
}

void At(std::uint64_t tick, std::function<void()> action) {
    Host().script.emplace(tick, std::move(action));
    Host().exhausted = false;
}

bool Exhausted() {
    return Host().exhausted;
}

void Fail(const std::string& call) {
    Failing().insert(call);
}

HWND MainWindow() {
    for (Window* window : standin::AllWindows()) {
        if (standin::trace::Label(window->handle) == "hwnd") return window->handle;
    }
    return nullptr;
}

UINT RegisteredMessage(const std::string& name) {
    return standin::RegisterMessage(name);
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    standin::Post(window, message, wParam, lParam);
}

void KeyDown(HWND window, WPARAM key, bool repeat) {
    Post(window, WM_KEYDOWN, key, KeyParam(key, false, repeat, false));
}

void KeyUp(HWND window, WPARAM key) {
    Post(window, WM_KEYUP, key, KeyParam(key, false, true, true));
}

void Key(HWND window, WPARAM key) {
    KeyDown(window, key);
    KeyUp(window, key);
}

void AltKey(HWND window, WPARAM key) {
    Post(window, WM_SYSKEYDOWN, key, KeyParam(key, true, false, false));
    Post(window, WM_SYSKEYUP, key, KeyParam(key, true, true, true));
}

void Move(HWND window, int x, int y, bool leftHeld) {
    Post(window, WM_MOUSEMOVE, leftHeld ? MK_LBUTTON : 0, PointParam(x, y));
}

void Click(HWND window, int x, int y) {
    Post(window, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(x, y));
    Post(window, WM_LBUTTONUP, 0, PointParam(x, y));
}

void DoubleClick(HWND window, int x, int y) {
    Click(window, x, y);
    Post(window, WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(x, y));
    Post(window, WM_LBUTTONUP, 0, PointParam(x, y));
}

void Wheel(HWND window, int delta) {
    Post(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))), 0);
}

void CloseBox(HWND window) {
    Post(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return standin::Send(window, message, wParam, lParam);
}

std::vector<standin::OpenBox> MessageBoxes() {
    return standin::OpenMessageBoxes();
}

void PressOk() {
    const auto boxes = standin::OpenMessageBoxes();
    if (!boxes.empty()) Key(boxes.back().window, VK_RETURN);
}

void SetTracing(bool on) {
    standin::trace::Enable(on);
}

std::vector<std::string> TakeTrace() {
    return standin::trace::Take();
}

Frame Capture(HWND window) {
    Frame frame;
    Window* found = standin::FindWindow(window);
    if (found == nullptr) return frame;
    cairo_surface_flush(found->surface);
    frame.width = found->clientWidth;
    frame.height = found->clientHeight;
    const unsigned char* data = cairo_image_surface_get_data(found->surface);
    const int stride = cairo_image_surface_get_stride(found->surface);
    for (int y = 0; y < frame.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        frame.pixels.insert(frame.pixels.end(), row, row + frame.width);
    }
    return frame;
}

bool SavePng(HWND window, const std::string& path) {
    Window* found = standin::FindWindow(window);
    return found != nullptr &&
           cairo_surface_write_to_png(found->surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

int LiveGdiObjects() {
    return standin::gdi::LiveObjects();
}
int RefusedDeletes() {
    return standin::gdi::RefusedDeletes();
}

DesktopCounts Desktop() {
    return Host().counts;
}

std::vector<std::optional<std::uint64_t>> Waits() {
    return Host().waits;
}

void FinishSound() {
    standin::sound::Finish();
}

}  // namespace headless
