#include "app/clock_mouse.h"

#include <utility>

namespace vesperon {

std::vector<const Image*> ClockMouse::Faces() const {
  std::vector<const Image*> faces;
  for (const auto& digit : model_.ImgHora) faces.push_back(&digit);
  faces.push_back(&model_.ImgDosPuntos);
  faces.push_back(&model_.ImgDosPuntos2);
  faces.push_back(&model_.ImgTipNotas);
  faces.push_back(&model_.ImgTipOk);
  faces.push_back(&model_.TipApagado);
  return faces;
}

std::vector<const Image*> ClockMouse::Tipped() const {
  return {&model_.TipApagado,     &model_.ImgTipOk,     &model_.ImgTipNotas, &model_.Image1,
          &model_.ImgButtonMENOS, &model_.ImgButtonMAS, &model_.ImgAbout,    &model_.ImgMinimizar,
          &model_.ImgConfig,      &model_.ImgCerrar};
}

ClockMouse::Area ClockMouse::AreaAt(int x, int y) const {
  const std::pair<const Image*, Area> areas[] = {
      {&model_.Image1, Area::Image1},          {&model_.ImgButtonMENOS, Area::Menos},
      {&model_.ImgButtonMAS, Area::Mas},       {&model_.ImgTipOk, Area::TipOk},
      {&model_.TipApagado, Area::TipApagado},  {&model_.ImgCerrar, Area::Cerrar},
      {&model_.ImgMinimizar, Area::Minimizar}, {&model_.ImgConfig, Area::Config},
      {&model_.ImgAbout, Area::About},
  };
  for (const auto& [image, area] : areas)
    if (image->visible && image->rect.Contains(x, y)) return area;

  // The pictures and the message line take the mouse too, without acting
  // on it; only what lies outside every control is the window's background.
  for (const Image* face : Faces())
    if (face->rect.Contains(x, y)) return Area::Other;
  if (model_.LblInfo.rect.Contains(x, y)) return Area::Other;
  return Area::Background;
}

void ClockMouse::Press(MouseButton button, int x, int y, float xTwips, float yTwips) {
  // Remembered before the handler runs, which may open a menu or a dialog
  // that takes the mouse, and with it the release (MouseLost).
  pressed_ = AreaAt(x, y);
  pressedButton_ = button;
  switch (pressed_) {
    case Area::Image1:
      model_.Image1_MouseDown(button);
      break;
    case Area::Menos:
      model_.ImgButtonMENOS_MouseDown(button);
      break;
    case Area::Mas:
      model_.ImgButtonMAS_MouseDown(button);
      break;
    case Area::TipOk:
      model_.ImgTipOk_MouseDown(button);
      break;
    case Area::TipApagado:
      model_.TipApagado_MouseDown(button);
      break;
    case Area::Cerrar:
      model_.ImgCerrar_MouseDown(button);
      break;
    case Area::Minimizar:
      model_.ImgMinimizar_MouseDown(button);
      break;
    case Area::Background:
      model_.Form_MouseDown(button, xTwips, yTwips);
      break;
    case Area::Config:
      model_.ImgConfig_MouseDown(button);
      break;
    case Area::About:
      model_.ImgAbout_MouseDown(button);
      break;
    case Area::Other:
    case Area::None:
      break;
  }
}

void ClockMouse::Move(bool anyHeld, bool leftHeld, int x, int y, float xTwips, float yTwips) {
  // With no button down, any press still remembered lost its release.
  if (!anyHeld) MouseLost();
  const Area area = anyHeld && pressed_ != Area::None ? pressed_ : AreaAt(x, y);
  switch (area) {
    case Area::Background:
      model_.Form_MouseMove(leftHeld, xTwips, yTwips);
      break;
    case Area::Other:
    case Area::None:
      break;
    default:
      model_.Clickable_MouseMove();
      break;
  }
}

void ClockMouse::Release(MouseButton button) {
  if (pressed_ == Area::Mas) model_.ImgButtonMAS_MouseUp(button);
  if (pressed_ == Area::Menos) model_.ImgButtonMENOS_MouseUp(button);
  if (pressed_ == Area::Background) model_.Form_MouseUp();
  pressed_ = Area::None;
}

void ClockMouse::MouseLost() {
  if (pressed_ != Area::None) Release(pressedButton_);
}

void ClockMouse::DoubleClick(MouseButton button, int x, int y, float xTwips, float yTwips) {
  for (int i = 0; i < 6; ++i) {
    if (model_.ImgHora[i].rect.Contains(x, y)) {
      model_.ImgHora_DblClick(i + 1);
      return;
    }
  }
  if (model_.ImgDosPuntos.rect.Contains(x, y)) {
    model_.ImgDosPuntos_DblClick();
    return;
  }
  if (model_.ImgDosPuntos2.rect.Contains(x, y)) {
    model_.ImgDosPuntos2_DblClick();
    return;
  }
  const Area area = AreaAt(x, y);
  if (area == Area::Mas || area == Area::Menos || area == Area::Image1) {
    Press(button, x, y, xTwips, yTwips);
  } else {
    pressed_ = area;
    pressedButton_ = button;
  }
}

}  // namespace vesperon
