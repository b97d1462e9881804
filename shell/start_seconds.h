// Reading the initial setting from the command-line text. Pure: no platform header.
#pragma once

#include <cstdint>

// A leading decimal integer, as the standard text-to-integer conversion reads it in base 10,
// held at the ends of the signed 32-bit range. No digits give 0.
std::int32_t ParseStartSeconds(const char* commandLineText);
