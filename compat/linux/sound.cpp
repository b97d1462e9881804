// The timer's side sends tones over a socket to a player process forked for them. The player loads
// SDL (only its header is used at build time), queues 16-bit mono sine waves on one device so
// that a sequence of tones plays without gaps, and ends when the socket closes. It forks once more
// so that nobody has to reap it: the timer learns that it has ended from a second pipe, whose
// writing end only the player holds.
#include "sound.h"

#include <SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <vector>

#include "real_time.h"
#include "window_system.h"

namespace standin::sound {

namespace {

// Idle time after the last tone before the player is let go.
constexpr std::uint64_t EndAfterIdleMs = 300;
// How long Finish waits for a player that does not end.
constexpr int FinishTimeoutMs = 10000;
constexpr double Amplitude = 0.3 * 32767;
// Short ramps at both ends keep a tone from clicking.
constexpr int RampSamples = SampleRate / 1000;
constexpr int BufferSamples = 1024;

struct Tone {
    std::uint32_t frequencyHz;
    std::uint32_t durationMs;
};

// --- The player process ---------------------------------------------------------------------

// The few SDL calls the tones need, found in the library once it is loaded.
struct Sdl {
    decltype(&SDL_SetHint) SetHint = nullptr;
    decltype(&SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&SDL_Quit) Quit = nullptr;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice = nullptr;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice = nullptr;
    decltype(&SDL_QueueAudio) QueueAudio = nullptr;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice = nullptr;
    decltype(&SDL_GetQueuedAudioSize) GetQueuedAudioSize = nullptr;
};

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

std::optional<Sdl> LoadSdl() {
    void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return std::nullopt;
    Sdl sdl;
    const bool found = Find(library, "SDL_SetHint", sdl.SetHint) &&
                       Find(library, "SDL_InitSubSystem", sdl.InitSubSystem) &&
                       Find(library, "SDL_Quit", sdl.Quit) &&
                       Find(library, "SDL_OpenAudioDevice", sdl.OpenAudioDevice) &&
                       Find(library, "SDL_CloseAudioDevice", sdl.CloseAudioDevice) &&
                       Find(library, "SDL_QueueAudio", sdl.QueueAudio) &&
                       Find(library, "SDL_PauseAudioDevice", sdl.PauseAudioDevice) &&
                       Find(library, "SDL_GetQueuedAudioSize", sdl.GetQueuedAudioSize);
    if (!found) return std::nullopt;
    return sdl;
}

std::vector<std::int16_t> Samples(const Tone& tone) {
    const auto count = static_cast<std::size_t>(std::uint64_t{SampleRate} * tone.durationMs / 1000);
    std::vector<std::int16_t> samples(count);
    const double step = 2 * std::numbers::pi * tone.frequencyHz / SampleRate;
    for (std::size_t i = 0; i < count; ++i) {
        const double ramp = std::min({1.0, static_cast<double>(i) / RampSamples,
                                      static_cast<double>(count - i) / RampSamples});
        samples[i] = static_cast<std::int16_t>(
            std::lround(Amplitude * ramp * std::sin(step * static_cast<double>(i))));
    }
    return samples;
}

bool ReadTone(int input, Tone& tone) {
    auto* bytes = reinterpret_cast<char*>(&tone);
    std::size_t got = 0;
    while (got < sizeof tone) {
        const ssize_t n = read(input, bytes + got, sizeof tone - got);
        if (n == 0) return false;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        got += static_cast<std::size_t>(n);
    }
    return true;
}

// Plays the tones read from `input` until it closes; without audio, reads them all the same.
void Play(int input, const std::string& defaultDriver) {
    std::optional<Sdl> sdl = LoadSdl();
    SDL_AudioDeviceID device = 0;
    if (sdl) {
        // A hint of normal priority: a driver named in the environment still wins.
        if (!defaultDriver.empty()) sdl->SetHint(SDL_HINT_AUDIODRIVER, defaultDriver.c_str());
        SDL_AudioSpec wanted{};
        wanted.freq = SampleRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 1;
        wanted.samples = BufferSamples;
        if (sdl->InitSubSystem(SDL_INIT_AUDIO) == 0) {
            device = sdl->OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
        }
    }
    Tone tone{};
    while (ReadTone(input, tone)) {
        if (device == 0) continue;
        const std::vector<std::int16_t> samples = Samples(tone);
        sdl->QueueAudio(device, samples.data(),
                        static_cast<Uint32>(samples.size() * sizeof(std::int16_t)));
        sdl->PauseAudioDevice(device, 0);
    }
    if (device != 0) {
        // Bounded, in case a driver stops consuming.
        for (int waited = 0; sdl->GetQueuedAudioSize(device) > 0 && waited < 5000; waited += 5) {
            SleepMs(5);
        }
        // The last buffer has been taken from the queue but may still be on its way out.
        SleepMs(1000 * BufferSamples / SampleRate + 20);
        sdl->CloseAudioDevice(device);
    }
    if (sdl) sdl->Quit();
}

// --- The timer's side -------------------------------------------------------------------------

struct Player {
    int tones = -1;  // the timer's end of the tones socket
    int ended = -1;  // reading end of the pipe that closes when the player ends
    std::uint64_t lastToneEndsAt = 0;
    std::string defaultDriver;
};

Player& State() {
    static Player player;
    return player;
}

void CloseFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

// Lets the player go: it plays what it has and ends by itself. Finish can still wait for it.
void Release() {
    CloseFd(State().tones);
}

// Closes every descriptor but the standard ones and the two given.
void KeepOnly(int first, int second) {
    const auto low = static_cast<unsigned>(std::min(first, second));
    const auto high = static_cast<unsigned>(std::max(first, second));
    close_range(3, low - 1, 0);
    close_range(low + 1, high - 1, 0);
    close_range(high + 1, ~0u, 0);
}

bool Start() {
    Player& player = State();
    if (player.tones >= 0) return true;
    // A player let go before ends on its own; only the newest is waited for.
    CloseFd(player.ended);
    SetHousekeeping(
        []() -> std::optional<std::uint32_t> {
            const Player& p = State();
            if (p.tones < 0) return std::nullopt;
            const std::uint64_t due = p.lastToneEndsAt + EndAfterIdleMs;
            const std::uint64_t now = BootTimeMs();
            return static_cast<std::uint32_t>(due > now ? due - now : 0);
        },
        [] {
            const Player& p = State();
            if (p.tones >= 0 && BootTimeMs() >= p.lastToneEndsAt + EndAfterIdleMs) Release();
        });
    int tones[2];
    int ended[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, tones) != 0) return false;
    if (pipe2(ended, O_CLOEXEC) != 0) {
        close(tones[0]);
        close(tones[1]);
        return false;
    }
    const pid_t child = fork();
    if (child == 0) {
        // The first child only forks the player and ends, so the player is nobody's to reap.
        if (fork() == 0) {
            // Nothing of the timer's stays open here: its display connection above all, which
            // would keep its windows on the screen after it has ended.
            KeepOnly(tones[0], ended[1]);
            // Audio libraries report a missing device at length, and a missing device only
            // means silence; tracing keeps their words.
            if (std::getenv("OVENBELL_TRACE") == nullptr) {
                const int quiet = open("/dev/null", O_WRONLY);
                if (quiet >= 0) {
                    dup2(quiet, STDERR_FILENO);
                    close(quiet);
                }
            }
            Play(tones[0], player.defaultDriver);
        }
        _exit(0);
    }
    close(tones[0]);
    close(ended[1]);
    if (child < 0) {
        close(tones[1]);
        close(ended[0]);
        return false;
    }
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    player.tones = tones[1];
    player.ended = ended[0];
    return true;
}

}  // namespace

