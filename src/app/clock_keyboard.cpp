#include "app/clock_keyboard.h"

namespace vesperon {

void ClockKeyboard::Press(Key key, bool repeated, bool overModal) {
  const bool stepUp = key == Key::Up || key == Key::Plus;
  const bool stepDown = key == Key::Down || key == Key::Minus;
  // Held, Space would arm and disarm by turns, Enter open and accept.
  if (repeated && !stepUp && !stepDown) return;
  if (overModal && key != Key::Space && key != Key::Escape) return;

  switch (key) {
    case Key::Enter:
      if (model_.AjustarHoraApagado)
        model_.ImgTipOk_MouseDown(MouseButton::Left);
      else
        model_.mnAjustarApagado_Click();
      break;
    case Key::Tab:
      model_.Image1_MouseDown(MouseButton::Left);
      break;
    case Key::BackTab:
      model_.PreviousField();
      break;
    case Key::Up:
    case Key::Plus:
    case Key::Down:
    case Key::Minus:
      stepping_ = true;
      model_.StepKey_Down(stepUp);
      break;
    case Key::Space:
      model_.TipApagado_MouseDown(MouseButton::Left);
      break;
    case Key::Escape:
      if (model_.CuentaAtrasActiva) model_.TipApagado_MouseDown(MouseButton::Left);
      break;
    case Key::F1:
      model_.ImgAbout_MouseDown(MouseButton::Left);
      break;
    case Key::Menu:
      model_.PopupMenuAtClock();
      break;
  }
}

void ClockKeyboard::Release() {
  if (!stepping_) return;
  stepping_ = false;
  model_.StepKey_Up();
}

}  // namespace vesperon
