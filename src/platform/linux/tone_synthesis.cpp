#include "platform/linux/tone_synthesis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vesperon {

namespace {

// About -10 dBFS: clearly audible, not the PC speaker's full blast.
constexpr double kLevel = 0.3;
constexpr int kEdgeFadeMs = 2;

}  // namespace

std::size_t ToneSampleCount(int durationMs) {
  if (durationMs <= 0) return 0;
  const auto scaled = static_cast<std::int64_t>(durationMs) * kToneSampleRate;
  return static_cast<std::size_t>((scaled + 500) / 1000);
}

ToneWave SynthesizeTones(const Melody& melody) {
  ToneWave wave;
  wave.toneSampleCounts.reserve(melody.size());
  std::size_t total = 0;
  for (const Tone& tone : melody) {
    wave.toneSampleCounts.push_back(ToneSampleCount(tone.durationMs));
    total += wave.toneSampleCounts.back();
  }
  wave.samples.reserve(total);

  constexpr double kTwoPi = 2.0 * std::numbers::pi;
  double phase = 0.0;
  for (std::size_t i = 0; i < melody.size(); ++i) {
    const int frequency = melody[i].frequencyHz;
    const double step = kTwoPi * std::max(frequency, 0) / kToneSampleRate;
    for (std::size_t n = 0; n < wave.toneSampleCounts[i]; ++n) {
      wave.samples.push_back(frequency > 0 ? static_cast<float>(std::sin(phase)) : 0.0f);
      phase = std::fmod(phase + step, kTwoPi);
    }
  }
  return wave;
}

std::vector<std::int16_t> ToPcm16(const std::vector<float>& samples) {
  const std::size_t size = samples.size();
  const std::size_t fade = std::min<std::size_t>(ToneSampleCount(kEdgeFadeMs), size / 2);
  std::vector<std::int16_t> pcm(size);
  for (std::size_t n = 0; n < size; ++n) {
    double gain = kLevel;
    const std::size_t fromEdge = std::min(n, size - 1 - n);
    if (fromEdge < fade) {
      // Raised cosine from 0 at the very edge sample.
      gain *= 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(fromEdge) /
                                   static_cast<double>(fade));
    }
    const long value = std::lround(gain * samples[n] * 32767.0);
    pcm[n] = static_cast<std::int16_t>(std::clamp(value, -32767L, 32767L));
  }
  return pcm;
}

}  // namespace vesperon
