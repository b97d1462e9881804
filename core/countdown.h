// The timer's one state record, its stopwatch, and the start/stop and refresh operations.
// Platform-free: reaches the platform only through platform_seam.h.
#pragma once

#include <cstdint>

#include "platform_seam.h"

// x87 extended precision would move the single- and double-precision rounding steps.
#if defined(__i386__) && !defined(__SSE2_MATH__)
#error "32-bit x86 builds need -msse2 -mfpmath=sse"
#endif

inline constexpr std::int32_t DefaultSetSeconds = 600;
inline constexpr std::int32_t MaxSetSeconds = 59940;
inline constexpr std::int32_t MinSetSeconds = 0;
inline constexpr std::uintptr_t RefreshTimerId = 8000;
inline constexpr std::uint32_t RefreshPeriodMs = 1000;

// Measures the current run from the millisecond tick source.
class TickStopwatch {
  public:
    void Restart();
    // Seconds since the last Restart, rounded to single precision.
    float ElapsedSeconds();

    std::uint32_t startTick = 0;

  private:
    // Unsigned tick differences summed in 64 bits, so a run longer than 2^32 ms keeps growing
    // instead of wrapping back to zero.
    std::uint32_t lastTick_ = 0;
    std::uint64_t elapsedTicks_ = 0;
};

struct CountdownState {
    std::int32_t setSeconds = DefaultSetSeconds;
    bool stopped = true;
    std::int32_t remainingSeconds = 0;
    std::int32_t previousRemaining = 0;
    TickStopwatch stopwatch;
};

extern CountdownState countdownState;

void RefreshCountdown(WindowHandle window);
void ToggleRunning(WindowHandle window);

// Whole seconds from a single-precision elapsed time, rounded half up.
std::int32_t WholeElapsedSeconds(float elapsedSeconds);
