// The main window's dispatch table, row by row, on the running program: each message's result,
// its visible effect, and whether it reaches the default procedure.
#include <gtest/gtest.h>

#include "program_run.h"

namespace {

using program_run::Count;
using program_run::Trace;

struct Row {
    const char* name;
    // The message as the trace prints it.
    const char* traced;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool reachesDefault;
    // A call the row's handler makes, or "" for none.
    std::string effect;
};

TEST(ShellDispatch, EachRowHasItsHandlerAndOnlyTheRestReachTheDefaultProcedure) {
    const Row rows[] = {
        {"timer, any id", "WM_TIMER", WM_TIMER, 1234, 0, false, "UpdateWindow(hwnd)"},
        {"paint", "WM_PAINT", WM_PAINT, 0, 0, false, "BeginPaint(hwnd)"},
        {"unknown key", "WM_KEYDOWN", WM_KEYDOWN, VK_LEFT, 1, false, ""},
        {"pointer move", "WM_MOUSEMOVE", WM_MOUSEMOVE, 0, MAKELPARAM(5, 20), false, ""},
        {"left button down", "WM_LBUTTONDOWN", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 20), false,
         "SetCapture(hwnd)"},
        {"left button up", "WM_LBUTTONUP", WM_LBUTTONUP, 0, MAKELPARAM(5, 20), false,
         "ReleaseCapture()"},
        {"wheel", "WM_MOUSEWHEEL", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0, false,
         "UpdateWindow(hwnd)"},
        {"double-click", "WM_LBUTTONDBLCLK", WM_LBUTTONDBLCLK, MK_LBUTTON, 0, false,
         "SetTimer(hwnd,8000,1000)"},
        {"double-click again", "WM_LBUTTONDBLCLK", WM_LBUTTONDBLCLK, MK_LBUTTON, 0, false,
         "KillTimer(hwnd,8000)"},
        {"create", "WM_CREATE", WM_CREATE, 0, 0, true, ""},
        {"right button", "WM_RBUTTONDOWN", WM_RBUTTONDOWN, MK_RBUTTON, 0, true, ""},
        {"system key", "WM_SYSKEYDOWN", WM_SYSKEYDOWN, 'A', 1 << 29, true, ""},
        {"activation", "WM_ACTIVATE", WM_ACTIVATE, 1, 0, true, ""},
        {"user message", "0x0405", WM_USER + 5, 1, 2, true, ""},
    };
    program_run::Reset();
    headless::At(10, [&] {
        HWND window = headless::MainWindow();
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            headless::TakeTrace();
            const LRESULT result = headless::Send(window, row.message, row.wParam, row.lParam);
            const Trace trace = headless::TakeTrace();
            EXPECT_EQ(result, 0);
            EXPECT_EQ(Count(trace, std::string("DefWindowProcA(hwnd,") + row.traced + ","),
                      row.reachesDefault ? 1 : 0);
            if (!row.effect.empty()) {
                EXPECT_EQ(Count(trace, row.effect), 1);
            }
        }
        headless::Key(window, VK_ESCAPE);
    });
    EXPECT_EQ(program_run::Run(""), 0);
}

TEST(ShellDispatch, NoKeyReachesTheDefaultProcedureAndUnknownKeysDoNothing) {
    program_run::Reset();
    const std::vector<WPARAM> tableKeys = {VK_RETURN, VK_SPACE, VK_PRIOR,  VK_NEXT,
                                           VK_UP,     VK_DOWN,  VK_ESCAPE, VK_F1};
    headless::At(10, [&] {
        HWND window = headless::MainWindow();
        for (WPARAM key = 1; key < 256; ++key) {
            if (key == VK_ESCAPE || key == VK_F1) continue;
            const bool inTable =
                std::find(tableKeys.begin(), tableKeys.end(), key) != tableKeys.end();
            headless::TakeTrace();
            EXPECT_EQ(headless::Send(window, WM_KEYDOWN, key, 1), 0);
            const Trace trace = headless::TakeTrace();
            EXPECT_EQ(Count(trace, "DefWindowProcA(hwnd,WM_KEYDOWN,"), 0) << "key " << key;
            if (!inTable) {
                EXPECT_TRUE(trace.empty()) << "key " << key << " did " << trace.front();
            }
        }
        headless::Key(window, VK_ESCAPE);
    });
    EXPECT_EQ(program_run::Run(""), 0);
}

