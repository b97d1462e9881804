// The countdown core's platform calls, defined over Win32.
#include "countdown.h"
#include "expiry_alert.h"
#include "taskbar_progress.h"
#include "timer_window.h"
#include "win32.h"

namespace {

HWND AsWindow(WindowHandle window) {
    return static_cast<HWND>(window);
}

}  // namespace

namespace platform {

std::uint32_t timeGetTime() {
    return ::timeGetTime();
}

void SetTimer(WindowHandle window, std::uintptr_t timerId, std::uint32_t periodMs) {
    ::SetTimer(AsWindow(window), timerId, periodMs, nullptr);
}

void KillTimer(WindowHandle window, std::uintptr_t timerId) {
    ::KillTimer(AsWindow(window), timerId);
}

void InvalidateRect(WindowHandle window, const void* rect, bool erase) {
    ::InvalidateRect(AsWindow(window), static_cast<const RECT*>(rect), erase ? TRUE : FALSE);
}

void UpdateWindow(WindowHandle window) {
    ::UpdateWindow(AsWindow(window));
}

void SetCapture(WindowHandle window) {
    ::SetCapture(AsWindow(window));
}

void ReleaseCapture() {
    ::ReleaseCapture();
}

void SendMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                  std::intptr_t lParam) {
    ::SendMessageA(AsWindow(window), message, static_cast<WPARAM>(wParam),
                   static_cast<LPARAM>(lParam));
}

void ShowAboutBox() {
    ::ShowAboutBox();
}

bool HoldsTaskbarProgress() {
    return taskbarProgress.Holds();
}

void SetProgressValue(WindowHandle window, std::uint64_t completed, std::uint64_t total) {
    taskbarProgress.taskbarList->SetProgressValue(AsWindow(window), completed, total);
}

void SetProgressState(WindowHandle window, int state) {
    taskbarProgress.taskbarList->SetProgressState(AsWindow(window), static_cast<TBPFLAG>(state));
}

void RaiseExpiryAlert(WindowHandle window) {
    ::RaiseExpiryAlert(AsWindow(window));
}

}  // namespace platform
