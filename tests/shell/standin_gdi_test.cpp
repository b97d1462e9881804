// The stand-in's GDI: arc and pie direction, rectangle edges, object selection and deletion
// rules, and text placement, checked on the painted pixels.
#include <gtest/gtest.h>

#include "fonts.h"
#include "test_window.h"

namespace {

constexpr std::uint32_t White = 0xFFFFFFFF;
constexpr std::uint32_t Red = 0xFFFF0000;
constexpr std::uint32_t Blue = 0xFF0000FF;
constexpr std::uint32_t Black = 0xFF000000;

struct Probe {
    int x;
    int y;
    std::uint32_t color;
};

void ExpectPixels(const headless::Frame& frame, const std::vector<Probe>& probes) {
    for (const Probe& p : probes) {
        EXPECT_EQ(frame.At(p.x, p.y), p.color) << "at (" << p.x << ", " << p.y << ")";
    }
}

TEST(StandInGdi, PieRunsCounterClockwiseFromTheFirstRayAndEqualRaysFillTheDisk) {
    // Box (0,0)-(40,40): centre (20,20). Probes sit in the four quadrants.
    struct Case {
        const char* name;
        POINT first;
        POINT second;
        std::uint32_t upperRight, upperLeft, lowerLeft, lowerRight;
    };
    const Case cases[] = {
        {"3 to 12 o'clock", {40, 20}, {20, 0}, Red, White, White, White},
        {"12 to 3 o'clock", {20, 0}, {40, 20}, White, Red, Red, Red},
        {"9 to 6 o'clock", {0, 20}, {20, 40}, White, White, Red, White},
        {"same ray twice", {20, 0}, {20, 5}, Red, Red, Red, Red},
    };
    HWND window = test_window::Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const headless::Frame frame = test_window::PaintWith(window, [&](HDC dc) {
            HPEN pen = CreatePen(PS_NULL, 1, RGB(0, 0, 0));
            HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
            HGDIOBJ oldPen = SelectObject(dc, pen);
            HGDIOBJ oldBrush = SelectObject(dc, brush);
            Pie(dc, 0, 0, 40, 40, c.first.x, c.first.y, c.second.x, c.second.y);
            SelectObject(dc, oldBrush);
            SelectObject(dc, oldPen);
            DeleteObject(brush);
            DeleteObject(pen);
        });
        ExpectPixels(frame, {{28, 12, c.upperRight},
                             {12, 12, c.upperLeft},
                             {12, 28, c.lowerLeft},
                             {28, 28, c.lowerRight},
                             {38, 38, White}});
    }
}

TEST(StandInGdi, ArcRunsCounterClockwiseWithThePenCentredOnTheEllipse) {
    // Box (4,4)-(44,44): a circle of radius 20 about (24,24), stroked 4 pixels wide.
    struct Case {
        const char* name;
        POINT start;
        POINT end;
        std::uint32_t upperRight, lowerLeft, top;
    };
    const Case cases[] = {
        {"3 to 12 o'clock", {44, 24}, {24, 4}, Blue, White, Blue},
        {"12 to 3 o'clock", {24, 4}, {44, 24}, White, Blue, Blue},
        {"whole circle", {24, 4}, {24, 4}, Blue, Blue, Blue},
    };
    HWND window = test_window::Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const headless::Frame frame = test_window::PaintWith(window, [&](HDC dc) {
            HPEN pen = CreatePen(PS_SOLID, 4, RGB(0, 0, 255));
            HGDIOBJ old = SelectObject(dc, pen);
            Arc(dc, 4, 4, 44, 44, c.start.x, c.start.y, c.end.x, c.end.y);
            SelectObject(dc, old);
            DeleteObject(pen);
        });
        // 45 degrees up-right and down-left on the circle, and its top.
        ExpectPixels(frame, {{38, 9, c.upperRight},
                             {9, 38, c.lowerLeft},
                             {24, 4, c.top},
                             {24, 24, White},
                             {24, 1, White}});
    }
}

TEST(StandInGdi, RectangleLeavesOutItsRightAndBottomEdges) {
    HWND window = test_window::Create();
    for (const bool withPen : {true, false}) {
        SCOPED_TRACE(withPen ? "default pen" : "null pen");
        const headless::Frame frame = test_window::PaintWith(window, [&](HDC dc) {
            HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
            HPEN nullPen = CreatePen(PS_NULL, 1, 0);
            HGDIOBJ oldBrush = SelectObject(dc, brush);
            HGDIOBJ oldPen = withPen ? nullptr : SelectObject(dc, nullPen);
            Rectangle(dc, 2, 2, 12, 8);
            if (oldPen != nullptr) SelectObject(dc, oldPen);
            SelectObject(dc, oldBrush);
            DeleteObject(brush);
            DeleteObject(nullPen);
        });
        const std::uint32_t edge = withPen ? Black : Red;
        ExpectPixels(frame, {{2, 2, edge},
                             {5, 2, edge},
                             {5, 5, Red},
                             {10, 6, Red},
                             {11, 7, withPen ? Black : White},
                             {12, 8, White},
                             {12, 5, White},
                             {1, 1, White}});
    }
}

