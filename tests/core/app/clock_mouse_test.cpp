#include <gtest/gtest.h>

#include <chrono>

#include "app/clock_mouse.h"
#include "main_harness.h"

namespace vesperon {
namespace {

using std::chrono::milliseconds;

// Points of the face, in pixels.
constexpr int kPlusX = 70, kPlusY = 95;       // ImgButtonMAS
constexpr int kDigitX = 25, kDigitY = 45;     // ImgHora01
constexpr int kTipX = 120, kTipY = 52;        // TipApagado
constexpr int kMessageX = 80, kMessageY = 70;  // LblInfo
constexpr int kGlassX = 5, kGlassY = 60;      // no control

struct ClockMouseTest : ::testing::Test {
  void SetUp() override { ASSERT_TRUE(h.Start()); }
  MainHarness h;
  ClockMouse mouse{h.main};
};

TEST_F(ClockMouseTest, AreasFollowTheControlsAndOnlyTheGlassIsBackground) {
  EXPECT_EQ(mouse.AreaAt(kPlusX, kPlusY), ClockMouse::Area::Mas);
  EXPECT_EQ(mouse.AreaAt(kTipX, kTipY), ClockMouse::Area::TipApagado);
  EXPECT_EQ(mouse.AreaAt(kDigitX, kDigitY), ClockMouse::Area::Other);
  EXPECT_EQ(mouse.AreaAt(kMessageX, kMessageY), ClockMouse::Area::Other);
  EXPECT_EQ(mouse.AreaAt(kGlassX, kGlassY), ClockMouse::Area::Background);
}

// A held plus keeps stepping wherever the mouse goes, and stops at the
// release, wherever that is; a press that loses the mouse ends as a release.
TEST_F(ClockMouseTest, TheControlPressedKeepsTheMouseUntilReleasedOrLost) {
  h.main.mnAjustarApagado_Click();
  mouse.Press(MouseButton::Left, kPlusX, kPlusY, 0, 0);
  EXPECT_EQ(h.main.HoraApagado_hrs, 1);
  mouse.Move(true, true, kGlassX, kGlassY, 0, 0);
  h.time.Advance(milliseconds(260));
  EXPECT_EQ(h.main.HoraApagado_hrs, 2);
  mouse.Release(MouseButton::Left);
  h.time.Advance(milliseconds(1000));
  EXPECT_EQ(h.main.HoraApagado_hrs, 2);

  mouse.Press(MouseButton::Left, kPlusX, kPlusY, 0, 0);
  EXPECT_EQ(h.main.HoraApagado_hrs, 3);
  mouse.MouseLost();
  h.time.Advance(milliseconds(1000));
  EXPECT_EQ(h.main.HoraApagado_hrs, 3);
  // A move with no button down forgets a press whose release went elsewhere.
  mouse.Press(MouseButton::Left, kPlusX, kPlusY, 0, 0);
  mouse.Move(false, false, kPlusX, kPlusY, 0, 0);
  h.time.Advance(milliseconds(1000));
  EXPECT_EQ(h.main.HoraApagado_hrs, 4);
}

// The second press of a double click opens the editor on a digit, steps
// again on plus, and does not arm and disarm the indicator at once.
TEST_F(ClockMouseTest, TheSecondPressOfADoubleClickCountsOnlyWhereItMeansSomething) {
  mouse.DoubleClick(MouseButton::Left, kDigitX, kDigitY, 0, 0);
  EXPECT_TRUE(h.main.AjustarHoraApagado);
  mouse.Release(MouseButton::Left);

  mouse.Press(MouseButton::Left, kPlusX, kPlusY, 0, 0);
  mouse.Release(MouseButton::Left);
  mouse.DoubleClick(MouseButton::Left, kPlusX, kPlusY, 0, 0);
  mouse.Release(MouseButton::Left);
  EXPECT_EQ(h.main.HoraApagado_hrs, 2);

  h.main.ImgTipOk_MouseDown(MouseButton::Left);
  mouse.Press(MouseButton::Left, kTipX, kTipY, 0, 0);
  mouse.Release(MouseButton::Left);
  ASSERT_TRUE(h.main.ApagarEquipo);
  mouse.DoubleClick(MouseButton::Left, kTipX, kTipY, 0, 0);
  mouse.Release(MouseButton::Left);
  EXPECT_TRUE(h.main.ApagarEquipo);
}

}  // namespace
}  // namespace vesperon
