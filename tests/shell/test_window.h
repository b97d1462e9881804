// A plain window on the headless stand-in for tests of the stand-in itself: its procedure hands
// each message to a test-supplied function and otherwise to DefWindowProcA.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "linux/headless.h"
#include "win32.h"

namespace test_window {

struct Received {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD tick = 0;
};

// Answers a message itself by returning a value, or lets the default procedure have it.
inline std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)> onMessage;
inline std::vector<Received> received;

inline LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    received.push_back({message, wParam, lParam, timeGetTime()});
    if (onMessage) {
        if (const auto result = onMessage(window, message, wParam, lParam)) return *result;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A fresh headless stand-in with one shown 230x80 captioned window, as the program makes.
inline HWND Create(const headless::Options& options = {}) {
    headless::Reset(options);
    onMessage = nullptr;
    received.clear();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = "standin_test";
    RegisterClassExA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_CLIENTEDGE | WS_EX_TOPMOST, "standin_test", "test",
                                  WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 230, 80,
                                  nullptr, nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOWDEFAULT);
    UpdateWindow(window);
    received.clear();
    headless::TakeTrace();
    return window;
}

// Runs the message loop until the quit message (0) or until nothing can come any more (-1).
inline BOOL RunLoop() {
    MSG message{};
    BOOL result = 0;
    while ((result = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return result;
}

// Paints the whole client area with `draw` and returns the pixels.
inline headless::Frame PaintWith(HWND window, const std::function<void(HDC)>& draw) {
    onMessage = [&](HWND w, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_PAINT) return std::nullopt;
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(w, &paint);
        draw(dc);
        EndPaint(w, &paint);
        return 0;
    };
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    onMessage = nullptr;
    return headless::Capture(window);
}

inline std::vector<UINT> Messages() {
    std::vector<UINT> messages;
    for (const Received& r : received) messages.push_back(r.message);
    return messages;
}

}  // namespace test_window