void QueueTone(std::uint32_t frequencyHz, std::uint32_t durationMs) {
    if (!Start()) return;
    Player& player = State();
    const Tone tone{frequencyHz, durationMs};
    // A player that has gone away takes no more tones; the next one starts afresh.
    if (send(player.tones, &tone, sizeof tone, MSG_NOSIGNAL) != static_cast<ssize_t>(sizeof tone)) {
        Release();
        return;
    }
    player.lastToneEndsAt = std::max(player.lastToneEndsAt, BootTimeMs()) + durationMs;
}

void PlaySimpleBeep() {
    QueueTone(SimpleBeepHz, SimpleBeepMs);
}

void Finish() {
    Player& player = State();
    CloseFd(player.tones);
    if (player.ended < 0) return;
    // End of file on this pipe: the player has ended.
    pollfd ended{player.ended, POLLIN, 0};
    const std::uint64_t deadline = BootTimeMs() + FinishTimeoutMs;
    char byte = 0;
    for (std::uint64_t now = BootTimeMs(); now < deadline; now = BootTimeMs()) {
        if (poll(&ended, 1, static_cast<int>(deadline - now)) > 0 &&
            read(player.ended, &byte, 1) <= 0) {
            break;
        }
    }
    CloseFd(player.ended);
}

void SetDefaultDriver(std::string driver) {
    State().defaultDriver = std::move(driver);
}

}  // namespace standin::sound
