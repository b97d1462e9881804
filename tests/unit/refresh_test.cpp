// Starting, stopping and refreshing the countdown: state changes and the exact platform calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_platform.h"

namespace {

using Calls = std::vector<std::string>;

const std::string repaintInvalidate = "InvalidateRect(w,null,TRUE)";
const std::string repaintUpdate = "UpdateWindow(w)";
const std::string alert = "RaiseExpiryAlert(w)";

class Refresh : public ::testing::Test {
  protected:
    void SetUp() override { fake::Reset(); }
    CountdownState& state = countdownState;

    // Starts from a fresh stopped state with the given setting at the given tick.
    void StartWith(std::int32_t setSeconds, std::uint32_t atTick = 0) {
        state.setSeconds = setSeconds;
        fake::tick = atTick;
        ToggleRunning(fake::window);
        fake::TakeCalls();
    }

    // A timer message at tick: refresh, returning the calls it made.
    Calls TimerAt(std::uint32_t tick) {
        fake::tick = tick;
        RefreshCountdown(fake::window);
        return fake::TakeCalls();
    }
};

TEST_F(Refresh, StartsStoppedAtTheDefaultSettingWithoutCalls) {
    EXPECT_TRUE(state.stopped);
    EXPECT_EQ(state.setSeconds, 600);
    EXPECT_EQ(state.remainingSeconds, 0);
    EXPECT_EQ(state.previousRemaining, 0);
    EXPECT_TRUE(fake::calls.empty());
}

TEST_F(Refresh, ToggleCallListsWithAndWithoutTaskbar) {
    struct Case {
        bool taskbar;
        Calls start;
        Calls stop;
    };
    const Case cases[] = {
        {false,
         {"SetTimer(w,8000,1000)", repaintInvalidate, repaintUpdate},
         {"KillTimer(w,8000)", repaintInvalidate, repaintUpdate}},
        {true,
         {"SetProgressState(w,2)", "SetTimer(w,8000,1000)", "SetProgressValue(w,0,600)",
          repaintInvalidate, repaintUpdate},
         {"SetProgressState(w,8)", "KillTimer(w,8000)", repaintInvalidate, repaintUpdate}},
    };
    for (const auto& c : cases) {
        fake::Reset();
        fake::holdsTaskbar = c.taskbar;
        ToggleRunning(fake::window);
        EXPECT_EQ(fake::TakeCalls(), c.start) << "taskbar " << c.taskbar;
        EXPECT_FALSE(state.stopped);
        EXPECT_EQ(state.remainingSeconds, 600);
        EXPECT_EQ(state.previousRemaining, 600);
        fake::tick = 300;
        ToggleRunning(fake::window);
        EXPECT_EQ(fake::TakeCalls(), c.stop) << "taskbar " << c.taskbar;
        EXPECT_TRUE(state.stopped);
        EXPECT_EQ(state.setSeconds, 600);
    }
}

TEST_F(Refresh, RunningRefreshReportsProgressOnlyWithTaskbar) {
    StartWith(600);
    EXPECT_EQ(TimerAt(1000), (Calls{repaintInvalidate, repaintUpdate}));
    fake::holdsTaskbar = true;
    EXPECT_EQ(TimerAt(2000),
              (Calls{"SetProgressValue(w,2,600)", repaintInvalidate, repaintUpdate}));
    EXPECT_EQ(state.remainingSeconds, 598);
}

TEST_F(Refresh, ExpiryAlertRunsExactlyOnceAtTheFirstNegativeResult) {
    struct Case {
        const char* name;
        std::int32_t setSeconds;
        std::vector<std::uint32_t> ticks;
        std::vector<std::int32_t> results;
        std::vector<bool> alerts;
    };
    const Case cases[] = {
        {"regular",
         2,
         {0, 1000, 2000, 3000, 4000},
         {2, 1, 0, -1, -2},
         {false, false, false, true, false}},
        {"delayed", 2, {1000, 5000, 9000}, {1, -3, -7}, {false, true, false}},
        {"setting 0", 0, {499, 500, 1500}, {0, -1, -2}, {false, true, false}},
    };
    for (const auto& c : cases) {
        fake::Reset();
        fake::holdsTaskbar = true;
        state.setSeconds = c.setSeconds;
        ToggleRunning(fake::window);
        fake::TakeCalls();
        for (std::size_t i = 0; i < c.ticks.size(); ++i) {
            const Calls calls = TimerAt(c.ticks[i]);
            EXPECT_EQ(state.remainingSeconds, c.results[i]) << c.name << " #" << i;
            EXPECT_EQ(state.previousRemaining, c.results[i]) << c.name << " #" << i;
            const std::string progress = "SetProgressValue(w," +
                                         std::to_string(c.setSeconds - c.results[i]) + "," +
                                         std::to_string(c.setSeconds) + ")";
            Calls expected{progress};
            if (c.alerts[i]) expected.push_back(alert);
            expected.push_back(repaintInvalidate);
            expected.push_back(repaintUpdate);
            EXPECT_EQ(calls, expected) << c.name << " #" << i;
        }
    }
}

TEST_F(Refresh, StartWithSettingZeroReportsZeroOfZeroWithoutAlert) {
    fake::holdsTaskbar = true;
    state.setSeconds = 0;
    ToggleRunning(fake::window);
    EXPECT_EQ(fake::TakeCalls(),
              (Calls{"SetProgressState(w,2)", "SetTimer(w,8000,1000)", "SetProgressValue(w,0,0)",
                     repaintInvalidate, repaintUpdate}));
    EXPECT_EQ(state.remainingSeconds, 0);
}

TEST_F(Refresh, StopInOvertimeStoresZeroAndTheNextRunAlertsAgain) {
    StartWith(3);
    EXPECT_EQ(TimerAt(4000), (Calls{alert, repaintInvalidate, repaintUpdate}));
    TimerAt(10'000);
    EXPECT_EQ(state.remainingSeconds, -7);
    ToggleRunning(fake::window);
    EXPECT_EQ(state.setSeconds, 0);  // clamped by the refresh of the same toggle
    EXPECT_EQ(state.remainingSeconds, -7);
    fake::TakeCalls();

    ToggleRunning(fake::window);
    EXPECT_EQ(state.remainingSeconds, 0);
    fake::TakeCalls();
    EXPECT_EQ(TimerAt(11'000), (Calls{alert, repaintInvalidate, repaintUpdate}));
    EXPECT_EQ(state.remainingSeconds, -1);
}

TEST_F(Refresh, StopStoresTheLatestRefreshNotTheStopwatch) {
    // Within half a second of the start: unchanged.
    StartWith(600, 7000);
    fake::tick = 7400;
    ToggleRunning(fake::window);
    EXPECT_EQ(state.setSeconds, 600);

    // 0.9 s after the refresh that gave 42.
    fake::Reset();
    fake::holdsTaskbar = true;
    StartWith(50);
    TimerAt(8000);
    EXPECT_EQ(state.remainingSeconds, 42);
    fake::tick = 8900;
    ToggleRunning(fake::window);
    EXPECT_EQ(state.setSeconds, 42);
    fake::TakeCalls();
    ToggleRunning(fake::window);
    EXPECT_EQ(state.remainingSeconds, 42);
    EXPECT_EQ(fake::TakeCalls(),
              (Calls{"SetProgressState(w,2)", "SetTimer(w,8000,1000)", "SetProgressValue(w,0,42)",
                     repaintInvalidate, repaintUpdate}));
}

TEST_F(Refresh, CommandLineSettingAboveTheMaximumStandsUntilAStoppedRefresh) {
    // Started before any other refresh: the run counts down from 60000.
    fake::holdsTaskbar = true;
    StartWith(60'000);
    EXPECT_EQ(state.remainingSeconds, 60'000);
    EXPECT_EQ(TimerAt(1000)[0], "SetProgressValue(w,1,60000)");
    ToggleRunning(fake::window);
    EXPECT_EQ(state.setSeconds, 59'940);

    // A refresh while stopped clamps it at once.
    fake::Reset();
    state.setSeconds = 60'000;
    RefreshCountdown(fake::window);
    EXPECT_EQ(state.setSeconds, 59'940);
    EXPECT_EQ(fake::TakeCalls(), (Calls{repaintInvalidate, repaintUpdate}));
}

TEST_F(Refresh, TimerMessageAfterAStopOnlyClampsAndRepaints) {
    fake::holdsTaskbar = true;
    StartWith(10);
    TimerAt(3000);
    fake::tick = 3200;
    ToggleRunning(fake::window);
    fake::TakeCalls();
    EXPECT_EQ(TimerAt(4000), (Calls{repaintInvalidate, repaintUpdate}));
    EXPECT_EQ(state.setSeconds, 7);
    EXPECT_EQ(state.remainingSeconds, 7);
    EXPECT_EQ(state.previousRemaining, 7);
    EXPECT_TRUE(state.stopped);
}

TEST_F(Refresh, RunAcrossTheTickWrapStaysExact) {
    StartWith(10, 0xFFFF'FC18u);  // one second before the wrap
    TimerAt(0xFFFF'FFFFu);
    EXPECT_EQ(state.remainingSeconds, 9);
    TimerAt(1500);
    EXPECT_EQ(state.remainingSeconds, 7);
}

TEST_F(Refresh, OvertimeBeyondTheTickRangeNeverJumpsBackNorAlertsAgain) {
    StartWith(60, 0x1000);
    std::uint64_t elapsed = 0;
    int alerts = 0;
    std::int32_t previous = state.remainingSeconds;
    // Hourly refreshes for 60 days: past 2^32 ms (about 49.7 days).
    for (int hour = 1; hour <= 60 * 24; ++hour) {
        elapsed += 3'600'000;
        const Calls calls = TimerAt(static_cast<std::uint32_t>(0x1000 + elapsed));
        for (const auto& call : calls) alerts += call == alert;
        ASSERT_LT(state.remainingSeconds, previous) << "hour " << hour;
        previous = state.remainingSeconds;
    }
    EXPECT_EQ(alerts, 1);
    EXPECT_EQ(state.remainingSeconds, 60 - 60 * 24 * 3600);
}

}  // namespace
