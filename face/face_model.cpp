// Builds the face model: texts, colours, dial points and bar of one frame from the countdown state.
// Must not include any platform header.
#include "face_model.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

// Slightly less than pi; the dial's pixels depend on this exact value.
constexpr double DialPi = 3.1415926;
constexpr std::int32_t BarInsetFromBottom = 3;

std::string FormatTimeText(bool negative, int minutes, int seconds) {
    // Room for any int pair, far more than the 12 characters of the largest 32-bit magnitude.
    char text[32];
    std::snprintf(text, sizeof text, " %i:%02i", minutes, seconds);
    if (negative) text[0] = '-';
    return text;
}

std::string FormatLocalClockTime(std::int64_t calendarSeconds) {
    const auto when = static_cast<std::time_t>(calendarSeconds);
    const std::tm* local = std::localtime(&when);
    // Out-of-range calendar times (e.g. beyond the C runtime's last year) convert to nothing.
    if (local == nullptr) return "--:--:--";
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", local->tm_hour, local->tm_min,
                  local->tm_sec);
    return text;
}

}  // namespace

FacePoint DialPoint(std::int32_t n, std::int32_t radius) {
    // The single-precision roundings are deliberate: they decide single pixels of the dial.
    const auto angle = static_cast<float>(n / 60.0 * 2 * DialPi);
    const auto sine = static_cast<float>(std::sin(static_cast<double>(angle)));
    const auto cosine = static_cast<float>(std::cos(static_cast<double>(angle)));
    const double x = DialCentre.x + radius * static_cast<double>(sine);
    const double y = DialCentre.y - radius * static_cast<double>(cosine);
    return {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
}

FaceModel BuildFaceModel(const CountdownState& state, const FaceRect& paintRect,
                         std::int64_t nowSeconds) {
    FaceModel face;
    face.paintRect = paintRect;
    face.running = !state.stopped;

    face.shownSeconds = face.running ? state.remainingSeconds : state.setSeconds;
    face.negative = face.shownSeconds < 0;

    // 64-bit magnitude: the lowest 32-bit value has no 32-bit absolute value.
    const std::int64_t shown = face.shownSeconds;
    const std::int64_t magnitude = shown < 0 ? -shown : shown;
    face.minutes = static_cast<std::int32_t>(magnitude / 60);
    face.seconds = static_cast<std::int32_t>(magnitude % 60);

    face.flash = face.running && shown > -6 && shown < 0 && shown % 2 != 0;

    if (!face.running) {
        face.textColor = StoppedTextColor;
    } else if (!face.negative) {
        face.textColor = RunningTextColor;
    } else {
        face.textColor = face.flash ? FlashTextColor : OvertimeTextColor;
    }

    face.barVisible = face.running && shown > 0;
    face.barY = paintRect.bottom - BarInsetFromBottom;
    // The product is 64-bit so command-line settings far above the usual maximum cannot overflow
    // it; a zero setting (stopped at 0) has no bar and must not divide.
    face.barEndX = paintRect.left;
    if (state.setSeconds != 0) {
        const std::int64_t width = std::int64_t{paintRect.right} - paintRect.left;
        face.barEndX = static_cast<std::int32_t>(paintRect.left + width * shown / state.setSeconds);
    }

    face.ringColor = face.negative ? OvertimeRingColor : RingColor;
    face.secondsPoint = DialPoint(face.seconds, SecondsRingRadius);
    face.sectorVisible = face.running && face.minutes > 0;
    face.minutePoint = DialPoint(face.minutes, MinuteDiskRadius);

    face.timeText = FormatTimeText(face.negative, face.minutes, face.seconds);
    // In overtime this is the moment the countdown ended, so the label stands still.
    face.endTimeText = FormatLocalClockTime(nowSeconds + shown);
    return face;
}
