// Tones through SDL audio. The device is opened for a tone and closed once it has been idle for a
// moment; without an audio device every tone is silent and nothing fails.
#pragma once

#include <cstdint>

namespace standin::sound {

inline constexpr int SampleRate = 48000;
// The platform's simple beep, played where the speaker's default beep would sound.
inline constexpr std::uint32_t SimpleBeepHz = 880;
inline constexpr std::uint32_t SimpleBeepMs = 120;

// Queues a tone and returns at once; the caller decides whether to wait for it.
void QueueTone(std::uint32_t frequencyHz, std::uint32_t durationMs);
void PlaySimpleBeep();

// Waits until every queued tone has been played, then closes the device and the audio subsystem
// (the next tone opens them afresh, with whatever driver the environment then names).
void Finish();

}  // namespace standin::sound
