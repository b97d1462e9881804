// The countdown state, its stopwatch, start/stop and the drift-free refresh.
// Platform-free: reaches the platform only through platform_seam.h.
#include "countdown.h"

#include <limits>

CountdownState countdownState;

void TickStopwatch::Restart() {
    startTick = platform::timeGetTime();
    lastTick_ = startTick;
    elapsedTicks_ = 0;
}

float TickStopwatch::ElapsedSeconds() {
    const std::uint32_t now = platform::timeGetTime();
    // Modulo-2^32 difference: a wrap of the tick source between reads does not disturb it.
    elapsedTicks_ += static_cast<std::uint32_t>(now - lastTick_);
    lastTick_ = now;
    return static_cast<float>(static_cast<double>(elapsedTicks_) * 0.001);
}

std::int32_t WholeElapsedSeconds(float elapsedSeconds) {
    // Rounded in double precision from the single-precision value, then truncated.
    const double rounded = static_cast<double>(elapsedSeconds) + 0.5;
    if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(rounded);
}

namespace {

void Repaint(WindowHandle window) {
    platform::InvalidateRect(window, nullptr, true);
    platform::UpdateWindow(window);
}

}  // namespace

void RefreshCountdown(WindowHandle window) {
    CountdownState& state = countdownState;
    if (state.stopped) {
        if (state.setSeconds < MinSetSeconds) state.setSeconds = MinSetSeconds;
        if (state.setSeconds > MaxSetSeconds) state.setSeconds = MaxSetSeconds;
        Repaint(window);
        return;
    }

    const std::int32_t whole = WholeElapsedSeconds(state.stopwatch.ElapsedSeconds());
    // setSeconds is never negative while running, so this cannot overflow.
    state.remainingSeconds = state.setSeconds - whole;
    if (platform::HoldsTaskbarProgress()) {
        const std::int64_t completed =
            static_cast<std::int64_t>(state.setSeconds) - state.remainingSeconds;
        platform::SetProgressValue(window, static_cast<std::uint64_t>(completed),
                                   static_cast<std::uint64_t>(std::int64_t{state.setSeconds}));
    }
    if (state.remainingSeconds < 0 && state.previousRemaining >= 0) {
        platform::RaiseExpiryAlert(window);
    }
    state.previousRemaining = state.remainingSeconds;
    Repaint(window);
}

void ToggleRunning(WindowHandle window) {
    CountdownState& state = countdownState;
    state.stopped = !state.stopped;
    if (platform::HoldsTaskbarProgress()) {
        platform::SetProgressState(
            window, state.stopped ? platform::ProgressPaused : platform::ProgressNormal);
    }
    if (state.stopped) {
        // The latest refresh's result: the stopwatch is not read again.
        state.setSeconds = state.remainingSeconds;
        platform::KillTimer(window, RefreshTimerId);
    } else {
        state.stopwatch.Restart();
        platform::SetTimer(window, RefreshTimerId, RefreshPeriodMs);
    }
    RefreshCountdown(window);
}
