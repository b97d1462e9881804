// What the window system needs from whatever shows its windows: the X11 display, or the headless
// stand-in of the tests. Time is in milliseconds on the host's own clock.
#pragma once

#include <cstdint>
#include <optional>

#include "win32_api.h"

namespace standin {

struct Window;

class Host {
  public:
    virtual ~Host() = default;

    virtual std::uint64_t NowMs() = 0;
    // Holds the thread for a while (a tone); the headless host lets its clock jump instead.
    virtual void Sleep(std::uint32_t ms) = 0;

    virtual void WindowCreated(Window& window) = 0;
    virtual void WindowDestroyed(Window& window) = 0;
    virtual void WindowShown(Window& window, bool shown) = 0;
    // The window's pixels inside `area` have changed.
    virtual void Present(Window& window, const RECT& area) = 0;

    // Turns native events that are already waiting into posted messages.
    virtual void Poll() = 0;
    // Waits for native events until the deadline (none: for ever) and posts them. False when no
    // event can ever come again, which ends every message loop.
    virtual bool Wait(std::optional<std::uint64_t> deadlineMs) = 0;

    virtual void Capture(Window* window) = 0;
    virtual bool Raise(Window& window) = 0;
    virtual void Flash(Window& window, UINT count, DWORD intervalMs) = 0;
    virtual void StopFlashing(Window& window) = 0;
    // Synthesised key presses and releases; returns how many were inserted.
    virtual UINT SynthesizeKeys(const INPUT* inputs, UINT count) = 0;
    virtual void WakeDisplay() = 0;
};

Host& CurrentHost();
void SetHost(Host* host);

}  // namespace standin