TEST(ShellDispatch, RegisteredMessageCreatesTheTaskbarObjectEveryTimeAndStillReachesDefault) {
    for (const bool desktopHasTaskbar : {false, true}) {
        SCOPED_TRACE(desktopHasTaskbar ? "with taskbar" : "without taskbar");
        program_run::Reset({.taskbar = desktopHasTaskbar});
        Trace trace;
        headless::At(10, [&] {
            HWND window = headless::MainWindow();
            const UINT registered = headless::RegisteredMessage("TaskbarButtonCreated");
            headless::TakeTrace();
            for (int i = 0; i < 2; ++i) headless::Send(window, registered, 0, 0);
            headless::Key(window, VK_SPACE);
            headless::At(2100, [window] {
                headless::Key(window, VK_SPACE);
                headless::Key(window, VK_ESCAPE);
            });
        });
        EXPECT_EQ(program_run::Run("90"), 0);
        trace = headless::TakeTrace();
        EXPECT_EQ(Count(trace, "CoCreateInstance(CLSID_TaskbarList,null,1,IID_ITaskbarList3)"), 2);
        EXPECT_EQ(Count(trace, "DefWindowProcA(hwnd,0xC000,0,0)"), 2);
        if (desktopHasTaskbar) {
            EXPECT_EQ(Count(trace, "taskbar1.HrInit()"), 1);
            EXPECT_EQ(Count(trace, "taskbar2.HrInit()"), 1);
            // The second object replaced the first; the progress goes to the one now held.
            const Trace expected = {
                "taskbar2.SetProgressState(hwnd,2)", "taskbar2.SetProgressValue(hwnd,0,90)",
                "taskbar2.SetProgressValue(hwnd,1,90)", "taskbar2.SetProgressValue(hwnd,2,90)",
                "taskbar2.SetProgressState(hwnd,8)"};
            Trace progress;
            for (const auto& entry : trace) {
                if (entry.find(".SetProgress") != std::string::npos) progress.push_back(entry);
            }
            EXPECT_EQ(progress, expected);
        } else {
            EXPECT_EQ(Count(trace, "taskbar"), 0);
            EXPECT_EQ(Count(trace, "SetTimer(hwnd,8000,1000)"), 1) << "the countdown runs without";
        }
    }
}

TEST(ShellDispatch, EscapeCloseBoxAndAltF4EndTheProgramWithExitCodeZero) {
    struct Case {
        const char* name;
        void (*close)(HWND);
    };
    const Case cases[] = {
        {"Escape", [](HWND w) { headless::Key(w, VK_ESCAPE); }},
        {"close box", [](HWND w) { headless::CloseBox(w); }},
        {"Alt+F4", [](HWND w) { headless::AltKey(w, VK_F4); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        program_run::Reset();
        headless::At(500, [&] { c.close(headless::MainWindow()); });
        EXPECT_EQ(program_run::Run(""), 0);
        EXPECT_FALSE(headless::Exhausted()) << "the loop ended on the quit message";
        const Trace trace = program_run::WithoutLoop(headless::TakeTrace());
        const auto destroy = program_run::IndexOf(trace, "DestroyWindow(hwnd)");
        ASSERT_GE(destroy, 0);
        EXPECT_EQ(trace[static_cast<std::size_t>(destroy) + 1], "PostQuitMessage(0)");
        EXPECT_EQ(headless::MainWindow(), nullptr);
    }
}

TEST(ShellDispatch, FailedMessageRegistrationMatchesNoMessageNotEvenWmNull) {
    program_run::Reset({.taskbar = true});
    headless::Fail("RegisterWindowMessageA");
    headless::At(10, [] {
        HWND window = headless::MainWindow();
        headless::Send(window, WM_NULL, 0, 0);
        headless::Key(window, VK_ESCAPE);
    });
    EXPECT_EQ(program_run::Run("90"), 0);
    const Trace trace = headless::TakeTrace();
    EXPECT_EQ(taskbarButtonCreatedMessage, 0xFFFFFFFFu);
    EXPECT_EQ(Count(trace, "CoCreateInstance("), 0);
}

}  // namespace
