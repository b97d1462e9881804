// Tests of the dial points: the single-precision rounding steps must land on these exact pixels.
#include <gtest/gtest.h>

#include "face_model.h"

namespace {

struct DialCase {
    std::int32_t n;
    std::int32_t radius;
    FacePoint expected;
};

// Seconds on the ring (radius 20) and minutes on the disk (radius 17). Exact arithmetic would put
// 15, 40 and 45 one pixel lower and 1 and 59 minutes elsewhere; 60 and 120 minutes miss the top.
constexpr DialCase DialCases[] = {
    {0, 20, {23, 3}},   {1, 20, {25, 3}},   {15, 20, {43, 22}}, {30, 20, {23, 43}},
    {40, 20, {5, 32}},  {45, 20, {3, 22}},  {59, 20, {20, 3}},  {1, 17, {24, 6}},
    {10, 17, {37, 14}}, {15, 17, {40, 22}}, {30, 17, {23, 40}}, {45, 17, {6, 22}},
    {60, 17, {22, 6}},  {120, 17, {22, 6}}, {180, 17, {23, 6}},
};

TEST(DialPoint, LandsOnTheExpectedPixels) {
    for (const DialCase& c : DialCases) {
        const FacePoint p = DialPoint(c.n, c.radius);
        EXPECT_EQ(p.x, c.expected.x) << "n=" << c.n << " r=" << c.radius;
        EXPECT_EQ(p.y, c.expected.y) << "n=" << c.n << " r=" << c.radius;
    }
}

TEST(DialPoint, OnlyZeroSecondsIsTheTopOfTheRing) {
    EXPECT_EQ(DialPoint(0, SecondsRingRadius), SecondsRingTop);
    for (std::int32_t n = 1; n < 60; ++n) {
        EXPECT_NE(DialPoint(n, SecondsRingRadius), SecondsRingTop) << "n=" << n;
    }
}

}  // namespace
