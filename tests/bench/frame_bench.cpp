// How much CPU a running second costs the Linux build, without a display: the program's own
// WinMain on the headless stand-in, counting down through many scripted seconds with tracing off.
// Prints the process CPU time per frame and per step of a frame; judges nothing.
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "linux/headless.h"
#include "program_run.h"

namespace {

double CpuMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 3000;
    program_run::Reset();
    headless::At(10, [] {
        headless::Key(headless::MainWindow(), VK_SPACE);
        headless::SetTracing(false);
    });
    const std::uint64_t end = 10 + std::uint64_t(seconds) * 1000 + 500;
    headless::At(end, [] { headless::Key(headless::MainWindow(), VK_ESCAPE); });
    const double started = CpuMicroseconds();
    const int code = program_run::Run(std::to_string(seconds + 100));
    const double spent = CpuMicroseconds() - started;
    std::printf("%d running seconds painted headless: %.1f us of CPU per second (exit %d)\n",
                seconds, spent / seconds, code);
    return 0;
}
