// Records every platform call of the core as text, so a test can compare whole call lists.
#include "recording_platform.h"

#include <utility>

namespace fake {

std::uint32_t tick = 0;
bool holdsTaskbar = false;
std::vector<std::string> calls;

void Reset() {
    countdownState = CountdownState{};
    pointerDragState = PointerDragState{};
    tick = 0;
    holdsTaskbar = false;
    calls.clear();
}

std::vector<std::string> TakeCalls() {
    return std::exchange(calls, {});
}

}  // namespace fake

namespace {

std::string Window(WindowHandle window) {
    return window == fake::window ? "w" : "?";
}

}  // namespace

namespace platform {

std::uint32_t timeGetTime() {
    return fake::tick;
}

void SetTimer(WindowHandle window, std::uintptr_t timerId, std::uint32_t periodMs) {
    fake::calls.push_back("SetTimer(" + Window(window) + "," + std::to_string(timerId) + "," +
                          std::to_string(periodMs) + ")");
}

void KillTimer(WindowHandle window, std::uintptr_t timerId) {
    fake::calls.push_back("KillTimer(" + Window(window) + "," + std::to_string(timerId) + ")");
}

void InvalidateRect(WindowHandle window, const void* rect, bool erase) {
    fake::calls.push_back("InvalidateRect(" + Window(window) + "," +
                          (rect == nullptr ? "null" : "rect") + "," + (erase ? "TRUE" : "FALSE") +
                          ")");
}

void UpdateWindow(WindowHandle window) {
    fake::calls.push_back("UpdateWindow(" + Window(window) + ")");
}

void SetCapture(WindowHandle window) {
    fake::calls.push_back("SetCapture(" + Window(window) + ")");
}

void ReleaseCapture() {
    fake::calls.push_back("ReleaseCapture()");
}

void SendMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                  std::intptr_t lParam) {
    fake::calls.push_back("SendMessageA(" + Window(window) + "," + std::to_string(message) + "," +
                          std::to_string(wParam) + "," + std::to_string(lParam) + ")");
}

void ShowAboutBox() {
    fake::calls.push_back("ShowAboutBox()");
}

bool HoldsTaskbarProgress() {
    return fake::holdsTaskbar;
}

void SetProgressValue(WindowHandle window, std::uint64_t completed, std::uint64_t total) {
    fake::calls.push_back("SetProgressValue(" + Window(window) + "," + std::to_string(completed) +
                          "," + std::to_string(total) + ")");
}

void SetProgressState(WindowHandle window, int state) {
    fake::calls.push_back("SetProgressState(" + Window(window) + "," + std::to_string(state) + ")");
}

void RaiseExpiryAlert(WindowHandle window) {
    fake::calls.push_back("RaiseExpiryAlert(" + Window(window) + ")");
}

}  // namespace platform
