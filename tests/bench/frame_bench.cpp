// How much CPU a running second costs the Linux build, without a display: the program's own
// WinMain on the headless stand-in, counting down through scripted seconds with tracing off. On
// the desktop the timer sleeps between frames and wakes to cold caches, so the frames are also
// timed after sweeping the caches between them. Prints figures; judges nothing.
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "linux/headless.h"
#include "program_run.h"

namespace {

double CpuMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// Larger than the last-level caches of the machines we run on.
std::vector<unsigned char> sweep(std::size_t{64} << 20);
double sweeping = 0;

void SweepCaches() {
    const double started = CpuMicroseconds();
    for (std::size_t i = 0; i < sweep.size(); i += 64) sweep[i] = static_cast<unsigned char>(i);
    sweeping += CpuMicroseconds() - started;
}

// CPU microseconds per running second, caches swept between seconds or not.
double PerSecond(int seconds, bool cold) {
    program_run::Reset();
    sweeping = 0;
    headless::At(10, [] {
        headless::Key(headless::MainWindow(), VK_SPACE);
        headless::SetTracing(false);
    });
    // Half-way between two frames.
    for (int i = 1; cold && i <= seconds; ++i) {
        headless::At(10 + std::uint64_t(i) * 1000 - 500, SweepCaches);
    }
    headless::At(10 + std::uint64_t(seconds) * 1000 + 500,
                 [] { headless::Key(headless::MainWindow(), VK_ESCAPE); });
    const double started = CpuMicroseconds();
    program_run::Run(std::to_string(seconds + 100));
    return (CpuMicroseconds() - started - sweeping) / seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 300;
    const double hot = PerSecond(seconds * 10, false);
    const double cold = PerSecond(seconds, true);
    std::printf(
        "CPU per running second, painted headless: %.1f us back to back, %.1f us with cold "
        "caches\n",
        hot, cold);
    return 0;
}
