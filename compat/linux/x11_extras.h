// What SDL does not offer on X11: synthesised key events (XTest), switching the display on
// (DPMS), showing pixels without a round trip to the server, and choosing the caption's boxes. Each
// is a quiet no-op where the server lacks what it needs. Free of Win32 types, since the X11 headers
// define some of the same names.
#pragma once

struct SDL_Window;

namespace standin::x11 {

struct KeyEvent {
    // An X keysym name, such as "Shift_L".
    const char* keysym = nullptr;
    bool press = true;
};

// Returns how many key events the server accepted.
unsigned SendKeys(const KeyEvent* events, unsigned count);
void WakeDisplay();

// Copies a rectangle of 32-bit xRGB pixels (`stride` bytes a row) to the window at (toX, toY) and
// flushes without waiting for the server: SDL's own update waits for a reply, which costs the
// process a second wake-up each time it shows a frame. False when the window is not on X11 or its
// visual does not take these pixels as they are; the caller then shows them through SDL.
bool PutPixels(SDL_Window* window, const unsigned char* pixels, int stride, int fromX, int fromY,
               int width, int height, int toX, int toY);
// A solid rectangle in the window, colour 0xRRGGBB, on the same terms.
bool FillRect(SDL_Window* window, int x, int y, int width, int height, unsigned long rgb);

// Asks the window manager for a caption that moves the window and, with `closeBox`, closes it:
// no minimise or maximise box and no sizing border, as a fixed-size captioned window has on the
// platform. Call before the window is first shown; a no-op off X11.
void AskForPlainCaption(SDL_Window* window, bool closeBox);

void Close();

}  // namespace standin::x11
