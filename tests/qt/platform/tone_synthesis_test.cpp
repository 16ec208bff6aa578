#include "platform/linux/tone_synthesis.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>

namespace vesperon {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::Eq;
using ::testing::IsEmpty;

constexpr double kSamplesPerMs = kToneSampleRate / 1000.0;

// The three melodies the countdown offers, built from their figures here so a
// mistake in the program's own table cannot hide one in the synthesis.
Melody Beep() {
  Melody melody;
  for (int pair = 0; pair < 3; ++pair) melody.insert(melody.end(), {{800, 50}, {700, 50}});
  return melody;
}

Melody Pajaraco() {
  Melody melody;
  for (int sweep = 0; sweep < 2; ++sweep) {
    for (int f = 700; f <= 800; ++f) melody.push_back({f, 1});
  }
  melody.push_back({800, 150});
  return melody;
}

Melody GWBasic() {
  Melody melody;
  for (int f = 800; f >= 700; --f) melody.push_back({f, 5});
  return melody;
}

struct NamedMelody {
  std::string name;
  Melody melody;
  int totalMs;
};

std::vector<NamedMelody> Melodies() {
  return {{"Beep", Beep(), 300}, {"Pajaraco", Pajaraco(), 352}, {"GWBasic", GWBasic(), 505}};
}

// Frequency of a pure sine from a few samples: every sample satisfies
// s[n-1] + s[n+1] = 2 cos(w) s[n]; solve for cos(w) by least squares.
double EstimateFrequencyHz(const std::vector<float>& samples, std::size_t begin, std::size_t end) {
  double cross = 0.0;
  double energy = 0.0;
  for (std::size_t n = begin + 1; n + 1 < end; ++n) {
    cross += double{samples[n]} * (double{samples[n - 1]} + double{samples[n + 1]});
    energy += double{samples[n]} * double{samples[n]};
  }
  return std::acos(cross / (2.0 * energy)) * kToneSampleRate / (2.0 * std::numbers::pi);
}

TEST(ToneSynthesisTest, EveryToneHasItsFrequencyAndDuration) {
  for (const NamedMelody& named : Melodies()) {
    SCOPED_TRACE(named.name);
    const ToneWave wave = SynthesizeTones(named.melody);
    ASSERT_EQ(wave.toneSampleCounts.size(), named.melody.size());
    EXPECT_EQ(wave.samples.size(), static_cast<std::size_t>(named.totalMs * kSamplesPerMs));

    std::size_t begin = 0;
    for (std::size_t i = 0; i < named.melody.size(); ++i) {
      const Tone& tone = named.melody[i];
      const std::size_t count = wave.toneSampleCounts[i];
      SCOPED_TRACE("tone " + std::to_string(i) + ": " + std::to_string(tone.frequencyHz) + " Hz");
      EXPECT_NEAR(count / kSamplesPerMs, tone.durationMs, 1.0);
      EXPECT_NEAR(EstimateFrequencyHz(wave.samples, begin, begin + count), tone.frequencyHz,
                  tone.frequencyHz * 0.01);
      begin += count;
    }
    EXPECT_EQ(begin, wave.samples.size());
  }
}

// A phase jump where the pitch changes would be a click: no step from one
// sample to the next may exceed the largest step of the highest tone.
TEST(ToneSynthesisTest, PhaseRunsOnAcrossToneChanges) {
  const double largestStep = 2.0 * std::sin(std::numbers::pi * 800 / kToneSampleRate);
  for (const NamedMelody& named : Melodies()) {
    SCOPED_TRACE(named.name);
    const std::vector<float> samples = SynthesizeTones(named.melody).samples;
    double step = 0.0;
    for (std::size_t n = 1; n < samples.size(); ++n) {
      step = std::max(step, std::abs(double{samples[n]} - double{samples[n - 1]}));
    }
    EXPECT_LE(step, largestStep * 1.0001);
    EXPECT_GT(*std::max_element(samples.begin(), samples.end()), 0.99f);
  }
}

// The 16-bit sound is the wave at one fixed level, except for the fade from
// and to silence at the two ends.
TEST(ToneSynthesisTest, Pcm16IsTheWaveFadedAtBothEndsOnly) {
  for (const NamedMelody& named : Melodies()) {
    SCOPED_TRACE(named.name);
    const std::vector<float> wave = SynthesizeTones(named.melody).samples;
    const std::vector<std::int16_t> pcm = ToPcm16(wave);
    ASSERT_EQ(pcm.size(), wave.size());
    EXPECT_EQ(pcm.front(), 0);
    EXPECT_EQ(pcm.back(), 0);

    // Away from the ends (5 ms is longer than any fade), the level that best
    // fits must fit every sample.
    const std::size_t fade = static_cast<std::size_t>(5 * kSamplesPerMs);
    double cross = 0.0;
    double energy = 0.0;
    for (std::size_t n = fade; n + fade < wave.size(); ++n) {
      cross += pcm[n] * double{wave[n]};
      energy += double{wave[n]} * double{wave[n]};
    }
    const double level = cross / energy;
    EXPECT_GT(level, 32767 / 10);  // heard
    EXPECT_LT(level, 32767);       // not clipped
    int mismatches = 0;
    for (std::size_t n = fade; n + fade < wave.size(); ++n) {
      if (std::abs(pcm[n] - std::lround(wave[n] * level)) > 1) ++mismatches;
    }
    EXPECT_EQ(mismatches, 0);

    // The fades themselves must not click either.
    const double largestStep = level * 2.0 * std::sin(std::numbers::pi * 800 / kToneSampleRate);
    for (std::size_t n = 1; n < pcm.size(); ++n) {
      ASSERT_LE(std::abs(pcm[n] - pcm[n - 1]), largestStep + 2) << "at sample " << n;
    }
  }
}

TEST(ToneSynthesisTest, NoToneOrAnEmptyOneMakesNoSound) {
  EXPECT_THAT(SynthesizeTones({}).samples, IsEmpty());
  EXPECT_THAT(ToPcm16({}), IsEmpty());

  const ToneWave empty = SynthesizeTones({{800, 0}, {800, -5}});
  EXPECT_THAT(empty.toneSampleCounts, ElementsAre(0u, 0u));
  EXPECT_THAT(empty.samples, IsEmpty());

  const ToneWave silent = SynthesizeTones({{0, 10}, {-440, 10}});
  EXPECT_EQ(silent.samples.size(), static_cast<std::size_t>(20 * kSamplesPerMs));
  EXPECT_THAT(silent.samples, Each(Eq(0.0f)));

  // A tone shorter than the two fades still starts and ends in silence.
  const std::vector<std::int16_t> blip = ToPcm16(SynthesizeTones({{800, 1}}).samples);
  ASSERT_EQ(blip.size(), static_cast<std::size_t>(kSamplesPerMs));
  EXPECT_EQ(blip.front(), 0);
  EXPECT_EQ(blip.back(), 0);
}

}  // namespace
}  // namespace vesperon
