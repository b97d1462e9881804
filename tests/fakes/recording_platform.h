// A recording stand-in for the core's platform calls: a settable tick source, a taskbar holder
// switch, and the list of calls made, with their arguments, in order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "countdown.h"
#include "input_rules.h"

namespace fake {

inline WindowHandle const window = reinterpret_cast<WindowHandle>(0x1234);

extern std::uint32_t tick;
extern bool holdsTaskbar;
extern std::vector<std::string> calls;

// Fresh process-wide state: default countdown and drag records, tick 0, no taskbar, no calls.
void Reset();
// Calls recorded since the last take, then forgets them.
std::vector<std::string> TakeCalls();

}  // namespace fake
