// The expiry alert on the running program: its exact calls, once per run, and its tones as they
// come out of the audio device.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "program_run.h"

namespace {

using program_run::Count;
using program_run::IndexOf;
using program_run::Trace;

// Runs "2" from a start at tick 10 until `until`, then closes; returns the trace.
Trace RunThroughExpiry(std::uint64_t until) {
    program_run::Reset();
    headless::At(10, [] { headless::Key(headless::MainWindow(), VK_SPACE); });
    headless::At(until, [] { headless::Key(headless::MainWindow(), VK_ESCAPE); });
    EXPECT_EQ(program_run::Run("2"), 0);
    return headless::TakeTrace();
}

TEST(ShellAlert, RunsOnceWithExactlyItsCallsBeforeTheFirstOvertimeFrame) {
    const Trace trace = program_run::WithoutLoop(RunThroughExpiry(9000));
    const auto first = IndexOf(trace, "SetForegroundWindow(");
    ASSERT_GE(first, 0);
    const auto repaint = IndexOf(trace, "InvalidateRect(", static_cast<std::size_t>(first));
    const Trace alert(trace.begin() + first, trace.begin() + repaint);
    const Trace expected = {
        "SetForegroundWindow(hwnd)",
        "SetActiveWindow(hwnd)",
        std::string("SendInput(2,[{1,vk=160,flags=0},{1,vk=160,flags=2}],") +
            std::to_string(sizeof(INPUT)) + ")",
        "DefWindowProcA(hwnd,WM_SYSCOMMAND,61808,-1)",
        "Beep(220,40)",
        "Beep(20000,20)",
        "Beep(260,40)",
        "MessageBeep(4294967295)",
        std::string("FlashWindowEx({") + std::to_string(sizeof(FLASHWINFO)) + ",hwnd,2,6,500})",
    };
    EXPECT_EQ(alert, expected);
    EXPECT_EQ(Count(trace, "SetForegroundWindow("), 1) << "once per run, whatever overtime follows";
    EXPECT_EQ(Count(trace, "TextOutA(dc,210,-5,\"-0:05\",5)"), 1);

    const headless::DesktopCounts desktop = headless::Desktop();
    EXPECT_EQ(desktop.raised, 1);
    EXPECT_EQ(desktop.displayWakes, 1);
    EXPECT_EQ(desktop.flashes, 1);
    EXPECT_EQ(desktop.lastFlashCount, 6u);
    EXPECT_EQ(desktop.lastFlashInterval, 500u);
}

TEST(ShellAlert, SynthesisedShiftReachesTheWindowAndChangesNothing) {
    const Trace trace = RunThroughExpiry(3200);
    const auto down = IndexOf(trace, "DispatchMessageA(hwnd,WM_KEYDOWN,16,");
    const auto up = IndexOf(trace, "DispatchMessageA(hwnd,WM_KEYUP,16,");
    ASSERT_GE(down, 0);
    EXPECT_GT(up, down);
    // The key up goes to the default procedure; the key down does nothing at all.
    EXPECT_EQ(trace[static_cast<std::size_t>(down) + 1], "GetMessageA(null,0,0)");
}

std::vector<std::int16_t> ReadSamples(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<std::int16_t> samples;
    std::int16_t sample = 0;
    while (file.read(reinterpret_cast<char*>(&sample), sizeof(sample))) samples.push_back(sample);
    return samples;
}

double Frequency(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t count) {
    int crossings = 0;
    for (std::size_t i = from + 1; i < from + count; ++i) {
        if ((samples[i - 1] < 0) != (samples[i] < 0)) ++crossings;
    }
    return crossings / 2.0 * 48000.0 / static_cast<double>(count);
}

TEST(ShellAlert, TonesAreHeardInOrderWithTheirPitchesAndLengths) {
    const auto file = std::filesystem::temp_directory_path() /
                      (std::string("ovenbell-tones-") + std::to_string(::getpid()) + ".raw");
    headless::FinishSound();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    RunThroughExpiry(3200);
    headless::FinishSound();
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");

    const std::vector<std::int16_t> samples = ReadSamples(file);
    std::filesystem::remove(file);
    const auto start = std::find_if(samples.begin(), samples.end(), [](auto s) { return s != 0; });
    ASSERT_NE(start, samples.end()) << "the device played something";
    // Each tone starts at a zero sample, just before the first one that is not.
    const std::size_t first = static_cast<std::size_t>(start - samples.begin()) - 1;
    struct Tone {
        double hz;
        std::size_t samples;
    };
    // 40 ms, 20 ms and 40 ms at 48 kHz, then the simple beep.
    const Tone tones[] = {{220, 1920}, {20000, 960}, {260, 1920}, {880, 5760}};
    std::size_t at = first;
    for (const Tone& tone : tones) {
        ASSERT_LE(at + tone.samples, samples.size());
        EXPECT_NEAR(Frequency(samples, at, tone.samples), tone.hz, tone.hz * 0.05) << tone.hz;
        at += tone.samples;
    }
    const bool silentAfter = std::all_of(samples.begin() + static_cast<std::ptrdiff_t>(at),
                                         samples.end(), [](auto s) { return s == 0; });
    EXPECT_TRUE(silentAfter) << "nothing but the four tones";

    // The audio library and its sound-server clients never enter the timer's own process.
    std::ifstream maps("/proc/self/maps");
    const std::string mapped{std::istreambuf_iterator<char>(maps), {}};
    EXPECT_EQ(mapped.find("libSDL2"), std::string::npos);
}

}  // namespace
