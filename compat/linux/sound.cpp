// Tones through SDL audio: 16-bit mono sine waves queued on a device that stays open while tones
// follow each other, so that a sequence of tones plays without gaps. SDL is looked up at run time
// and only its header is used at build time.
#include "sound.h"

#include <SDL.h>
#include <dlfcn.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "window_system.h"

namespace standin::sound {

namespace {

// Idle time after the last tone before the device is closed again.
constexpr std::uint64_t CloseAfterIdleMs = 300;
constexpr double Amplitude = 0.3 * 32767;
// Short ramps at both ends keep a tone from clicking.
constexpr int RampSamples = SampleRate / 1000;
constexpr int BufferSamples = 1024;

// The few SDL calls the tones need, found in the library once it is loaded.
struct Sdl {
    void* library = nullptr;
    decltype(&SDL_SetHint) SetHint = nullptr;
    decltype(&SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&SDL_Quit) Quit = nullptr;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice = nullptr;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice = nullptr;
    decltype(&SDL_QueueAudio) QueueAudio = nullptr;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice = nullptr;
    decltype(&SDL_GetQueuedAudioSize) GetQueuedAudioSize = nullptr;
};

struct Player {
    Sdl sdl;
    SDL_AudioDeviceID device = 0;
    // Once loading or opening has failed, tones stay silent until Finish.
    bool unavailable = false;
    std::uint64_t lastToneEndsAt = 0;
    std::string defaultDriver;
};

Player& State() {
    static Player player;
    return player;
}

// Real time, whatever clock the window system runs on (the tests' one stands still).
std::uint64_t MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000 +
           static_cast<std::uint64_t>(now.tv_nsec) / 1000000;
}

void SleepMs(std::uint32_t ms) {
    timespec span{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000};
    while (nanosleep(&span, &span) != 0) {
    }
}

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

bool Load(Sdl& sdl) {
    sdl.library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (sdl.library == nullptr) return false;
    const bool found = Find(sdl.library, "SDL_SetHint", sdl.SetHint) &&
                       Find(sdl.library, "SDL_InitSubSystem", sdl.InitSubSystem) &&
                       Find(sdl.library, "SDL_Quit", sdl.Quit) &&
                       Find(sdl.library, "SDL_OpenAudioDevice", sdl.OpenAudioDevice) &&
                       Find(sdl.library, "SDL_CloseAudioDevice", sdl.CloseAudioDevice) &&
                       Find(sdl.library, "SDL_QueueAudio", sdl.QueueAudio) &&
                       Find(sdl.library, "SDL_PauseAudioDevice", sdl.PauseAudioDevice) &&
                       Find(sdl.library, "SDL_GetQueuedAudioSize", sdl.GetQueuedAudioSize);
    if (!found) {
        dlclose(sdl.library);
        sdl = Sdl{};
    }
    return found;
}

void Unload() {
    Player& player = State();
    if (player.sdl.library == nullptr) return;
    if (player.device != 0) player.sdl.CloseAudioDevice(player.device);
    player.device = 0;
    // Ends SDL's threads before its code goes away.
    player.sdl.Quit();
    dlclose(player.sdl.library);
    player.sdl = Sdl{};
}

void Housekeeping() {
    Player& player = State();
    if (player.device != 0 && player.sdl.GetQueuedAudioSize(player.device) == 0 &&
        MonotonicMs() >= player.lastToneEndsAt + CloseAfterIdleMs) {
        Unload();
    }
}

std::optional<std::uint32_t> MsUntilHousekeeping() {
    const Player& player = State();
    if (player.device == 0) return std::nullopt;
    const std::uint64_t due = player.lastToneEndsAt + CloseAfterIdleMs;
    const std::uint64_t now = MonotonicMs();
    return static_cast<std::uint32_t>(due > now ? due - now : 0);
}

bool Open() {
    Player& player = State();
    if (player.device != 0) return true;
    if (player.unavailable) return false;
    SetHousekeeping(MsUntilHousekeeping, Housekeeping);
    Sdl& sdl = player.sdl;
    if (sdl.library == nullptr && !Load(sdl)) {
        player.unavailable = true;
        return false;
    }
    // A hint of normal priority: a driver named in the environment still wins.
    if (!player.defaultDriver.empty()) {
        sdl.SetHint(SDL_HINT_AUDIODRIVER, player.defaultDriver.c_str());
    }
    SDL_AudioSpec wanted{};
    wanted.freq = SampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = BufferSamples;
    if (sdl.InitSubSystem(SDL_INIT_AUDIO) == 0) {
        player.device = sdl.OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    }
    if (player.device == 0) {
        Unload();
        player.unavailable = true;
    }
    return player.device != 0;
}

}  // namespace

void QueueTone(std::uint32_t frequencyHz, std::uint32_t durationMs) {
    if (!Open()) return;
    Player& player = State();
    const auto count = static_cast<std::size_t>(std::uint64_t{SampleRate} * durationMs / 1000);
    std::vector<std::int16_t> samples(count);
    const double step = 2 * std::numbers::pi * frequencyHz / SampleRate;
    for (std::size_t i = 0; i < count; ++i) {
        const double ramp = std::min({1.0, static_cast<double>(i) / RampSamples,
                                      static_cast<double>(count - i) / RampSamples});
        samples[i] = static_cast<std::int16_t>(
            std::lround(Amplitude * ramp * std::sin(step * static_cast<double>(i))));
    }
    player.sdl.QueueAudio(player.device, samples.data(),
                          static_cast<Uint32>(samples.size() * sizeof(std::int16_t)));
    player.sdl.PauseAudioDevice(player.device, 0);
    const std::uint64_t queuedMs =
        std::uint64_t{player.sdl.GetQueuedAudioSize(player.device)} * 1000 / (SampleRate * 2);
    player.lastToneEndsAt = MonotonicMs() + queuedMs;
}

void PlaySimpleBeep() {
    QueueTone(SimpleBeepHz, SimpleBeepMs);
}

void Finish() {
    Player& player = State();
    if (player.device != 0) {
        // Bounded, in case a driver stops consuming.
        for (int waited = 0; player.sdl.GetQueuedAudioSize(player.device) > 0 && waited < 5000;
             waited += 5) {
            SleepMs(5);
        }
        // The last buffer has been taken from the queue but may still be on its way out.
        SleepMs(1000 * BufferSamples / SampleRate + 20);
    }
    Unload();
    player.unavailable = false;
}

void SetDefaultDriver(std::string driver) {
    State().defaultDriver = std::move(driver);
}

bool Loaded() {
    return State().sdl.library != nullptr;
}

}  // namespace standin::sound
