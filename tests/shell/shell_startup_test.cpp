// Start-up: the order of WinMain's steps, the command line, the start-up failure boxes, and the
// About box whose loop keeps the main window running.
#include <gtest/gtest.h>

#include "program_run.h"

namespace {

using program_run::Count;
using program_run::IndexOf;
using program_run::Trace;

TEST(ShellStartup, WindowIsMadeThenTheMessageRegisteredThenItIsShownAndPainted) {
    program_run::Reset();
    headless::At(10, [] { headless::Key(headless::MainWindow(), VK_ESCAPE); });
    EXPECT_EQ(program_run::Run("  +90 seconds"), 0);
    const Trace trace = program_run::WithoutLoop(headless::TakeTrace());

    const auto registerClass = IndexOf(trace, "RegisterClassExA(\"ovenbell\")");
    const auto create = IndexOf(trace, "CreateWindowExA(520,\"ovenbell\",\"Ovenbell\",13107200,");
    const auto registerMessage = IndexOf(trace, "RegisterWindowMessageA(\"TaskbarButtonCreated\")");
    const auto show = IndexOf(trace, "ShowWindow(hwnd,10)");
    const auto update = IndexOf(trace, "UpdateWindow(hwnd)");
    ASSERT_GE(registerClass, 0);
    EXPECT_LT(registerClass, create);
    EXPECT_LT(create, registerMessage);
    EXPECT_LT(registerMessage, show);
    EXPECT_LT(show, update);
    EXPECT_EQ(trace[static_cast<std::size_t>(update) + 1], "BeginPaint(hwnd)=dc")
        << "the first frame is painted before UpdateWindow returns";
    EXPECT_EQ(Count(trace, "TextOutA(dc,210,-5,\" 1:30\",5)"), 1);
    EXPECT_EQ(Count(trace, "CoCreateInstance("), 0) << "no message during creation matched";
}

TEST(ShellStartup, FailedRegistrationOrCreationShowsItsBoxAndExitsWithZero) {
    struct Case {
        const char* name;
        void (*arrange)();
        const char* box;
    };
    const Case cases[] = {
        {"registration refused", [] { headless::Fail("RegisterClassExA"); },
         "MessageBoxA(null,\"Window Registration Failed!\",\"Error!\",48)"},
        {"class already taken",
         [] {
             WNDCLASSEXA other{};
             other.cbSize = sizeof(WNDCLASSEXA);
             other.lpfnWndProc = DefWindowProcA;
             other.lpszClassName = "OVENBELL";
             RegisterClassExA(&other);
         },
         "MessageBoxA(null,\"Window Registration Failed!\",\"Error!\",48)"},
        {"creation refused", [] { headless::Fail("CreateWindowExA"); },
         "MessageBoxA(null,\"Window Creation Failed!\",\"Error!\",48)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        program_run::Reset();
        c.arrange();
        std::vector<standin::OpenBox> shownBoxes;
        headless::At(100, [&] {
            shownBoxes = headless::MessageBoxes();
            headless::PressOk();
        });
        EXPECT_EQ(program_run::Run("90"), 0);
        const Trace trace = headless::TakeTrace();
        EXPECT_EQ(Count(trace, c.box), 1);
        EXPECT_EQ(shownBoxes.size(), 1u) << "the box waits for its OK";
        EXPECT_EQ(Count(trace, "ShowWindow("), 0) << "no window is ever shown";
        EXPECT_EQ(Count(trace, "GetMessageA("), 0);
        EXPECT_FALSE(headless::Exhausted());
    }
}

TEST(ShellStartup, AboutBoxesNestAndTheCountdownGoesOnMeanwhile) {
    program_run::Reset();
    std::size_t boxesAfterSecondF1 = 0;
    std::ptrdiff_t paintsWhileOpen = 0;
    headless::At(10, [] {
        headless::Key(headless::MainWindow(), VK_SPACE);
        headless::Key(headless::MainWindow(), VK_F1);
    });
    headless::At(1500, [&] {
        headless::TakeTrace();
        headless::Key(headless::MainWindow(), VK_F1);
    });
    headless::At(3500, [&] {
        boxesAfterSecondF1 = headless::MessageBoxes().size();
        paintsWhileOpen = Count(headless::TakeTrace(), "BeginPaint(hwnd)");
        headless::PressOk();
    });
    headless::At(3600, [] { headless::PressOk(); });
    headless::At(3700, [] { headless::Key(headless::MainWindow(), VK_ESCAPE); });
    EXPECT_EQ(program_run::Run("600"), 0);
    EXPECT_EQ(boxesAfterSecondF1, 2u);
    EXPECT_EQ(paintsWhileOpen, 2) << "timer refreshes at 2 s and 3 s painted behind the boxes";
    EXPECT_TRUE(headless::MessageBoxes().empty());
}

}  // namespace
