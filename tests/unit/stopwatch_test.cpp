// The stopwatch and the rounding of elapsed time to whole seconds.
#include <gtest/gtest.h>

#include <cstdint>

#include "recording_platform.h"

namespace {

struct ElapsedCase {
    std::uint32_t startTick;
    std::uint64_t elapsedMs;
    std::int32_t whole;
};

// Reads the stopwatch the way refreshes do: often enough that no single step spans 2^32 ms.
std::int32_t WholeAfter(TickStopwatch& stopwatch, std::uint64_t elapsedMs,
                        std::uint32_t startTick) {
    fake::tick = startTick;
    stopwatch.Restart();
    constexpr std::uint64_t step = 1'000'000'000;
    std::uint64_t done = 0;
    while (elapsedMs - done > step) {
        done += step;
        fake::tick = static_cast<std::uint32_t>(startTick + done);
        stopwatch.ElapsedSeconds();
    }
    fake::tick = static_cast<std::uint32_t>(startTick + elapsedMs);
    return WholeElapsedSeconds(stopwatch.ElapsedSeconds());
}

TEST(Stopwatch, RoundsElapsedMillisecondsHalfUpThroughSinglePrecision) {
    const ElapsedCase cases[] = {
        {0, 0, 0},
        {0, 499, 0},
        {0, 500, 1},
        {0, 1499, 1},
        {0, 1500, 2},
        {0, 59'999, 60},
        {0, 32'767'499, 32'767},
        // Single precision moves the boundary from 32768 s on.
        {0, 32'768'499, 32'769},
        {0, 32'768'490, 32'768},
        // A wrap of the tick source during the run does not disturb the result.
        {0xFFFF'FFF0u, 1500, 2},
        {0xFFFF'FC18u, 1000, 1},
        {0x8000'0000u, 0xFFFF'FFFFull, 4'294'968},  // 4294967.295 s rounds up in single precision
    };
    for (const auto& c : cases) {
        fake::Reset();
        TickStopwatch stopwatch;
        EXPECT_EQ(WholeAfter(stopwatch, c.elapsedMs, c.startTick), c.whole)
            << "start " << c.startTick << " elapsed " << c.elapsedMs << " ms";
    }
}

TEST(Stopwatch, RunLongerThanTheTickRangeKeepsGrowing) {
    fake::Reset();
    TickStopwatch stopwatch;
    // 2^32 ms plus 10 s, read every 10^9 ms: without 64-bit accumulation this wraps back to 10.
    EXPECT_EQ(WholeAfter(stopwatch, (std::uint64_t{1} << 32) + 10'000, 123), 4'294'978);
}

TEST(Stopwatch, RestartStartsFromZeroAgain) {
    fake::Reset();
    TickStopwatch stopwatch;
    fake::tick = 5000;
    stopwatch.Restart();
    fake::tick = 9000;
    EXPECT_EQ(WholeElapsedSeconds(stopwatch.ElapsedSeconds()), 4);
    EXPECT_EQ(stopwatch.startTick, 5000u);
    stopwatch.Restart();
    EXPECT_EQ(stopwatch.startTick, 9000u);
    fake::tick = 9400;
    EXPECT_EQ(WholeElapsedSeconds(stopwatch.ElapsedSeconds()), 0);
}

TEST(Stopwatch, WholeSecondsSaturateInsteadOfOverflowing) {
    EXPECT_EQ(WholeElapsedSeconds(3e9f), 2147483647);
}

}  // namespace
