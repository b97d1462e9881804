// USER32 of the stand-in: each call is recorded in the trace and carried out by the window
// system, the message box or the host.
#include <algorithm>
#include <cstdint>

#include "faults.h"
#include "host.h"
#include "icons.h"
#include "message_box.h"
#include "sound.h"
#include "trace.h"
#include "win32_api.h"
#include "window_system.h"

using namespace standin;

namespace {

std::string MessageArg(UINT message) {
    return trace::MessageName(message);
}

// The background-erase message carries a device context in wParam.
std::string WParamArg(UINT message, WPARAM wParam) {
    if (!trace::Enabled()) return {};
    if (message == WM_ERASEBKGND) return trace::Label(reinterpret_cast<void*>(wParam));
    return std::to_string(wParam);
}

}  // namespace

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* windowClass) {
    trace::Call("RegisterClassExA", windowClass != nullptr && windowClass->lpszClassName
                                        ? trace::Quoted(windowClass->lpszClassName)
                                        : std::string("null"));
    if (windowClass == nullptr || ShouldFail("RegisterClassExA")) return 0;
    return RegisterClass(*windowClass);
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
    const std::size_t slot = trace::Call("CreateWindowExA", exStyle, className, windowName, style,
                                         x, y, width, height, parent, menu, instance, param);
    if (className == nullptr || ShouldFail("CreateWindowExA")) return nullptr;
    return trace::Result(slot, CreateWindow(exStyle, className, windowName ? windowName : "", style,
                                            x, y, width, height, instance, param, "hwnd"));
}

UINT WINAPI RegisterWindowMessageA(LPCSTR name) {
    trace::Call("RegisterWindowMessageA", name);
    if (name == nullptr || ShouldFail("RegisterWindowMessageA")) return 0;
    return RegisterMessage(name);
}

BOOL WINAPI ShowWindow(HWND window, int showCommand) {
    trace::Call("ShowWindow", window, showCommand);
    return Show(window, showCommand) ? TRUE : FALSE;
}

BOOL WINAPI UpdateWindow(HWND window) {
    trace::Call("UpdateWindow", window);
    Window* found = FindWindow(window);
    if (found == nullptr) return FALSE;
    PaintNow(*found);
    return TRUE;
}

BOOL WINAPI DestroyWindow(HWND window) {
    trace::Call("DestroyWindow", window);
    return Destroy(window) ? TRUE : FALSE;
}

BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax) {
    trace::Call("GetMessageA", window, filterMin, filterMax);
    // Only the unfiltered form is supported: that is the form a message loop uses.
    if (message == nullptr) return -1;
    MSG next{};
    const BOOL result = NextMessage(next);
    if (result >= 0) *message = next;
    return result;
}

BOOL WINAPI TranslateMessage(const MSG* message) {
    trace::Call("TranslateMessage", message ? MessageArg(message->message) : "null");
    // No character messages: nothing in the program reads WM_CHAR.
    if (message == nullptr) return FALSE;
    return message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN ? TRUE : FALSE;
}

LRESULT WINAPI DispatchMessageA(const MSG* message) {
    if (message == nullptr) return 0;
    trace::Call("DispatchMessageA", message->hwnd, MessageArg(message->message),
                WParamArg(message->message, message->wParam), message->lParam);
    return Dispatch(*message);
}

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    trace::Call("SendMessageA", window, MessageArg(message), WParamArg(message, wParam), lParam);
    return Send(window, message, wParam, lParam);
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    trace::Call("DefWindowProcA", window, MessageArg(message), WParamArg(message, wParam), lParam);
    return DefaultProcedure(window, message, wParam, lParam);
}

VOID WINAPI PostQuitMessage(int exitCode) {
    trace::Call("PostQuitMessage", exitCode);
    PostQuit(exitCode);
}

BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
    trace::Call("InvalidateRect", window,
                rect ? std::string("{") + std::to_string(rect->left) + "," +
                           std::to_string(rect->top) + "," + std::to_string(rect->right) + "," +
                           std::to_string(rect->bottom) + "}"
                     : std::string("null"),
                erase);
    Window* found = FindWindow(window);
    if (found == nullptr) return FALSE;
    Invalidate(*found, rect, erase != FALSE);
    return TRUE;
}

HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint) {
    const std::size_t slot = trace::Call("BeginPaint", window);
    Window* found = FindWindow(window);
    if (found == nullptr || paint == nullptr) return nullptr;
    return trace::Result(slot, StartPaint(*found, *paint));
}

BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint) {
    trace::Call("EndPaint", window);
    Window* found = FindWindow(window);
    if (found == nullptr || paint == nullptr) return FALSE;
    FinishPaint(*found, *paint);
    return TRUE;
}

UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR timerId, UINT elapse, TIMERPROC timerProc) {
    trace::Call("SetTimer", window, timerId, elapse);
    if (FindWindow(window) == nullptr) return 0;
    return StartTimer(window, timerId, elapse, timerProc);
}

BOOL WINAPI KillTimer(HWND window, UINT_PTR timerId) {
    trace::Call("KillTimer", window, timerId);
    return StopTimer(window, timerId) ? TRUE : FALSE;
}

HWND WINAPI SetCapture(HWND window) {
    trace::Call("SetCapture", window);
    const HWND previous = CaptureWindow();
    Window* found = FindWindow(window);
    if (found == nullptr) return previous;
    SetCaptureWindow(window);
    CurrentHost().Capture(found);
    return previous;
}

BOOL WINAPI ReleaseCapture() {
    trace::Call("ReleaseCapture");
    SetCaptureWindow(nullptr);
    CurrentHost().Capture(nullptr);
    return TRUE;
}

BOOL WINAPI SetForegroundWindow(HWND window) {
    trace::Call("SetForegroundWindow", window);
    Window* found = FindWindow(window);
    if (found == nullptr || ShouldFail("SetForegroundWindow")) return FALSE;
    return CurrentHost().Raise(*found) ? TRUE : FALSE;
}

HWND WINAPI SetActiveWindow(HWND window) {
    trace::Call("SetActiveWindow", window);
    // One thread, one top-level window that matters: it is already the active one.
    if (FindWindow(window) == nullptr || ShouldFail("SetActiveWindow")) return nullptr;
    return window;
}

UINT WINAPI SendInput(UINT count, LPINPUT inputs, int inputSize) {
    std::string records;
    for (UINT i = 0; inputs != nullptr && i < count; ++i) {
        if (i > 0) records += ',';
        records += '{';
        records += std::to_string(inputs[i].type);
        if (inputs[i].type == INPUT_KEYBOARD) {
            records += std::string(",vk=") + std::to_string(inputs[i].ki.wVk) +
                       ",flags=" + std::to_string(inputs[i].ki.dwFlags);
        }
        records += "}";
    }
    trace::Call("SendInput", count, std::string("[") + records + "]", inputSize);
    if (inputs == nullptr || inputSize != static_cast<int>(sizeof(INPUT))) return 0;
    return CurrentHost().SynthesizeKeys(inputs, count);
}

BOOL WINAPI FlashWindowEx(PFLASHWINFO flashInfo) {
    if (flashInfo == nullptr) return FALSE;
    trace::Call("FlashWindowEx", std::string("{") + std::to_string(flashInfo->cbSize) + "," +
                                     trace::Label(flashInfo->hwnd) + "," +
                                     std::to_string(flashInfo->dwFlags) + "," +
                                     std::to_string(flashInfo->uCount) + "," +
                                     std::to_string(flashInfo->dwTimeout) + "}");
    Window* found = FindWindow(flashInfo->hwnd);
    if (found == nullptr || flashInfo->cbSize != sizeof(FLASHWINFO)) return FALSE;
    // There is no caption to flash apart from the taskbar entry, so either flag flashes that.
    if ((flashInfo->dwFlags & FLASHW_ALL) == 0) {
        CurrentHost().StopFlashing(*found);
    } else {
        CurrentHost().Flash(*found, flashInfo->uCount, flashInfo->dwTimeout);
    }
    return FALSE;
}

BOOL WINAPI MessageBeep(UINT type) {
    trace::Call("MessageBeep", type);
    sound::PlaySimpleBeep();
    return TRUE;
}

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    trace::Call("MessageBoxA", owner, text, caption, type);
    return RunMessageBox(text ? text : "", caption ? caption : "Error", type);
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR iconName) {
    trace::Call("LoadIconA", instance, iconName);
    // Only the program's own icons, by number: the stand-in has none of the platform's stock
    // icons (a null instance) and the program names none of its resources by string.
    const auto id = reinterpret_cast<std::uintptr_t>(iconName);
    if (instance == nullptr || id == 0 || id > 0xFFFF) return nullptr;
    return ProgramIcon(static_cast<unsigned>(id));
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR cursorName) {
    trace::Call("LoadCursorA", instance, cursorName);
    return reinterpret_cast<HCURSOR>(NewHandle());
}
