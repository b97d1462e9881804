// The main window: its class, its procedure with the one dispatch table, and the About box.
#pragma once

#include "win32.h"

inline constexpr int WindowWidth = 230;
inline constexpr int WindowHeight = 80;
inline constexpr WORD IconResourceId = 104;
inline constexpr const char* WindowClassName = "ovenbell";
inline constexpr const char* WindowTitle = "Ovenbell";

// Matches no message until RegisterTaskbarButtonMessage has stored a registered number.
extern UINT taskbarButtonCreatedMessage;

// Registers "TaskbarButtonCreated"; a failed registration (0, which is WM_NULL) is not stored.
void RegisterTaskbarButtonMessage();

LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Fills and registers the window class; returns the class atom (0 on failure).
ATOM RegisterTimerWindowClass(HINSTANCE instance);
// Creates the always-on-top main window; null on failure.
HWND CreateTimerWindow(HINSTANCE instance);

void ShowAboutBox();
