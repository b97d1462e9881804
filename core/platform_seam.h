// The few platform calls the countdown core makes, under the platform's own names.
// Declared here and defined elsewhere: the shell over Win32, the unit tests by a recording fake.
// Must not include any platform header.
#pragma once

#include <cstdint>

// Opaque to the core: it only passes the main window on.
using WindowHandle = void*;

namespace platform {

// Message number of the close request that Escape sends.
inline constexpr std::uint32_t CloseMessage = 0x0010;

// Taskbar progress states the core sets.
inline constexpr int ProgressNormal = 2;
inline constexpr int ProgressPaused = 8;

std::uint32_t timeGetTime();
void SetTimer(WindowHandle window, std::uintptr_t timerId, std::uint32_t periodMs);
void KillTimer(WindowHandle window, std::uintptr_t timerId);
// rect is always null here (the whole client area).
void InvalidateRect(WindowHandle window, const void* rect, bool erase);
void UpdateWindow(WindowHandle window);
void SetCapture(WindowHandle window);
void ReleaseCapture();
void SendMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                  std::intptr_t lParam);
void ShowAboutBox();

// The taskbar holder: every taskbar call is preceded by this question.
bool HoldsTaskbarProgress();
void SetProgressValue(WindowHandle window, std::uint64_t completed, std::uint64_t total);
void SetProgressState(WindowHandle window, int state);

void RaiseExpiryAlert(WindowHandle window);

}  // namespace platform
