#include "platform/linux/pulse_speaker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <thread>
#include <vector>

#include "common/melodies.h"
#include "env_guard.h"
#include "private_sound_server.h"
#include "stderr_capture.h"

namespace vesperon {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::Ge;
using ::testing::IsEmpty;
using ::testing::Le;
using ::testing::StartsWith;
using namespace std::chrono_literals;

// How long a countdown tick may be held past its melody's own length,
// whatever the sound server does.
constexpr qint64 kTickMarginMs = 50;

qint64 TimedPlay(Speaker& speaker, const Melody& melody) {
  QElapsedTimer elapsed;
  elapsed.start();
  speaker.Play(melody);
  return elapsed.elapsed();
}

// From the first sample louder than silence to the last.
double SoundingMs(const std::vector<std::int16_t>& samples) {
  constexpr int kSilence = 64;
  std::size_t first = samples.size();
  std::size_t last = 0;
  for (std::size_t n = 0; n < samples.size(); ++n) {
    if (std::abs(samples[n]) <= kSilence) continue;
    first = std::min(first, n);
    last = n;
  }
  return first > last ? 0.0 : static_cast<double>(last - first + 1) / 48.0;
}

// A countdown that plays a melody every second must keep going, and keep
// quiet on stderr, when there is nothing to play it on.
TEST(PulseSpeakerTest, WithoutSoundServerPlayReturnsAndSaysSoOnce) {
  EnvGuard server("PULSE_SERVER", "unix:/nonexistent/vesperon-pulse");
  PulseSpeaker speaker;
  StderrCapture errors;

  speaker.Play({});
  EXPECT_THAT(errors.VesperonLines(), IsEmpty());  // nothing to play, nothing tried

  for (int tick = 0; tick < 3; ++tick) {
    EXPECT_LE(TimedPlay(speaker, {{800, 50}, {700, 50}}), 100 + kTickMarginMs);
  }

  EXPECT_THAT(errors.VesperonLines(),
              ElementsAre(StartsWith("vesperon: no sound server for the speaker: ")));
}

// A server that stops answering mid-melody holds the tick no longer than
// its melody and the margin, nor the ticks after it, nor a speaker that has
// yet to connect; once it answers again, the next melody is heard whole.
TEST(PulseSpeakerTest, StalledServerHoldsNoTickPastTheMarginAndIsHeardOnceBack) {
  PrivateSoundServer server;
  ASSERT_TRUE(server.IsRunning()) << "pulseaudio did not start";
  EnvGuard address("PULSE_SERVER", server.Address());
  const Melody beep = Melodia(0);
  constexpr qint64 kBeepMs = 300;
  StderrCapture errors;
  PulseSpeaker speaker;

  EXPECT_THAT(TimedPlay(speaker, beep), AllOf(Ge(kBeepMs - 20), Le(kBeepMs + kTickMarginMs)))
      << "an answering server plays the melody whole, and Play waits for it";
  std::this_thread::sleep_for(200ms);  // for the server to finish, should Play have left early

  std::thread stopper([&] {
    std::this_thread::sleep_for(100ms);
    server.Stop();
  });
  const qint64 stoppedMidway = TimedPlay(speaker, beep);
  stopper.join();
  const qint64 stillStopped = TimedPlay(speaker, beep);
  PulseSpeaker connecting;
  const qint64 connectingToStopped = TimedPlay(connecting, beep);
  server.Continue();
  EXPECT_LE(stoppedMidway, kBeepMs + kTickMarginMs);
  EXPECT_LE(stillStopped, kBeepMs + kTickMarginMs);
  EXPECT_LE(connectingToStopped, kBeepMs + kTickMarginMs);

  std::this_thread::sleep_for(1s);  // the next tick
  EXPECT_NEAR(SoundingMs(server.RecordWhile([&] { speaker.Play(beep); })), kBeepMs, 20);

  EXPECT_THAT(errors.VesperonLines(),
              ElementsAre(StartsWith("vesperon: the sound server stopped playing: "),
                          StartsWith("vesperon: no sound server for the speaker: ")));
}

}  // namespace
}  // namespace vesperon
