// Tests of the face model: what one frame shows for stopped, running and overtime states, where
// the bar and flash go, values far beyond the usual range, and the local end-time label.
#include "face_model.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <optional>
#include <string>

namespace {

constexpr FaceRect ClientRect{0, 0, 230, 80};
// 2023-11-14 22:13:20 UTC.
constexpr std::int64_t FixedNow = 1700000000;
constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();

CountdownState Stopped(std::int32_t setSeconds) {
    CountdownState state;
    state.stopped = true;
    state.setSeconds = setSeconds;
    // A stopped face shows the setting, never a leftover result.
    state.remainingSeconds = 42;
    return state;
}

CountdownState Running(std::int32_t setSeconds, std::int32_t remainingSeconds) {
    CountdownState state;
    state.stopped = false;
    state.setSeconds = setSeconds;
    state.remainingSeconds = remainingSeconds;
    return state;
}

// Sets TZ for the C runtime's local-time conversion and puts the old value back afterwards.
class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) saved_ = old;
        Apply(zone);
    }
    ~ScopedTimeZone() { Apply(saved_ ? saved_->c_str() : nullptr); }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
    static void Apply(const char* zone) {
#ifdef _WIN32
        _putenv_s("TZ", zone != nullptr ? zone : "");
        _tzset();
#else
        if (zone != nullptr) {
            setenv("TZ", zone, 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
#endif
    }

    std::optional<std::string> saved_;
};

TEST(FaceModelStopped, ShowsTheSettingInGreyWithOnlyTheTexts) {
    struct Case {
        std::int32_t setSeconds;
        const char* timeText;
    };
    // The face clamps nothing: an unclamped command-line setting shows as it is.
    const Case cases[] = {
        {600, " 10:00"},
        {0, " 0:00"},
        {59940, " 999:00"},
        {60000, " 1000:00"},
        {Int32Max, " 35791394:07"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setSeconds);
        const FaceModel face = BuildFaceModel(Stopped(c.setSeconds), ClientRect, FixedNow);
        EXPECT_FALSE(face.running);
        EXPECT_EQ(face.shownSeconds, c.setSeconds);
        EXPECT_FALSE(face.negative);
        EXPECT_EQ(face.timeText, c.timeText);
        EXPECT_EQ(face.textColor, StoppedTextColor);
        EXPECT_FALSE(face.flash);
        EXPECT_FALSE(face.barVisible);
        EXPECT_FALSE(face.sectorVisible);
        EXPECT_EQ(face.endTimeText.size(), 8u);
    }
}

TEST(FaceModelRunning, TextColoursFlashBarRingAndSector) {
    const FaceColor black = RunningTextColor;
    const FaceColor white = FlashTextColor;
    const FaceColor red = OvertimeTextColor;
    struct Case {
        std::int32_t setSeconds;
        std::int32_t remaining;
        const char* timeText;
        FaceColor textColor;
        bool flash;
        bool barVisible;
        std::int32_t barEndX;
        bool sectorVisible;
        FacePoint secondsPoint;
        FacePoint minutePoint;
    };
    const Case cases[] = {
        // Full run: bar over the whole width, pale ring, sector to about 2 o'clock.
        {600, 600, " 10:00", black, false, true, 230, true, {23, 3}, {37, 14}},
        {600, 300, " 5:00", black, false, true, 115, true, {23, 3}, {31, 8}},
        // The bar exists but has no length once width x remaining is below the setting.
        {600, 1, " 0:01", black, false, true, 0, false, {25, 3}, {23, 6}},
        {600, 0, " 0:00", black, false, false, 0, false, {23, 3}, {23, 6}},
        // Overtime: the flash is on in the first, third and fifth second only.
        {600, -1, "-0:01", white, true, false, 0, false, {25, 3}, {23, 6}},
        {600, -2, "-0:02", red, false, false, 0, false, {27, 3}, {23, 6}},
        {600, -3, "-0:03", white, true, false, -1, false, {29, 3}, {23, 6}},
        {600, -4, "-0:04", red, false, false, -1, false, {31, 4}, {23, 6}},
        {600, -5, "-0:05", white, true, false, -1, false, {33, 5}, {23, 6}},
        {600, -6, "-0:06", red, false, false, -2, false, {34, 6}, {23, 6}},
        {600, -7, "-0:07", red, false, false, -2, false, {36, 8}, {23, 6}},
        // The bar's end truncates towards zero, also for negative products.
        {600, -65, "-1:05", red, false, false, -24, true, {33, 5}, {24, 6}},
        // Whole hours: the top itself at 3 hours, a sliver short of it at 1 and 2.
        {10800, 10800, " 180:00", black, false, true, 230, true, {23, 3}, {23, 6}},
        {3600, 3600, " 60:00", black, false, true, 230, true, {23, 3}, {22, 6}},
        {7200, 7200, " 120:00", black, false, true, 230, true, {23, 3}, {22, 6}},
        // Width x remaining far beyond 32 bits must still give the right bar.
        {Int32Max, Int32Max, " 35791394:07", black, false, true, 230, true, {36, 8}, {39, 20}},
        {Int32Max, Int32Max - 1, " 35791394:06", black, false, true, 229, true, {34, 6}, {39, 20}},
        // A magnitude with no 32-bit absolute value; a zero setting leaves the bar at the edge.
        {0, Int32Min, "-35791394:08", red, false, false, 0, true, {37, 9}, {39, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.setSeconds << " / " << c.remaining);
        const FaceModel face =
            BuildFaceModel(Running(c.setSeconds, c.remaining), ClientRect, FixedNow);
        EXPECT_TRUE(face.running);
        EXPECT_EQ(face.shownSeconds, c.remaining);
        EXPECT_EQ(face.negative, c.remaining < 0);
        EXPECT_EQ(face.timeText, c.timeText);
        EXPECT_EQ(face.textColor, c.textColor);
        EXPECT_EQ(face.flash, c.flash);
        EXPECT_EQ(face.barVisible, c.barVisible);
        EXPECT_EQ(face.barEndX, c.barEndX);
        EXPECT_EQ(face.barY, 77);
        EXPECT_EQ(face.ringColor, c.remaining < 0 ? OvertimeRingColor : RingColor);
        EXPECT_EQ(face.secondsPoint, c.secondsPoint);
        EXPECT_EQ(face.sectorVisible, c.sectorVisible);
        EXPECT_EQ(face.minutePoint, c.minutePoint);
        EXPECT_EQ(face.endTimeText.size(), 8u);
    }
}

TEST(FaceModelRunning, FlashAndBarArePlacedInAPartialPaintRect) {
    const FaceRect exposed{40, 10, 140, 50};

    const FaceModel half = BuildFaceModel(Running(600, 300), exposed, FixedNow);
    EXPECT_EQ(half.paintRect, exposed);
    EXPECT_EQ(half.barY, 47);
    EXPECT_EQ(half.barEndX, 90);

    const FaceModel full = BuildFaceModel(Running(600, 600), exposed, FixedNow);
    EXPECT_EQ(full.barEndX, 140);

    const FaceModel flashing = BuildFaceModel(Running(600, -1), exposed, FixedNow);
    EXPECT_TRUE(flashing.flash);
    EXPECT_EQ(flashing.paintRect, exposed);
}

TEST(FaceModelEndTime, IsTheLocalClockTimeOfTheEnd) {
    struct Case {
        const char* zone;
        CountdownState state;
        const char* label;
    };
    // No daylight saving in either zone, so the C runtimes of both platforms agree.
    const Case cases[] = {
        {"UTC0", Stopped(600), "22:23:20"},        {"UTC0", Stopped(59940), "14:52:20"},
        {"UTC0", Running(600, 0), "22:13:20"},     {"UTC0", Running(600, -65), "22:12:15"},
        {"IST-5:30", Stopped(600), "03:53:20"},    {"IST-5:30", Stopped(59940), "20:22:20"},
        {"IST-5:30", Running(600, 0), "03:43:20"}, {"IST-5:30", Running(600, -65), "03:42:15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.zone << " expecting " << c.label);
        const ScopedTimeZone zone(c.zone);
        EXPECT_EQ(BuildFaceModel(c.state, ClientRect, FixedNow).endTimeText, c.label);
    }
}

TEST(FaceModelEndTime, StandsStillThroughExpiryAndOvertime) {
    const ScopedTimeZone zone("UTC0");
    for (std::int32_t elapsed = 0; elapsed <= 10; ++elapsed) {
        SCOPED_TRACE(elapsed);
        const FaceModel face =
            BuildFaceModel(Running(3, 3 - elapsed), ClientRect, FixedNow + elapsed);
        EXPECT_EQ(face.endTimeText, "22:13:23");
    }
}

TEST(FaceModelEndTime, ShowsDashesWhenTheTimeCannotBeConverted) {
    const ScopedTimeZone zone("UTC0");
    // Far beyond any year the C runtime can represent.
    const FaceModel face = BuildFaceModel(Stopped(600), ClientRect, std::int64_t{1} << 62);
    EXPECT_EQ(face.endTimeText, "--:--:--");
}

}  // namespace
