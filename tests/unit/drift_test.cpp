// A simulated day of irregular timer messages: the countdown never drifts from the stopwatch.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "recording_platform.h"

namespace {

// The value a refresh must show for a run that has lasted elapsedMs, computed from the total,
// independently of how many refreshes came before.
std::int32_t ExpectedRemaining(std::int32_t setSeconds, std::uint64_t elapsedMs) {
    const float elapsed = static_cast<float>(static_cast<double>(elapsedMs) * 0.001);
    return setSeconds - static_cast<std::int32_t>(static_cast<double>(elapsed) + 0.5);
}

TEST(Drift, ADayOfLateEarlyAndLostTimerMessages) {
    fake::Reset();
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> kind(0, 99);
    std::uniform_int_distribution<int> jitter(-400, 400);

    constexpr std::uint32_t startTick = 0xF000'0000u;  // the tick source wraps during the day
    countdownState.setSeconds = 59'940;
    fake::tick = startTick;
    ToggleRunning(fake::window);

    std::uint64_t elapsed = 0;
    int alerts = 0;
    int refreshes = 0;
    while (elapsed < 86'400'000) {
        const int k = kind(random);
        std::int64_t gap = 1000;
        if (k < 10) {
            gap = 1000 * (2 + k % 3);  // lost messages
        } else if (k < 40) {
            gap = 1000 + jitter(random);  // late or early
        } else if (k < 45) {
            gap = 1 + k;  // input refreshing between timer messages
        }
        elapsed += static_cast<std::uint64_t>(gap);
        fake::tick = static_cast<std::uint32_t>(startTick + elapsed);
        RefreshCountdown(fake::window);
        ++refreshes;
        for (const auto& call : fake::TakeCalls()) alerts += call == "RaiseExpiryAlert(w)";
        ASSERT_EQ(countdownState.remainingSeconds, ExpectedRemaining(59'940, elapsed))
            << "after " << elapsed << " ms, refresh " << refreshes;
    }
    EXPECT_EQ(alerts, 1);
    EXPECT_LT(countdownState.remainingSeconds, -26'000);
}

}  // namespace
