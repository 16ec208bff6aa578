#include <gtest/gtest.h>

#include "common/melodies.h"
#include "recorders.h"

namespace vesperon {
namespace {

int TotalMs(const Melody& m) {
  int total = 0;
  for (const auto& t : m) total += t.durationMs;
  return total;
}

TEST(Melodies, TablesHaveTheirTonesInOrder) {
  const Melody beep = Melodia(0);
  ASSERT_EQ(beep.size(), 6u);
  for (std::size_t i = 0; i < beep.size(); ++i)
    EXPECT_EQ(beep[i], (Tone{i % 2 == 0 ? 800 : 700, 50}));
  EXPECT_EQ(TotalMs(beep), 300);

  const Melody pajaraco = Melodia(1);
  ASSERT_EQ(pajaraco.size(), 203u);
  EXPECT_EQ(pajaraco[0], (Tone{700, 1}));
  EXPECT_EQ(pajaraco[100], (Tone{800, 1}));
  EXPECT_EQ(pajaraco[101], (Tone{700, 1}));
  EXPECT_EQ(pajaraco[201], (Tone{800, 1}));
  EXPECT_EQ(pajaraco.back(), (Tone{800, 150}));
  EXPECT_EQ(TotalMs(pajaraco), 352);

  const Melody gwbasic = Melodia(2);
  ASSERT_EQ(gwbasic.size(), 101u);
  EXPECT_EQ(gwbasic.front(), (Tone{800, 5}));
  EXPECT_EQ(gwbasic.back(), (Tone{700, 5}));
  EXPECT_EQ(TotalMs(gwbasic), 505);
}

TEST(Melodies, UnknownIndexIsSilence) {
  RecordingSpeaker speaker;
  TocarMelodia(speaker, 3);
  TocarMelodia(speaker, -1);
  EXPECT_TRUE(speaker.played.empty());
  TocarMelodia(speaker, 0);
  EXPECT_EQ(speaker.played.size(), 1u);
}

}  // namespace
}  // namespace vesperon
