// The keyboard of the X11 display host: which virtual key an X keysym is, and back.
#pragma once

#include "win32_api.h"

namespace standin::x11 {

// 0 for keys the program has no virtual key for.
WPARAM VirtualKeyOf(unsigned long keysym);
// The keysym a synthesised key press stands for; 0 (NoSymbol) for keys we do not synthesise.
unsigned long KeySymOf(WORD virtualKey);

}  // namespace standin::x11
