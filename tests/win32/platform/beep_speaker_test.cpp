#include "platform/win32/beep_speaker.h"

#include <gtest/gtest.h>

#include <vector>

namespace vesperon {
namespace {

TEST(BeepSpeaker, EachToneIsOneBeepOfItsPitchAndLength) {
  std::vector<Tone> beeps;
  BeepSpeaker speaker([&](DWORD frequency, DWORD duration) {
    beeps.push_back({static_cast<int>(frequency), static_cast<int>(duration)});
    return TRUE;
  });
  // A negative length would hold the clock for weeks; it is not played.
  speaker.Play({{800, 50}, {700, 5}, {750, -1}, {800, 150}});
  EXPECT_EQ(beeps, (std::vector<Tone>{{800, 50}, {700, 5}, {800, 150}}));
}

}  // namespace
}  // namespace vesperon
