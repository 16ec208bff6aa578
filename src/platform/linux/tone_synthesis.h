#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ports/speaker.h"

namespace vesperon {

// Turns a melody into sound the way the PC speaker plays it: tones back to
// back without a pause, here as sine waves rather than the speaker's square.

inline constexpr int kToneSampleRate = 48000;

struct ToneWave {
  // One sine of unit amplitude whose phase runs on across tone changes, so a
  // change of pitch makes no click. No fades yet.
  std::vector<float> samples;
  // How many samples each tone of the melody got, in melody order.
  std::vector<std::size_t> toneSampleCounts;
};

// round(durationMs * rate / 1000) samples; none for a non-positive duration.
std::size_t ToneSampleCount(int durationMs);

// A non-positive frequency is silence for the tone's duration.
ToneWave SynthesizeTones(const Melody& melody);

// Mono signed 16-bit samples at kToneSampleRate, with a short fade in at the
// start and out at the end only: the two places where the wave jumps from or
// to silence.
std::vector<std::int16_t> ToPcm16(const std::vector<float>& samples);

}  // namespace vesperon
