// The face painter on the running program: its calls for a stopped and a flash frame, the balance
// of its drawing objects, and the pixels of the dial, bar, flash and texts.
#include <gtest/gtest.h>

#include <regex>

#include "program_run.h"

namespace {

using program_run::Count;
using program_run::Trace;

constexpr std::uint32_t White = 0xFFFFFFFF;
constexpr std::uint32_t Black = 0xFF000000;
constexpr std::uint32_t FlashRed = 0xFFFF0000;
constexpr std::uint32_t Grey = 0xFFC8C8C8;
constexpr std::uint32_t Pale = 0xFFF0F0F0;
constexpr std::uint32_t DarkRed = 0xFFC80000;

// The frame painted for the trace's paint whose large text is `timeText`.
Trace PaintShowing(const Trace& trace, const std::string& timeText) {
    const std::string text = "TextOutA(dc,210,-5,\"" + timeText + "\"";
    for (const Trace& paint : program_run::Paints(trace)) {
        if (Count(paint, text) == 1) return paint;
    }
    return {};
}

// The end-time label is the local clock time, so only its form is fixed.
void ExpectLabel(Trace& paint) {
    static const std::regex label(R"re(TextOutA\(dc,207,34,"\d\d:\d\d:\d\d",8\))re");
    for (std::string& entry : paint) {
        if (std::regex_match(entry, label)) entry = "TextOutA(dc,207,34,<label>,8)";
    }
}

const Trace TextSteps(const std::string& timeText) {
    return {
        "SetBkMode(dc,1)",
        "CreateFontA(46,28,0,0,400,0,0,0,0,0,0,0,32,\"Verdana\")=font1",
        "SelectObject(dc,font1)=stock_font",
        "SetTextAlign(dc,2)",
        "TextOutA(dc,210,-5,\"" + timeText + "\"," + std::to_string(timeText.size()) + ")",
        "SelectObject(dc,stock_font)=font1",
        "DeleteObject(font1)",
        "CreateFontA(12,0,0,0,400,0,0,0,0,0,0,0,32,\"Verdana\")=font1",
        "SelectObject(dc,font1)=stock_font",
        "TextOutA(dc,207,34,<label>,8)",
        "SelectObject(dc,stock_font)=font1",
        "DeleteObject(font1)",
        "EndPaint(hwnd)",
    };
}

Trace Join(Trace head, const Trace& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST(FacePainter, StoppedAndFlashFramesMakeExactlyTheirCalls) {
    program_run::Reset();
    headless::At(10, [] { headless::Key(headless::MainWindow(), VK_SPACE); });
    headless::At(3500, [] { headless::Key(headless::MainWindow(), VK_ESCAPE); });
    EXPECT_EQ(program_run::Run("2"), 0);
    const Trace trace = headless::TakeTrace();

    Trace stopped = PaintShowing(trace, " 0:02");
    ExpectLabel(stopped);
    const Trace expectedStopped =
        Join({"BeginPaint(hwnd)=dc", "DefWindowProcA(hwnd,WM_ERASEBKGND,dc,0)",
              "SetTextColor(dc,RGB(100,100,100))"},
             TextSteps(" 0:02"));
    EXPECT_EQ(stopped, expectedStopped);

    Trace flash = PaintShowing(trace, "-0:01");
    ExpectLabel(flash);
    const Trace expectedFlash = Join(
        {
            "BeginPaint(hwnd)=dc",
            "DefWindowProcA(hwnd,WM_ERASEBKGND,dc,0)",
            "SetTextColor(dc,RGB(255,255,255))",
            "CreateSolidBrush(RGB(255,0,0))=brush1",
            "SelectObject(dc,brush1)=stock_brush",
            "Rectangle(dc,0,0,220,51)",
            "SelectObject(dc,stock_brush)=brush1",
            "DeleteObject(brush1)",
            "CreatePen(0,4,RGB(200,0,0))=pen1",
            "SelectObject(dc,pen1)=stock_pen",
            "Arc(dc,3,3,43,43,25,3,23,3)",
            "SelectObject(dc,stock_pen)=pen1",
            "DeleteObject(pen1)",
            "CreatePen(0,4,RGB(240,240,240))=pen1",
            "SelectObject(dc,pen1)=stock_pen",
            "Arc(dc,3,3,43,43,23,3,25,3)",
            "SelectObject(dc,stock_pen)=pen1",
            "DeleteObject(pen1)",
        },
        TextSteps("-0:01"));
    EXPECT_EQ(flash, expectedFlash);
}

TEST(FacePainter, EveryObjectIsDeletedAfterItsStepThroughManyFrames) {
    program_run::Reset();
    int liveAtEnd = -1;
    headless::At(10, [] {
        HWND window = headless::MainWindow();
        headless::Key(window, VK_SPACE);
        headless::Wheel(window, -WHEEL_DELTA);
    });
    // Run through expiry into overtime, then stop, adjust and start again.
    headless::At(70500, [] {
        HWND window = headless::MainWindow();
        headless::Key(window, VK_RETURN);
        headless::Key(window, VK_UP);
        headless::Key(window, VK_RETURN);
    });
    headless::At(75500, [&] {
        liveAtEnd = headless::LiveGdiObjects();
        headless::Key(headless::MainWindow(), VK_ESCAPE);
    });
    EXPECT_EQ(program_run::Run("65"), 0);
    const Trace trace = headless::TakeTrace();
    EXPECT_GT(program_run::Paints(trace).size(), 75u);
    EXPECT_GT(Count(trace, "Pie("), 0);
    EXPECT_GT(Count(trace, "Rectangle("), 0);
    EXPECT_EQ(liveAtEnd, 0);
    EXPECT_EQ(headless::RefusedDeletes(), 0);
}

struct Probe {
    const char* what;
    int x;
    int y;
    std::uint32_t color;
};

// Runs from `commandLine`, starts at tick 10 when asked, and captures the frame at `at`.
headless::Frame FrameAt(const std::string& commandLine, bool start, std::uint64_t at) {
    program_run::Reset();
    headless::Frame frame;
    if (start) headless::At(10, [] { headless::Key(headless::MainWindow(), VK_SPACE); });
    headless::At(at, [&] {
        frame = headless::Capture(headless::MainWindow());
        headless::Key(headless::MainWindow(), VK_ESCAPE);
    });
    EXPECT_EQ(program_run::Run(commandLine), 0);
    return frame;
}

bool HasInk(const headless::Frame& frame, int left, int top, int right, int bottom,
            bool (*ink)(std::uint32_t)) {
    for (int y = std::max(0, top); y < std::min(frame.height, bottom); ++y) {
        for (int x = std::max(0, left); x < std::min(frame.width, right); ++x) {
            if (ink(frame.At(x, y))) return true;
        }
    }
    return false;
}

std::uint32_t Channel(std::uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xFF;
}

TEST(FacePainter, PixelsOfTheDialBarFlashAndTexts) {
    struct Case {
        const char* name;
        std::string commandLine;
        bool start;
        std::uint64_t at;
        std::vector<Probe> probes;
        bool (*textInk)(std::uint32_t);
    };
    auto dark = [](std::uint32_t p) { return Channel(p, 16) < 60 && Channel(p, 8) < 60; };
    auto grey = [](std::uint32_t p) {
        return Channel(p, 16) < 140 && Channel(p, 16) > 60 && Channel(p, 16) == Channel(p, 0);
    };
    auto white = [](std::uint32_t p) { return p == White; };
    const Case cases[] = {
        {"stopped: texts only",
         "600",
         false,
         100,
         {{"ring top", 23, 3, White}, {"sector", 28, 15, White}, {"bar", 110, 48, White}},
         grey},
        {"running 10:00 of 10:00",
         "600",
         true,
         100,
         {{"ring top, pale all round", 23, 3, Pale},
          {"ring right", 43, 23, Pale},
          {"ring left", 3, 23, Pale},
          {"sector, 1 o'clock", 28, 15, Grey},
          {"outside sector, 11 o'clock", 18, 15, White},
          {"bar left", 2, 48, Grey},
          {"bar middle", 110, 48, Grey},
          {"bar right", 217, 48, Grey},
          {"above bar", 110, 44, White}},
         dark},
        {"3 hours: whole disk",
         "10800",
         true,
         100,
         {{"disk, 11 o'clock", 18, 15, Grey},
          {"disk, 6 o'clock", 23, 35, Grey},
          {"disk, 9 o'clock", 11, 23, Grey},
          {"disk, 1 o'clock", 28, 15, Grey}},
         dark},
        {"half-way at 0:15 of 0:30",
         "30",
         true,
         15010,
         {{"ring from top clockwise", 37, 9, Grey},
          {"ring at 6 o'clock", 23, 43, Pale},
          {"ring left stays pale", 3, 23, Pale},
          {"bar middle", 55, 48, Grey},
          {"bar has shrunk", 160, 48, White}},
         dark},
        {"overtime flash at -0:01",
         "2",
         true,
         3015,
         {{"outline corner", 0, 0, Black},
          {"outline bottom right", 219, 50, Black},
          {"fill", 1, 1, FlashRed},
          {"fill near bar", 110, 48, FlashRed},
          {"pale ring", 3, 23, Pale}},
         white},
        {"overtime without flash at -0:15",
         "2",
         true,
         17015,
         {{"background", 1, 1, White},
          {"dark-red arc", 37, 9, DarkRed},
          {"pale rest", 9, 37, Pale},
          {"no bar", 110, 48, White}},
         [](std::uint32_t p) { return Channel(p, 16) > 200 && Channel(p, 8) < 60; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const headless::Frame frame = FrameAt(c.commandLine, c.start, c.at);
        ASSERT_EQ(frame.width, 220);
        ASSERT_EQ(frame.height, 51);
        for (const Probe& p : c.probes) {
            EXPECT_EQ(frame.At(p.x, p.y), p.color) << p.what << " at (" << p.x << ", " << p.y
                                                   << ") is " << std::hex << frame.At(p.x, p.y);
        }
        EXPECT_TRUE(HasInk(frame, 120, 0, 211, 34, c.textInk)) << "time text left of x = 210";
        EXPECT_FALSE(HasInk(frame, 211, 0, 220, 34, c.textInk)) << "nothing right of its edge";
        EXPECT_TRUE(HasInk(frame, 150, 34, 208, 48, c.textInk)) << "end-time label";
    }
}

}  // namespace
