// The stand-in without a display, for tests: a tick source that moves only when told or when the
// program waits, input injected as messages, a trace of the Win32 calls made, the painted client
// area as pixels, and counters of what the desktop would have shown.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "message_box.h"
#include "win32_api.h"

namespace headless {

struct Options {
    // Initial value of the 64-bit clock that timeGetTime reports the low 32 bits of.
    std::uint64_t startTick = 0;
    // Hand out recording taskbar objects instead of failing their creation.
    bool taskbar = false;
};

// Switches to the headless host and forgets every window, class, message, timer, GDI object,
// scripted action, failure and trace entry.
void Reset(const Options& options = {});

// Time. When the program waits for a message and nothing is due, the clock jumps to the next
// timer or scripted action; with no scripted action left the waiting loop gives up (GetMessageA
// returns -1), so a run ends when its script does.
std::uint64_t Now();
void Advance(std::uint32_t ms);
void At(std::uint64_t tick, std::function<void()> action);
bool Exhausted();
// Every time the message loop found nothing to do and went to sleep: the tick it asked to be woken
// at, or none when only input could wake it.
std::vector<std::optional<std::uint64_t>> Waits();

// Calls that fail as the platform reports failure: "RegisterClassExA", "CreateWindowExA",
// "RegisterWindowMessageA", "SetForegroundWindow", "SetActiveWindow", "CoCreateInstance".
void Fail(const std::string& call);

// The window the program created first (labelled "hwnd" in the trace), or null.
HWND MainWindow();
UINT RegisteredMessage(const std::string& name);

// Input, posted to the window as the desktop would.
void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void KeyDown(HWND window, WPARAM key, bool repeat = false);
void KeyUp(HWND window, WPARAM key);
void Key(HWND window, WPARAM key);
// Alt held with the key: WM_SYSKEYDOWN, then WM_SYSKEYUP.
void AltKey(HWND window, WPARAM key);
void Move(HWND window, int x, int y, bool leftHeld);
void Click(HWND window, int x, int y);
void DoubleClick(HWND window, int x, int y);
void Wheel(HWND window, int delta);
// The caption's close box.
void CloseBox(HWND window);

// Straight to the window procedure, without a trace entry.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

std::vector<standin::OpenBox> MessageBoxes();
// Presses OK on the newest open box.
void PressOk();

std::vector<std::string> TakeTrace();
// Tracing is on after Reset; a benchmark turns it off to see what the program itself costs.
void SetTracing(bool on);

struct Frame {
    int width = 0;
    int height = 0;
    // 0xAARRGGBB, row by row.
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};
Frame Capture(HWND window);
bool SavePng(HWND window, const std::string& path);

int LiveGdiObjects();
int RefusedDeletes();

struct DesktopCounts {
    int raised = 0;
    int flashes = 0;
    UINT lastFlashCount = 0;
    DWORD lastFlashInterval = 0;
    int displayWakes = 0;
    int captures = 0;
    int releases = 0;
};
DesktopCounts Desktop();

// Waits until the player has played every queued tone and ended, so that a disk-audio file is
// complete.
void FinishSound();

}  // namespace headless
