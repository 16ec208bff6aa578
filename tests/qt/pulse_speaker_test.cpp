#include "platform/linux/pulse_speaker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "scoped_environment_variable.h"
#include "stderr_capture.h"

namespace vesperon {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

// A countdown that plays a melody every second must keep going, and keep
// quiet on stderr, when there is nothing to play it on.
TEST(PulseSpeakerTest, WithoutSoundServerPlayReturnsAndSaysSoOnce) {
  ScopedEnvironmentVariable server("PULSE_SERVER", "unix:/nonexistent/vesperon-pulse");
  PulseSpeaker speaker;
  StderrCapture errors;

  speaker.Play({});
  EXPECT_THAT(errors.VesperonLines(), IsEmpty());  // nothing to play, nothing tried

  QElapsedTimer elapsed;
  elapsed.start();
  for (int tick = 0; tick < 3; ++tick) speaker.Play({{800, 50}, {700, 50}});
  EXPECT_LT(elapsed.elapsed(), 5000);  // only a sanity bound: a hang would stop the countdown

  EXPECT_THAT(errors.VesperonLines(),
              ElementsAre(StartsWith("vesperon: no sound server for the speaker: ")));
}

}  // namespace
}  // namespace vesperon
