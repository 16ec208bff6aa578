#include "notes/note_mouse.h"

namespace vesperon {

NoteMouse::Control NoteMouse::ControlAt(int x, int y) const {
  const auto over = [x, y](const Rect& r) { return r.Contains(x, y); };
  if (model_.Image5.visible && over(model_.Image5.rect)) return Control::Image5;
  if (model_.ImgTitulo.visible && over(model_.ImgTitulo.rect)) return Control::ImgTitulo;
  for (const Image* border : {&model_.Image2, &model_.Image3, &model_.Image4})
    if (border->visible && over(border->rect)) return Control::Border;
  if (model_.LblTitulo.visible && over(model_.LblTitulo.rect)) return Control::LblTitulo;
  if (model_.LblTexto.visible && over(model_.LblTexto.rect)) return Control::LblTexto;
  if (model_.LblExpirado.visible && over(model_.LblExpirado.rect)) return Control::LblExpirado;
  return Control::Background;
}

void NoteMouse::TwipsIn(Control control, float screenX, float screenY, float& x,
                        float& y) const {
  const float t = kTwipsPerPixel;
  x = screenX * t - model_.left;
  y = screenY * t - model_.top;
  if (control == Control::ImgTitulo) {
    x -= static_cast<float>(model_.ImgTitulo.rect.left) * t;
    y -= static_cast<float>(model_.ImgTitulo.rect.top) * t;
  }
}

void NoteMouse::Press(MouseButton button, int x, int y, float screenX, float screenY) {
  if (!captured_) captured_ = ControlAt(x, y);
  if (*captured_ == Control::Image5) model_.Image5_MouseDown(button);
  if (*captured_ == Control::ImgTitulo) {
    float tx = 0;
    float ty = 0;
    TwipsIn(Control::ImgTitulo, screenX, screenY, tx, ty);
    model_.ImgTitulo_MouseDown(button, tx, ty);
  }
}

void NoteMouse::Move(int held, int x, int y, float screenX, float screenY) {
  switch (Target(x, y)) {
    case Control::Background:
      model_.Form_MouseMove();
      break;
    case Control::LblTitulo:
      model_.LblTitulo_MouseMove();
      break;
    case Control::LblTexto:
      model_.LblTexto_MouseMove();
      break;
    case Control::LblExpirado:
      model_.LblExpirado_MouseMove();
      break;
    case Control::Image5:
      model_.Image5_MouseMove();
      break;
    case Control::ImgTitulo: {
      float tx = 0;
      float ty = 0;
      TwipsIn(Control::ImgTitulo, screenX, screenY, tx, ty);
      model_.ImgTitulo_MouseMove(held, tx, ty);
      break;
    }
    case Control::Border:
      break;
  }
}

void NoteMouse::Release(MouseButton button, int held, int x, int y) {
  const Control control = Target(x, y);
  if (held == 0) captured_.reset();
  if (control == Control::Image5) model_.Image5_MouseUp(button);
}

}  // namespace vesperon
