#include <cmath>

#include "app/frm_main.h"

namespace vesperon {

namespace {
constexpr float kSnapDistancePx = 10;
constexpr int kSnapStartPx = 15;
constexpr long kWmLButtonDown = 513;
}  // namespace

// The window has no frame: its background is the handle to drag it by.
void FrmMain::Form_MouseDown(MouseButton button, float x, float y) {
  if (button == MouseButton::Left) {
    Arrastrando = true;
    ArrastreX = x;
    ArrastreY = y;
    IzquierdaInicialPx = static_cast<std::int16_t>(std::lround(left / ports_.window.TwipsPerPixelX()));
  }
  // (The right button opens the popup menu, which this edition does not build yet.)
  windowState = WindowState::Normal;
  visible = true;
}

void FrmMain::Form_MouseMove(bool leftHeld, float x, float y) {
  ports_.window.SetMousePointer(MousePointer::Default, ImgHand.picture);

  if (leftHeld && Arrastrando) {
    left = left - (ArrastreX - x);
    top = top - (ArrastreY - y);
    // Brought close to the screen's left side, the window sticks to it and
    // the drag ends, unless it started there already.
    if (left < kSnapDistancePx * ports_.window.TwipsPerPixelX() && IzquierdaInicialPx > kSnapStartPx) {
      left = 0;
      Arrastrando = false;
    }
  }

  // A left click on the tray icon brings the clock back. (The context click,
  // 517, opens the popup menu, which this edition does not build yet.)
  const long message = std::lround(x / ports_.window.TwipsPerPixelX());
  if (message == kWmLButtonDown) {
    if (windowState == WindowState::Minimized) windowState = WindowState::Normal;
    visible = true;
  }
}

void FrmMain::Form_MouseUp() { Arrastrando = false; }

void FrmMain::ImgCerrar_MouseDown(MouseButton button) {
  if (button == MouseButton::Left) Unload();
}

void FrmMain::ImgMinimizar_MouseDown(MouseButton button) {
  if (button != MouseButton::Left) return;
  windowState = WindowState::Minimized;
  visible = false;
}

void FrmMain::Clickable_MouseMove() {
  ports_.window.SetMousePointer(MousePointer::Custom, ImgHand.picture);
}

}  // namespace vesperon
