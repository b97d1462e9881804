// How keys, pointer and wheel start, stop and adjust the countdown.
// Platform-free: reaches the platform only through platform_seam.h.
#pragma once

#include <cstdint>

#include "platform_seam.h"

// Virtual-key codes the key rule knows.
namespace key {
inline constexpr std::uintptr_t Return = 13;
inline constexpr std::uintptr_t Escape = 27;
inline constexpr std::uintptr_t Space = 32;
inline constexpr std::uintptr_t PageUp = 33;
inline constexpr std::uintptr_t PageDown = 34;
inline constexpr std::uintptr_t Up = 38;
inline constexpr std::uintptr_t Down = 40;
inline constexpr std::uintptr_t F1 = 112;
}  // namespace key

struct PointerDragState {
    bool dragging = false;
    std::int32_t lastMouseY = 0;
};

extern PointerDragState pointerDragState;

void HandleKeyDown(WindowHandle window, std::uintptr_t virtualKey);
void HandlePointerMove(WindowHandle window, std::intptr_t lParam);
void HandleButtonDown(WindowHandle window);
void HandleButtonUp();
void HandleWheel(WindowHandle window, std::uintptr_t wParam);

// The pointer row from a move message's second parameter (high 16 bits).
std::int32_t DecodePointerRow(std::intptr_t lParam);
// Minutes one wheel message moves the setting by.
std::int32_t WheelStepMinutes(std::int32_t setSeconds);
// a + b, held at the ends of the signed 32-bit range instead of overflowing.
std::int32_t SaturatingAdd(std::int32_t a, std::int64_t b);
