// The stand-in's command-line text, message box loop and taskbar object creation.
#include <gtest/gtest.h>

#include "command_line.h"
#include "test_window.h"

namespace {

TEST(StandInCommandLine, ArgumentsAreJoinedAndQuotedAsThePlatformParsesThem) {
    struct Case {
        std::vector<const char*> arguments;
        std::string tail;
    };
    const Case cases[] = {
        {{}, ""},
        {{"90"}, "90"},
        {{"90", "120"}, "90 120"},
        {{"a b"}, "\"a b\""},
        {{""}, "\"\""},
        {{"say \"hi\""}, "\"say \\\"hi\\\"\""},
        {{"dir\\", "x"}, "dir\\ x"},
        {{"a b\\"}, "\"a b\\\\\""},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = {"ovenbell"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(standin::CommandLineTail(static_cast<int>(argv.size()), argv.data()), c.tail);
    }
}

TEST(StandInMessageBox, LoopKeepsOtherWindowsRunningUntilOkAndNests) {
    HWND window = test_window::Create();
    SetTimer(window, 1, 1000, nullptr);
    std::vector<int> results;
    std::size_t openDuringTicks = 0;
    test_window::onMessage = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_TIMER) openDuringTicks += headless::MessageBoxes().size();
        if (message == WM_USER) results.push_back(MessageBoxA(nullptr, "text", "title", MB_OK));
        return std::nullopt;
    };
    headless::At(100, [&] { headless::Post(window, WM_USER, 0, 0); });
    headless::At(200, [&] { headless::Post(window, WM_USER, 0, 0); });
    headless::At(2500, [&] {
        ASSERT_EQ(headless::MessageBoxes().size(), 2u);
        EXPECT_EQ(headless::MessageBoxes()[0].caption, "title");
        headless::PressOk();
    });
    headless::At(3500, [&] { headless::PressOk(); });
    headless::At(4500, [&] { DestroyWindow(window); });
    test_window::RunLoop();

    EXPECT_EQ(results, (std::vector<int>{IDOK, IDOK}));
    // Ticks at 1000 and 2000 with two boxes open, 3000 with one.
    EXPECT_EQ(openDuringTicks, 5u);
    EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST(StandInMessageBox, QuitMessageEndsTheBoxAndReachesTheOuterLoop) {
    HWND window = test_window::Create();
    int boxResult = -1;
    test_window::onMessage = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_USER) boxResult = MessageBoxA(nullptr, "text", "title", MB_OK);
        return std::nullopt;
    };
    headless::At(10, [&] { headless::Post(window, WM_USER, 0, 0); });
    headless::At(20, [] { PostQuitMessage(5); });
    MSG message{};
    BOOL result = 0;
    while ((result = GetMessageA(&message, nullptr, 0, 0)) > 0) DispatchMessageA(&message);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(message.wParam, 5u);
    EXPECT_EQ(boxResult, 0);
    EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST(StandInTaskbar, CreationFailsCleanlyWithoutADesktopTaskbar) {
    test_window::Create();
    void* object = reinterpret_cast<void*>(1);
    EXPECT_TRUE(FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_ITaskbarList3, &object)));
    EXPECT_EQ(object, nullptr);
}

}  // namespace
