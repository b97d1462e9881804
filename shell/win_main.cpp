// The program's entry: seed the setting, open the window, run the message loop.
#include "countdown.h"
#include "start_seconds.h"
#include "timer_window.h"
#include "win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previousInstance*/, LPSTR commandLineText,
                   int showCommand) {
    // No upper bound here: the first refresh while stopped clamps the setting.
    const std::int32_t startSeconds = ParseStartSeconds(commandLineText);
    if (startSeconds > 0) countdownState.setSeconds = startSeconds;

    if (RegisterTimerWindowClass(instance) == 0) {
        MessageBoxA(nullptr, "Window Registration Failed!", "Error!", MB_ICONEXCLAMATION | MB_OK);
        return 0;
    }
    HWND window = CreateTimerWindow(instance);
    if (window == nullptr) {
        MessageBoxA(nullptr, "Window Creation Failed!", "Error!", MB_ICONEXCLAMATION | MB_OK);
        return 0;
    }
    // After creation and before showing: messages during creation never match it.
    RegisterTaskbarButtonMessage();

    ShowWindow(window, showCommand);
    UpdateWindow(window);

    MSG message{};
    BOOL result;
    while ((result = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // A failed GetMessageA fills no record, so its wParam would be stale.
    return result == 0 ? static_cast<int>(message.wParam) : 0;
}
