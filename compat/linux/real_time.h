// Real time for the stand-in's own waits, apart from any clock a host may put in its place.
#pragma once

#include <time.h>

#include <cstdint>

namespace standin {

// Milliseconds on a clock that keeps counting through suspend, as the platform's tick count does.
inline std::uint64_t BootTimeMs() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000 +
           static_cast<std::uint64_t>(now.tv_nsec) / 1000000;
}

// Holds the thread for `ms`, however often a signal interrupts the wait.
inline void SleepMs(std::uint32_t ms) {
    timespec span{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000};
    while (nanosleep(&span, &span) != 0) {
    }
}

}  // namespace standin
