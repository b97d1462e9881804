// The stand-in's window manager: message order, timers, the close path and synchronous painting.
#include <gtest/gtest.h>

#include "test_window.h"

namespace {

using test_window::Messages;

TEST(StandInQueue, TimerComesAfterPostedMessagesAndPaintingAndQuitEndsTheLoop) {
    HWND window = test_window::Create();
    SetTimer(window, 7, 1000, nullptr);
    headless::At(1000, [window] {
        headless::Post(window, WM_USER, 1, 0);
        headless::Post(window, WM_USER, 2, 0);
        InvalidateRect(window, nullptr, FALSE);
    });
    test_window::onMessage = [](HWND w, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_TIMER) {
            DestroyWindow(w);
            return 0;
        }
        if (message == WM_DESTROY) PostQuitMessage(3);
        return std::nullopt;
    };
    MSG last{};
    BOOL result = 0;
    while ((result = GetMessageA(&last, nullptr, 0, 0)) > 0) DispatchMessageA(&last);

    EXPECT_EQ(result, 0);
    EXPECT_EQ(last.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(last.wParam, 3u);
    const std::vector<UINT> expected = {WM_USER,  WM_USER,    WM_PAINT,
                                        WM_TIMER, WM_DESTROY, WM_NCDESTROY};
    EXPECT_EQ(Messages(), expected);
    EXPECT_EQ(test_window::received[3].wParam, 7u);
    EXPECT_EQ(test_window::received[3].tick, 1000u);
}

TEST(StandInQueue, TimerKeepsItsPhaseWhateverTheHandlersTake) {
    struct Case {
        std::vector<std::uint32_t> handlerMs;
        std::vector<DWORD> arrivals;
    };
    // A slow handler delays nothing after it; after one slower than a period the timer comes
    // once, late, and then on its old beat again: missed ticks are not made up.
    const Case cases[] = {
        {{0, 0, 0}, {1000, 2000, 3000}},
        {{300, 999, 10}, {1000, 2000, 3000}},
        {{2500, 0, 0}, {1000, 3500, 4000}},
        {{4200, 0, 0}, {1000, 5200, 6000}},
    };
    for (const Case& c : cases) {
        HWND window = test_window::Create();
        SetTimer(window, 8000, 1000, nullptr);
        std::size_t fired = 0;
        test_window::onMessage = [&](HWND w, UINT message, WPARAM,
                                     LPARAM) -> std::optional<LRESULT> {
            if (message != WM_TIMER) return std::nullopt;
            headless::Advance(c.handlerMs[fired]);
            if (++fired == c.handlerMs.size()) KillTimer(w, 8000);
            return 0;
        };
        // Something to wait for beyond the last tick, so that only the timer drives the clock.
        headless::At(20000, [] {});
        test_window::RunLoop();
        std::vector<DWORD> arrivals;
        for (const auto& r : test_window::received) {
            if (r.message == WM_TIMER) arrivals.push_back(r.tick);
        }
        EXPECT_EQ(arrivals, c.arrivals);
    }
}

TEST(StandInQueue, LoopSleepsUntilTheNextTimerAndWithoutOneUntilInput) {
    HWND window = test_window::Create();
    SetTimer(window, 8000, 1000, nullptr);
    headless::At(5500, [window] { KillTimer(window, 8000); });
    headless::At(60000, [] { PostQuitMessage(0); });

    EXPECT_EQ(test_window::RunLoop(), 0);
    // One sleep per period while the timer runs, then one sleep with no deadline at all: a
    // stopped loop must not wake by itself.
    const std::vector<std::optional<std::uint64_t>> expected = {1000, 2000, 3000,        4000,
                                                                5000, 6000, std::nullopt};
    EXPECT_EQ(headless::Waits(), expected);
    EXPECT_EQ(headless::Now(), 60000u);
}

TEST(StandInQueue, TickCountWrapsAndSettingATimerAgainRestartsIt) {
    constexpr std::uint64_t start = 0xFFFFFF00u;
    HWND window = test_window::Create({.startTick = start});
    EXPECT_EQ(timeGetTime(), 0xFFFFFF00u);
    SetTimer(window, 1, 1000, nullptr);
    headless::At(start + 500, [window] { SetTimer(window, 1, 1000, nullptr); });
    headless::At(start + 1600, [window] { KillTimer(window, 1); });
    headless::At(start + 5000, [] {});
    test_window::RunLoop();
    ASSERT_EQ(Messages(), std::vector<UINT>{WM_TIMER});
    EXPECT_EQ(test_window::received[0].tick, static_cast<DWORD>(start + 1500));
}

TEST(StandInQueue, CloseRequestsEndInDestroyThroughTheDefaultProcedure) {
    struct Case {
        const char* name;
        std::function<void(HWND)> request;
        bool closes;
    };
    const Case cases[] = {
        {"Alt+F4", [](HWND w) { headless::AltKey(w, VK_F4); }, true},
        {"close box", [](HWND w) { headless::CloseBox(w); }, true},
        {"F4 without Alt", [](HWND w) { headless::Post(w, WM_SYSKEYDOWN, VK_F4, 1); }, false},
        {"Alt+F5", [](HWND w) { headless::AltKey(w, VK_F1 + 4); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND window = test_window::Create();
        c.request(window);
        test_window::RunLoop();
        const std::vector<UINT> got = Messages();
        const bool destroyed =
            std::find(got.begin(), got.end(), static_cast<UINT>(WM_DESTROY)) != got.end();
        EXPECT_EQ(destroyed, c.closes);
        if (c.closes) {
            // The close message comes from the system command, and the destroy from the close.
            const auto command =
                std::find(got.begin(), got.end(), static_cast<UINT>(WM_SYSCOMMAND));
            const auto close = std::find(got.begin(), got.end(), static_cast<UINT>(WM_CLOSE));
            ASSERT_NE(command, got.end());
            ASSERT_NE(close, got.end());
            EXPECT_LT(command, close);
            EXPECT_EQ(headless::MainWindow(), nullptr);
        }
    }
}

TEST(StandInQueue, SendMessageRunsTheProcedureBeforeItReturns) {
    HWND window = test_window::Create();
    test_window::onMessage = [](HWND, UINT message, WPARAM wParam,
                                LPARAM) -> std::optional<LRESULT> {
        if (message == WM_USER) return static_cast<LRESULT>(wParam * 2);
        return std::nullopt;
    };
    EXPECT_EQ(SendMessageA(window, WM_USER, 21, 0), 42);
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
    const std::vector<UINT> expected = {WM_USER, WM_CLOSE, WM_DESTROY, WM_NCDESTROY};
    EXPECT_EQ(Messages(), expected);
    EXPECT_EQ(SendMessageA(window, WM_USER, 1, 0), 0) << "a destroyed window gets nothing";
}

TEST(StandInPainting, UpdateWindowErasesThenPaintsTheInvalidatedAreaAtOnce) {
    struct Case {
        std::optional<RECT> first;
        std::optional<RECT> second;
        BOOL erase;
        RECT expectedPaint;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, TRUE, {0, 0, 220, 51}},
        {RECT{10, 10, 20, 20}, RECT{30, 5, 40, 15}, TRUE, {10, 5, 40, 20}},
        {RECT{200, 40, 300, 90}, std::nullopt, FALSE, {200, 40, 220, 51}},
    };
    for (const Case& c : cases) {
        HWND window = test_window::Create();
        // Paint the client black first, so that the erase shows.
        test_window::PaintWith(window, [](HDC dc) {
            HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
            HGDIOBJ previous = SelectObject(dc, black);
            Rectangle(dc, -1, -1, 300, 300);
            SelectObject(dc, previous);
            DeleteObject(black);
        });
        test_window::received.clear();
        RECT painted{};
        BOOL fErase = -1;
        test_window::onMessage = [&](HWND w, UINT message, WPARAM,
                                     LPARAM) -> std::optional<LRESULT> {
            if (message != WM_PAINT) return std::nullopt;
            PAINTSTRUCT paint;
            BeginPaint(w, &paint);
            painted = paint.rcPaint;
            fErase = paint.fErase;
            EndPaint(w, &paint);
            return 0;
        };
        if (c.first) InvalidateRect(window, &*c.first, c.erase);
        if (c.second) InvalidateRect(window, &*c.second, c.erase);
        if (!c.first && !c.second) InvalidateRect(window, nullptr, c.erase);
        EXPECT_TRUE(test_window::received.empty()) << "nothing is painted before UpdateWindow";
        UpdateWindow(window);

        const std::vector<UINT> expected =
            c.erase ? std::vector<UINT>{WM_PAINT, WM_ERASEBKGND} : std::vector<UINT>{WM_PAINT};
        EXPECT_EQ(Messages(), expected);
        EXPECT_EQ(painted.left, c.expectedPaint.left);
        EXPECT_EQ(painted.top, c.expectedPaint.top);
        EXPECT_EQ(painted.right, c.expectedPaint.right);
        EXPECT_EQ(painted.bottom, c.expectedPaint.bottom);
        EXPECT_EQ(fErase, FALSE);
        const headless::Frame frame = headless::Capture(window);
        ASSERT_EQ(frame.width, 220) << "client area of a 230x80 window with caption and edge";
        ASSERT_EQ(frame.height, 51);
        const std::uint32_t inside = frame.At(c.expectedPaint.left, c.expectedPaint.top);
        const std::uint32_t outside = frame.At(5, 45);
        EXPECT_EQ(inside, c.erase ? 0xFFFFFFFFu : 0xFF000000u);
        if (c.first) {
            EXPECT_EQ(outside, 0xFF000000u) << "outside the update area stays";
        }

        test_window::received.clear();
        UpdateWindow(window);
        EXPECT_TRUE(test_window::received.empty()) << "a validated window is not painted again";
    }
}

}  // namespace
