#include "app/clock_accessibility.h"

#include <gtest/gtest.h>

#include <chrono>

#include "main_harness.h"

namespace vesperon {
namespace {

using std::chrono::milliseconds;

// The description follows the shutdown through every state, and the face's
// controls say what the face shows: the time, the message, each tip; the
// editor's buttons usable only in the editor.
TEST(ClockAccessibility, TheDescriptionAndTheControlsFollowWhatTheFaceShows) {
  MainHarness h{At(2026, 12, 7, 9, 59, 58, 100)};
  ASSERT_TRUE(h.Start());
  FrmMain& main = h.main;
  EXPECT_EQ(ClockDescription(main), "Hora de apagado no ajustada");
  std::vector<AccessibleControl> controls = ClockControls(main);
  EXPECT_EQ(controls[0].name, "09:59:58");
  EXPECT_EQ(controls[kMessageLineControl].name, "Bienvenido a Vesperon!");
  ASSERT_EQ(controls.size(), 12u);
  EXPECT_EQ(controls[2].name, "Indica si el apagado automático está activado");
  EXPECT_EQ(controls[2].role, AccessibleRole::Button);
  EXPECT_EQ(controls[2].rect, main.TipApagado.rect);
  EXPECT_EQ(controls[7].name, "mas");
  EXPECT_FALSE(controls[7].enabled);

  main.HoraApagado_hrs = 10;
  main.mnAjustarApagado_Click();
  main.Image1_MouseDown(MouseButton::Left);
  EXPECT_EQ(ClockDescription(main), "Hora de apagado 10:00:00, ajustando los minutos");
  controls = ClockControls(main);
  EXPECT_EQ(controls[0].name, "10:00:00") << "in the editor the digits show the shutdown time";
  EXPECT_TRUE(controls[7].enabled);

  main.ImgTipOk_MouseDown(MouseButton::Left);
  EXPECT_EQ(ClockDescription(main), "Hora de apagado 10:00:00, desactivado");
  main.TipApagado_MouseDown(MouseButton::Left);
  EXPECT_EQ(ClockDescription(main), "Hora de apagado 10:00:00, activado");
  h.time.Advance(milliseconds(2000));
  ASSERT_TRUE(main.CuentaAtrasActiva);
  h.time.Advance(milliseconds(1000));
  EXPECT_EQ(ClockDescription(main), "Se apagará en 19 segundos");
}

}  // namespace
}  // namespace vesperon
