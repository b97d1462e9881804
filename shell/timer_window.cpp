// The main window: its class, its procedure with the one dispatch table, and the About box.
#include "timer_window.h"

#include "countdown.h"
#include "expiry_alert.h"
#include "face_painter.h"
#include "input_rules.h"
#include "taskbar_progress.h"

UINT taskbarButtonCreatedMessage = 0xFFFFFFFF;

void RegisterTaskbarButtonMessage() {
    const UINT registered = RegisterWindowMessageA("TaskbarButtonCreated");
    if (registered != 0) taskbarButtonCreatedMessage = registered;
}

LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarButtonCreatedMessage) CreateTaskbarProgress();

    switch (message) {
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_PAINT:
            PaintTimerFace(window);
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_KEYDOWN:
            HandleKeyDown(window, static_cast<std::uintptr_t>(wParam));
            return 0;
        case WM_TIMER:
            RefreshCountdown(window);
            return 0;
        case WM_MOUSEMOVE:
            HandlePointerMove(window, static_cast<std::intptr_t>(lParam));
            return 0;
        case WM_LBUTTONDOWN:
            HandleButtonDown(window);
            return 0;
        case WM_LBUTTONUP:
            HandleButtonUp();
            return 0;
        case WM_LBUTTONDBLCLK:
            ToggleRunning(window);
            return 0;
        case WM_MOUSEWHEEL:
            HandleWheel(window, static_cast<std::uintptr_t>(wParam));
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

ATOM RegisterTimerWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    // No CS_OWNDC: every paint starts from a fresh device context with the default objects.
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = TimerWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IconResourceId));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = WindowClassName;
    windowClass.hIconSm = nullptr;
    return RegisterClassExA(&windowClass);
}

HWND CreateTimerWindow(HINSTANCE instance) {
    return CreateWindowExA(WS_EX_CLIENTEDGE | WS_EX_TOPMOST, WindowClassName, WindowTitle,
                           WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, WindowWidth,
                           WindowHeight, nullptr, nullptr, instance, nullptr);
}

void ShowAboutBox() {
    MessageBoxA(nullptr, "Ovenbell countdown timer, by the Ovenbell team, 2026.",
                "Ovenbell - About", MB_ICONINFORMATION | MB_OK);
}
