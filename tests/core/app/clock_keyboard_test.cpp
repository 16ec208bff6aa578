#include "app/clock_keyboard.h"

#include <gtest/gtest.h>

#include <chrono>

#include "main_harness.h"

namespace vesperon {
namespace {

using std::chrono::milliseconds;
using Key = ClockKeyboard::Key;

struct ClockKeyboardTest : ::testing::Test {
  void SetUp() override { ASSERT_TRUE(h.Start()); }
  void Type(Key key) {
    keys.Press(key, false, false);
    keys.Release();
  }
  std::string Stored(const std::string& key) {
    return h.settings.Read("Vesperon", "Apagado", key, "");
  }
  bool AllDigitsShown() const {
    for (const auto& place : h.main.ImgHora)
      if (!place.visible) return false;
    return true;
  }
  MainHarness h{At(2026, 12, 7, 10, 0, 0, 100)};
  ClockKeyboard keys{h.main};
};

// The whole editor without the mouse: a held key steps on the keyboard's
// own repeats only, with nothing blinking until a key comes up, and Enter
// accepts as ImgTipOk does.
TEST_F(ClockKeyboardTest, TheEditorFromTheKeyboardAlone) {
  Type(Key::Enter);
  ASSERT_TRUE(h.main.AjustarHoraApagado);
  EXPECT_EQ(h.main.AjustarHoraIndexSel, 1);

  keys.Press(Key::Up, false, false);
  keys.Press(Key::Up, true, false);
  EXPECT_EQ(h.main.HoraApagado_hrs, 2);
  h.time.Advance(milliseconds(1000));
  EXPECT_EQ(h.main.HoraApagado_hrs, 2) << "a held key steps on its repeats, not on TimerInc";
  EXPECT_TRUE(AllDigitsShown()) << "the field blinked while the key was down";
  keys.Release();
  h.time.Advance(milliseconds(260));
  EXPECT_FALSE(AllDigitsShown()) << "the field does not blink again after the key came up";

  Type(Key::Tab);
  EXPECT_EQ(h.main.AjustarHoraIndexSel, 2);
  Type(Key::Minus);
  EXPECT_EQ(h.main.HoraApagado_min, 59);
  Type(Key::BackTab);
  EXPECT_EQ(h.main.AjustarHoraIndexSel, 1);
  Type(Key::BackTab);
  EXPECT_EQ(h.main.AjustarHoraIndexSel, 3);
  Type(Key::Plus);
  EXPECT_EQ(h.main.HoraApagado_sec, 1);
  EXPECT_EQ(h.main.HoraApagado_hrs, 2);

  Type(Key::Enter);
  EXPECT_FALSE(h.main.AjustarHoraApagado);
  EXPECT_TRUE(h.main.HoraApagadoSet);
  EXPECT_EQ(h.main.LblInfo.caption, "Apagamos mañana... ;)");
  EXPECT_EQ(Stored("Horas") + ":" + Stored("Minutos") + ":" + Stored("Segundos"), "2:59:1");
}

// Space is the indicator, with its guard; Escape only ever stops a running
// countdown; a held Space does not arm and disarm by turns.
TEST_F(ClockKeyboardTest, SpaceArmsAndEscapeOnlyStopsTheCountdown) {
  Type(Key::Space);
  EXPECT_EQ(h.main.LblInfo.caption, "Err: Hora no ajustada!");
  h.main.HoraApagado_hrs = 10;
  h.main.HoraApagado_min = 0;
  h.main.HoraApagado_sec = 5;
  Type(Key::Enter);
  Type(Key::Enter);
  keys.Press(Key::Space, false, false);
  keys.Press(Key::Space, true, false);
  keys.Release();
  EXPECT_TRUE(h.main.ApagarEquipo);
  Type(Key::Escape);
  EXPECT_TRUE(h.main.ApagarEquipo) << "Escape disarmed with no countdown running";

  Type(Key::Enter);
  Type(Key::Space);
  EXPECT_TRUE(h.main.ApagarEquipo) << "Space acted while the editor was open";
  h.time.Advance(milliseconds(5000));
  ASSERT_TRUE(h.main.CuentaAtrasActiva);
  Type(Key::Escape);
  EXPECT_FALSE(h.main.CuentaAtrasActiva);
  EXPECT_FALSE(h.main.ApagarEquipo);
  EXPECT_EQ(h.main.LblInfo.caption, "Apagado cancelado");
}

// F1 and the menu key open what the About button and the menu button open,
// the menu below that button; over an open dialog only the stop's keys act.
TEST_F(ClockKeyboardTest, AboutAndTheMenuAtTheClockButNothingOverADialog) {
  Type(Key::F1);
  EXPECT_EQ(h.shell.dialogs, std::vector<Dialog>{Dialog::About});
  Type(Key::Menu);
  ASSERT_EQ(h.shell.menus.size(), 1u);
  EXPECT_EQ(h.shell.menus[0], &h.menu.mnMenu);
  const Rect& button = h.main.ImgConfig.rect;
  EXPECT_EQ(h.shell.menusAtFace,
            (std::vector<std::pair<int, int>>{{button.left, button.top + button.height}}));

  for (Key key : {Key::Enter, Key::F1, Key::Menu}) keys.Press(key, false, true);
  EXPECT_FALSE(h.main.AjustarHoraApagado);
  EXPECT_EQ(h.shell.dialogs.size(), 1u);
  EXPECT_EQ(h.shell.menus.size(), 1u);
}

}  // namespace
}  // namespace vesperon
