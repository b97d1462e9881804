// Key, pointer and wheel rules: adjustments apply only while stopped and always end in a refresh,
// whose clamp restores the setting's range.
// Platform-free: reaches the platform only through platform_seam.h.
#include "input_rules.h"

#include <cmath>
#include <limits>

#include "countdown.h"

PointerDragState pointerDragState;

std::int32_t SaturatingAdd(std::int32_t a, std::int64_t b) {
    // A command-line setting can sit next to the top of the range before the first refresh.
    const std::int64_t sum = std::int64_t{a} + b;
    if (sum > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (sum < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(sum);
}

namespace {

void AdjustThenRefresh(WindowHandle window, std::int32_t amount) {
    if (countdownState.stopped) {
        countdownState.setSeconds = SaturatingAdd(countdownState.setSeconds, amount);
    }
    RefreshCountdown(window);
}

}  // namespace

void HandleKeyDown(WindowHandle window, std::uintptr_t virtualKey) {
    switch (virtualKey) {
        case key::Return:
        case key::Space:
            ToggleRunning(window);
            break;
        case key::Escape:
            platform::SendMessageA(window, platform::CloseMessage, 0, 0);
            break;
        case key::PageUp:
            AdjustThenRefresh(window, 60);
            break;
        case key::PageDown:
            AdjustThenRefresh(window, -60);
            break;
        case key::Up:
            AdjustThenRefresh(window, 10);
            break;
        case key::Down:
            AdjustThenRefresh(window, -10);
            break;
        case key::F1:
            platform::ShowAboutBox();
            break;
        default:
            break;
    }
}

std::int32_t DecodePointerRow(std::intptr_t lParam) {
    std::int32_t row =
        static_cast<std::int32_t>((static_cast<std::uintptr_t>(lParam) >> 16) & 0xFFFF);
    // The threshold is 32000, not 32767: rows just below 32768 come out as large negative values.
    if (row > 32000) row -= 65536;
    return row;
}

void HandlePointerMove(WindowHandle window, std::intptr_t lParam) {
    const std::int32_t row = DecodePointerRow(lParam);
    if (countdownState.stopped && pointerDragState.dragging) {
        countdownState.setSeconds = SaturatingAdd(countdownState.setSeconds,
                                                  std::int64_t{pointerDragState.lastMouseY} - row);
        RefreshCountdown(window);
    }
    pointerDragState.lastMouseY = row;
}

void HandleButtonDown(WindowHandle window) {
    pointerDragState.dragging = true;
    RefreshCountdown(window);
    platform::SetCapture(window);
}

void HandleButtonUp() {
    pointerDragState.dragging = false;
    platform::ReleaseCapture();
}

std::int32_t WheelStepMinutes(std::int32_t setSeconds) {
    // Single precision first, then double: the step boundaries fall on multiples of 2500.
    const float magnitude = std::fabs(static_cast<float>(setSeconds));
    return static_cast<std::int32_t>(static_cast<double>(magnitude) * 0.0004 + 1.0);
}

void HandleWheel(WindowHandle window, std::uintptr_t wParam) {
    if (!countdownState.stopped) return;
    const auto delta = static_cast<std::int16_t>((wParam >> 16) & 0xFFFF);
    const std::int64_t step = std::int64_t{60} * WheelStepMinutes(countdownState.setSeconds);
    if (delta < 0) {
        countdownState.setSeconds = SaturatingAdd(countdownState.setSeconds, -step);
    } else if (delta > 0) {
        countdownState.setSeconds = SaturatingAdd(countdownState.setSeconds, step);
    }
    RefreshCountdown(window);
}
