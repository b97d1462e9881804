// What one painted frame of the timer face shows, computed without the platform.
// Must not include any platform header.
#pragma once

#include <cstdint>
#include <string>

#include "countdown.h"

struct FacePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const FacePoint&) const = default;
};

struct FaceRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const FaceRect&) const = default;
};

struct FaceColor {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const FaceColor&) const = default;
};

// Fixed geometry of the face.
inline constexpr FacePoint DialCentre{23, 23};
inline constexpr std::int32_t SecondsRingRadius = 20;
inline constexpr FaceRect SecondsRingBox{3, 3, 43, 43};
inline constexpr FacePoint SecondsRingTop{23, 3};
inline constexpr std::int32_t MinuteDiskRadius = 17;
inline constexpr FaceRect MinuteDiskBox{6, 6, 40, 40};
inline constexpr FacePoint MinuteDiskTop{23, 6};
inline constexpr FacePoint TimeTextAnchor{210, -5};
inline constexpr FacePoint EndTimeTextAnchor{207, 34};

// Colours of the face.
inline constexpr FaceColor StoppedTextColor{100, 100, 100};
inline constexpr FaceColor RunningTextColor{0, 0, 0};
inline constexpr FaceColor OvertimeTextColor{255, 0, 0};
inline constexpr FaceColor FlashTextColor{255, 255, 255};
inline constexpr FaceColor FlashFillColor{255, 0, 0};
inline constexpr FaceColor FlashOutlineColor{0, 0, 0};
inline constexpr FaceColor BarColor{200, 200, 200};
inline constexpr FaceColor RingColor{200, 200, 200};
inline constexpr FaceColor OvertimeRingColor{200, 0, 0};
inline constexpr FaceColor PaleRingColor{240, 240, 240};

struct FaceModel {
    FaceRect paintRect;
    bool running = false;
    std::int32_t shownSeconds = 0;
    bool negative = false;
    std::int32_t minutes = 0;
    std::int32_t seconds = 0;
    bool flash = false;
    FaceColor textColor;
    bool barVisible = false;
    std::int32_t barEndX = 0;
    std::int32_t barY = 0;
    FaceColor ringColor;
    FacePoint secondsPoint;
    bool sectorVisible = false;
    FacePoint minutePoint;
    // Grows as needed, so no value is ever cut or written past its room.
    std::string timeText;
    // Always exactly 8 characters: HH:MM:SS.
    std::string endTimeText;
};

// nowSeconds: calendar time, whole seconds since 1970-01-01 00:00:00 UTC.
FaceModel BuildFaceModel(const CountdownState& state, const FaceRect& paintRect,
                         std::int64_t nowSeconds);

// The point n sixtieths of a turn clockwise from the top of the dial, at the given radius.
FacePoint DialPoint(std::int32_t n, std::int32_t radius);
