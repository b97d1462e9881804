// Tones through SDL audio, played by a short-lived player process: the audio library and its
// sound-server clients are large and, once loaded, stay in a process for good, while a timer plays
// a few seconds of sound a day. The player is started for a tone and ends once tones have stopped
// coming for a moment; without the library or an audio device every tone is silent and nothing
// fails.
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

// Waits until every queued tone has been played and the player has ended (the next tone starts
// one afresh, with whatever driver the environment then names).
void Finish();

// The SDL audio driver to use when the environment names none; empty: SDL's own choice.
void SetDefaultDriver(std::string driver);

}  // namespace standin::sound