TEST(StandInGdi, SelectedObjectsCannotBeDeletedAndSelectionReturnsWhatWasReplaced) {
    HWND window = test_window::Create();
    test_window::PaintWith(window, [](HDC dc) {
        HPEN first = CreatePen(PS_SOLID, 2, RGB(1, 2, 3));
        HPEN second = CreatePen(PS_SOLID, 2, RGB(4, 5, 6));
        HBRUSH brush = CreateSolidBrush(RGB(7, 8, 9));
        EXPECT_EQ(headless::LiveGdiObjects(), 3);

        HGDIOBJ defaultPen = SelectObject(dc, first);
        ASSERT_NE(defaultPen, nullptr);
        EXPECT_EQ(SelectObject(dc, second), static_cast<HGDIOBJ>(first));
        HGDIOBJ defaultBrush = SelectObject(dc, brush);
        EXPECT_NE(defaultBrush, defaultPen) << "pens and brushes are selected separately";

        EXPECT_EQ(DeleteObject(second), FALSE);
        EXPECT_EQ(DeleteObject(brush), FALSE);
        EXPECT_EQ(headless::RefusedDeletes(), 2);
        EXPECT_EQ(DeleteObject(first), TRUE) << "no longer selected";
        EXPECT_EQ(DeleteObject(first), FALSE) << "already deleted";
        EXPECT_EQ(SelectObject(dc, first), nullptr) << "a deleted object cannot be selected";

        EXPECT_EQ(SelectObject(dc, defaultPen), static_cast<HGDIOBJ>(second));
        EXPECT_EQ(SelectObject(dc, defaultBrush), static_cast<HGDIOBJ>(brush));
        EXPECT_EQ(DeleteObject(second), TRUE);
        EXPECT_EQ(DeleteObject(brush), TRUE);
        EXPECT_EQ(DeleteObject(defaultPen), TRUE) << "stock objects ignore deletion";
        EXPECT_EQ(SelectObject(dc, defaultPen), defaultPen) << "and stay usable";
    });
    EXPECT_EQ(headless::LiveGdiObjects(), 0);
    EXPECT_EQ(headless::RefusedDeletes(), 2);
}

struct InkBounds {
    int left = 1 << 20;
    int top = 1 << 20;
    int right = -1;
    int bottom = -1;
};

// The box around every pixel that differs from the background.
InkBounds Ink(const headless::Frame& frame, std::uint32_t background) {
    InkBounds ink;
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            if (frame.At(x, y) == background) continue;
            ink.left = std::min(ink.left, x);
            ink.top = std::min(ink.top, y);
            ink.right = std::max(ink.right, x + 1);
            ink.bottom = std::max(ink.bottom, y + 1);
        }
    }
    return ink;
}

TEST(StandInGdi, TextIsPlacedByItsAlignmentInsideItsCharacterCell) {
    struct Case {
        UINT align;
        int x;
        int y;
        int height;
    };
    const Case cases[] = {{TA_LEFT, 20, 2, 46}, {TA_RIGHT, 210, -5, 46}, {TA_RIGHT, 207, 34, 12}};
    HWND window = test_window::Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        const headless::Frame frame = test_window::PaintWith(window, [&](HDC dc) {
            SetBkMode(dc, TRANSPARENT);
            SetTextAlign(dc, c.align);
            HFONT font = CreateFontA(c.height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     DEFAULT_PITCH | FF_SWISS, "Verdana");
            HGDIOBJ old = SelectObject(dc, font);
            TextOutA(dc, c.x, c.y, "10:00", 5);
            SelectObject(dc, old);
            DeleteObject(font);
        });
        const InkBounds ink = Ink(frame, White);
        ASSERT_GE(ink.right, 0) << "some text was drawn";
        if (c.align == TA_RIGHT) {
            EXPECT_LE(ink.right, c.x);
            EXPECT_GE(ink.right, c.x - 4) << "right-aligned text ends at x";
        } else {
            EXPECT_GE(ink.left, c.x);
            EXPECT_LE(ink.left, c.x + 4) << "left-aligned text starts at x";
        }
        EXPECT_GE(ink.top, std::max(0, c.y));
        EXPECT_LE(ink.bottom, c.y + c.height) << "glyphs stay inside the character cell";
        EXPECT_GT(ink.bottom - ink.top, c.height / 2) << "digits fill most of the cell";
    }
}

TEST(StandInGdi, OpaqueTextFillsItsCellTransparentTextDoesNot) {
    HWND window = test_window::Create();
    for (const int mode : {OPAQUE, TRANSPARENT}) {
        const headless::Frame frame = test_window::PaintWith(window, [&](HDC dc) {
            HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
            HGDIOBJ oldBrush = SelectObject(dc, red);
            Rectangle(dc, -1, -1, 300, 300);
            SelectObject(dc, oldBrush);
            DeleteObject(red);
            SetBkMode(dc, mode);
            TextOutA(dc, 10, 10, "ii", 2);
        });
        std::size_t white = 0;
        for (std::uint32_t pixel : frame.pixels) white += pixel == White ? 1 : 0;
        if (mode == OPAQUE) {
            EXPECT_GT(white, 20u) << "the default background colour fills the cell";
        } else {
            EXPECT_EQ(white, 0u);
        }
    }
}

TEST(StandInFonts, VerdanaResolvesToACloseSansFaceWithTheCellHeightAsked) {
    for (const int height : {46, 12}) {
        standin::fonts::FontRequest request;
        request.height = height;
        request.width = height == 46 ? 28 : 0;
        request.faceName = "Verdana";
        const auto& font = standin::fonts::Resolve(request);
        EXPECT_TRUE(font.family == "DejaVu Sans" || font.family == "Liberation Sans" ||
                    font.family == "Verdana")
            << font.family;
        EXPECT_NEAR(font.ascent + font.descent, height, 1);
    }
}

}  // namespace
