// Tones through SDL audio, loaded only while tones play: the library and its sound-server clients
// are large, and a timer plays a few seconds of sound a day. The device is opened for a tone and
// closed, with the library, once it has been idle for a moment; without the library or an audio
// device every tone is silent and nothing fails.
#pragma once

#include <cstdint>
#include <string>

namespace standin::sound {

inline constexpr int SampleRate = 48000;
// The platform's simple beep, played where the speaker's default beep would sound.
inline constexpr std::uint32_t SimpleBeepHz = 880;
inline constexpr std::uint32_t SimpleBeepMs = 120;

// Queues a tone and returns at once; the caller decides whether to wait for it.
void QueueTone(std::uint32_t frequencyHz, std::uint32_t durationMs);
void PlaySimpleBeep();

// Waits until every queued tone has been played, then closes the device and unloads the library
// (the next tone loads it afresh, with whatever driver the environment then names).
void Finish();

// The SDL audio driver to use when the environment names none; empty: SDL's own choice.
void SetDefaultDriver(std::string driver);

// Whether the audio library is loaded now.
bool Loaded();

}  // namespace standin::sound
