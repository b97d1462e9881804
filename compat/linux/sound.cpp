// Tones through SDL audio: 16-bit mono sine waves queued on a device that stays open while tones
// follow each other, so that a sequence of tones plays without gaps.
#include "sound.h"

#include <SDL.h>

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

struct Player {
    bool subsystemTried = false;
    bool subsystemReady = false;
    SDL_AudioDeviceID device = 0;
    // A device that could not be opened once is not asked for again: tones stay silent.
    bool deviceMissing = false;
    std::uint64_t lastToneEndsAt = 0;
};

Player& State() {
    static Player player;
    return player;
}

void Close() {
    Player& player = State();
    if (player.device != 0) {
        SDL_CloseAudioDevice(player.device);
        player.device = 0;
    }
}

void Housekeeping() {
    Player& player = State();
    if (player.device != 0 && SDL_GetQueuedAudioSize(player.device) == 0 &&
        SDL_GetTicks64() >= player.lastToneEndsAt + CloseAfterIdleMs) {
        Close();
    }
}

std::optional<std::uint32_t> MsUntilHousekeeping() {
    const Player& player = State();
    if (player.device == 0) return std::nullopt;
    const std::uint64_t due = player.lastToneEndsAt + CloseAfterIdleMs;
    const std::uint64_t now = SDL_GetTicks64();
    return static_cast<std::uint32_t>(due > now ? due - now : 0);
}

bool Open() {
    Player& player = State();
    if (player.device != 0) return true;
    if (!player.subsystemTried) {
        player.subsystemTried = true;
        player.subsystemReady = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        SetHousekeeping(MsUntilHousekeeping, Housekeeping);
    }
    if (!player.subsystemReady || player.deviceMissing) return false;
    SDL_AudioSpec wanted{};
    wanted.freq = SampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = 1024;
    player.device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    player.deviceMissing = player.device == 0;
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
    SDL_QueueAudio(player.device, samples.data(),
                   static_cast<Uint32>(samples.size() * sizeof(std::int16_t)));
    SDL_PauseAudioDevice(player.device, 0);
    const std::uint64_t queuedMs =
        std::uint64_t{SDL_GetQueuedAudioSize(player.device)} * 1000 / (SampleRate * 2);
    player.lastToneEndsAt = SDL_GetTicks64() + queuedMs;
}

void PlaySimpleBeep() {
    QueueTone(SimpleBeepHz, SimpleBeepMs);
}

void Finish() {
    Player& player = State();
    if (player.device != 0) {
        // Bounded, in case a driver stops consuming.
        for (int waited = 0; SDL_GetQueuedAudioSize(player.device) > 0 && waited < 5000;
             waited += 5) {
            SDL_Delay(5);
        }
        // The last buffer has been taken from the queue but may still be on its way out.
        SDL_Delay(1000 * 1024 / SampleRate + 20);
        Close();
    }
    if (player.subsystemReady) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    player.subsystemTried = false;
    player.subsystemReady = false;
    player.deviceMissing = false;
}

}  // namespace standin::sound
