// Key, wheel and pointer rules: which input adjusts the setting, by how much, and what it calls.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "recording_platform.h"

namespace {

using Calls = std::vector<std::string>;
const Calls repaint{"InvalidateRect(w,null,TRUE)", "UpdateWindow(w)"};
constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();

// A wheel message's first parameter with the given delta in its high word.
std::uintptr_t WheelParam(std::int16_t delta) {
    return static_cast<std::uintptr_t>(static_cast<std::uint16_t>(delta)) << 16;
}

// A pointer-move message's second parameter: column low, row high (both 16-bit words).
std::intptr_t MoveParam(std::uint16_t row, std::uint16_t column = 7) {
    return static_cast<std::intptr_t>((std::uint32_t{row} << 16) | column);
}

class InputRules : public ::testing::Test {
  protected:
    void SetUp() override { fake::Reset(); }
    CountdownState& state = countdownState;
};

TEST_F(InputRules, AdjustmentKeysWhileStopped) {
    struct Case {
        std::int32_t before;
        std::uintptr_t key;
        std::int32_t after;
    };
    const Case cases[] = {
        {600, key::Up, 610},
        {600, key::Down, 590},
        {600, key::PageUp, 660},
        {600, key::PageDown, 540},
        {5, key::Down, 0},
        {59'910, key::PageUp, 59'940},
        {0, key::PageDown, 0},
        {int32Max, key::PageUp, 59'940},
        {int32Max - 5, key::Up, 59'940},
    };
    for (const auto& c : cases) {
        fake::Reset();
        state.setSeconds = c.before;
        HandleKeyDown(fake::window, c.key);
        EXPECT_EQ(state.setSeconds, c.after) << c.before << " key " << c.key;
        EXPECT_EQ(fake::TakeCalls(), repaint) << c.before << " key " << c.key;
    }
}

TEST_F(InputRules, UpThreeTimesThenPageDown) {
    for (int i = 0; i < 3; ++i) HandleKeyDown(fake::window, key::Up);
    EXPECT_EQ(state.setSeconds, 630);
    HandleKeyDown(fake::window, key::PageDown);
    EXPECT_EQ(state.setSeconds, 570);
}

TEST_F(InputRules, AdjustmentKeysWhileRunningOnlyRefresh) {
    ToggleRunning(fake::window);
    fake::TakeCalls();
    for (auto k : {key::Up, key::Down, key::PageUp, key::PageDown}) {
        HandleKeyDown(fake::window, k);
        EXPECT_EQ(state.setSeconds, 600);
        EXPECT_EQ(fake::TakeCalls(), repaint) << "key " << k;
    }
}

TEST_F(InputRules, OtherKeys) {
    struct Case {
        std::uintptr_t key;
        Calls calls;
    };
    const Case cases[] = {
        {key::Escape, {"SendMessageA(w,16,0,0)"}},
        {key::F1, {"ShowAboutBox()"}},
        {37, {}},    // Left
        {39, {}},    // Right
        {36, {}},    // Home
        {35, {}},    // End
        {'5', {}},   // a digit
        {16, {}},    // Shift
        {0xA0, {}},  // left Shift, as the expiry alert synthesises it
        {121, {}},   // F10
    };
    for (const auto& c : cases) {
        fake::Reset();
        HandleKeyDown(fake::window, c.key);
        EXPECT_EQ(fake::TakeCalls(), c.calls) << "key " << c.key;
        EXPECT_EQ(state.setSeconds, 600);
        EXPECT_TRUE(state.stopped);
    }
}

TEST_F(InputRules, EnterAndSpaceToggleAtEveryRepeat) {
    for (auto k : {key::Return, key::Space}) {
        fake::Reset();
        HandleKeyDown(fake::window, k);
        EXPECT_FALSE(state.stopped);
        EXPECT_EQ(fake::TakeCalls()[0], "SetTimer(w,8000,1000)");
        HandleKeyDown(fake::window, k);
        EXPECT_TRUE(state.stopped);
        EXPECT_EQ(fake::TakeCalls()[0], "KillTimer(w,8000)");
    }
}

TEST_F(InputRules, WheelStepBoundariesLieOnMultiplesOf2500) {
    struct Case {
        std::int32_t setSeconds;
        std::int32_t minutes;
    };
    const Case cases[] = {{0, 1},     {2499, 1},          {2500, 2},    {4999, 2},
                          {5000, 3},  {57'499, 23},       {57'500, 24}, {59'940, 24},
                          {-2500, 2}, {int32Max, 858'994}};
    for (const auto& c : cases) {
        EXPECT_EQ(WheelStepMinutes(c.setSeconds), c.minutes) << c.setSeconds;
    }
    // Every boundary across the whole range, not only the sampled ones.
    for (std::int32_t s = 0; s <= MaxSetSeconds; ++s) {
        ASSERT_EQ(WheelStepMinutes(s), 1 + s / 2500) << s;
    }
}

TEST_F(InputRules, WheelAdjustsWhileStopped) {
    struct Case {
        std::int32_t before;
        std::int16_t delta;
        std::int32_t after;
    };
    const Case cases[] = {
        {2499, -120, 2439}, {2500, -120, 2380}, {600, 120, 660},
        {600, 1, 660},      {600, 360, 660},    {59'940, 120, 59'940},
        {0, -120, 0},       {600, 0, 600},      {int32Max, 120, 59'940},
    };
    for (const auto& c : cases) {
        fake::Reset();
        state.setSeconds = c.before;
        HandleWheel(fake::window, WheelParam(c.delta));
        EXPECT_EQ(state.setSeconds, c.after) << c.before << " delta " << c.delta;
        EXPECT_EQ(fake::TakeCalls(), repaint) << c.before << " delta " << c.delta;
    }
}

TEST_F(InputRules, WheelWhileRunningDoesNothing) {
    ToggleRunning(fake::window);
    fake::TakeCalls();
    HandleWheel(fake::window, WheelParam(120));
    HandleWheel(fake::window, WheelParam(-120));
    EXPECT_EQ(state.setSeconds, 600);
    EXPECT_TRUE(fake::TakeCalls().empty());
}

TEST_F(InputRules, PointerRowDecoding) {
    struct Case {
        std::uint16_t high;
        std::int32_t row;
    };
    const Case cases[] = {{0, 0},
                          {30, 30},
                          {32'000, 32'000},
                          {32'001, -33'535},
                          {32'767, -32'769},
                          {32'768, -32'768},
                          {65'535, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(DecodePointerRow(MoveParam(c.high, 0xFFFF)), c.row) << c.high;
    }
}

TEST_F(InputRules, DragAdjustsBySignedPixelsAndLosesWhatPassesALimit) {
    struct Step {
        std::uint16_t row;
        std::int32_t setSeconds;
    };
    struct Case {
        std::int32_t start;
        std::uint16_t startRow;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {600, 40, {{30, 610}, {50, 590}}},
        // Down past 0, then up by 5 pixels: 5 at once.
        {0, 40, {{60, 0}, {55, 5}}},
        {59'930, 40, {{10, 59'940}, {20, 59'930}}},
        // Above the client area (negative rows) counts upward as well.
        {100, 5, {{static_cast<std::uint16_t>(-20), 125}}},
    };
    for (const auto& c : cases) {
        fake::Reset();
        state.setSeconds = c.start;
        HandlePointerMove(fake::window, MoveParam(c.startRow));
        HandleButtonDown(fake::window);
        EXPECT_EQ(fake::TakeCalls(), (Calls{repaint[0], repaint[1], "SetCapture(w)"}));
        for (const auto& step : c.steps) {
            HandlePointerMove(fake::window, MoveParam(step.row));
            EXPECT_EQ(state.setSeconds, step.setSeconds) << c.start << " to row " << step.row;
            EXPECT_EQ(fake::TakeCalls(), repaint);
        }
        HandleButtonUp();
        EXPECT_EQ(fake::TakeCalls(), (Calls{"ReleaseCapture()"}));
        EXPECT_FALSE(pointerDragState.dragging);
    }
}

TEST_F(InputRules, MovesWithoutADragOrWhileRunningOnlyFollowThePointer) {
    HandlePointerMove(fake::window, MoveParam(40));
    HandlePointerMove(fake::window, MoveParam(10));
    EXPECT_EQ(state.setSeconds, 600);
    EXPECT_EQ(pointerDragState.lastMouseY, 10);
    EXPECT_TRUE(fake::TakeCalls().empty());

    // A drag begun while running adjusts nothing until the countdown stops.
    ToggleRunning(fake::window);
    HandleButtonDown(fake::window);
    fake::TakeCalls();
    HandlePointerMove(fake::window, MoveParam(0));
    EXPECT_EQ(state.setSeconds, 600);
    EXPECT_TRUE(fake::TakeCalls().empty());
    HandleKeyDown(fake::window, key::Return);
    HandlePointerMove(fake::window, MoveParam(2));
    EXPECT_EQ(state.setSeconds, 598);
}

TEST_F(InputRules, ButtonPressClampsAStandingCommandLineSetting) {
    state.setSeconds = 70'000;
    HandleButtonDown(fake::window);
    EXPECT_EQ(state.setSeconds, 59'940);
    EXPECT_TRUE(pointerDragState.dragging);
}

TEST_F(InputRules, DragNearTheTopOfTheRangeSaturates) {
    state.setSeconds = int32Max;
    HandlePointerMove(fake::window, MoveParam(40));
    pointerDragState.dragging = true;  // a release that never arrived keeps the drag alive
    HandlePointerMove(fake::window, MoveParam(static_cast<std::uint16_t>(-30000)));
    EXPECT_EQ(state.setSeconds, 59'940);
}

TEST(SaturatingAdd, HoldsAtTheEndsOfTheRange) {
    EXPECT_EQ(SaturatingAdd(int32Max, 60), int32Max);
    EXPECT_EQ(SaturatingAdd(std::numeric_limits<std::int32_t>::min(), -60),
              std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(SaturatingAdd(600, -60), 540);
}

}  // namespace
