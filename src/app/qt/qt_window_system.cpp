#include "app/qt/qt_window_system.h"

#include <QGuiApplication>
#include <QScreen>

namespace vesperon {

namespace {
constexpr float kTwipsPerInch = 1440.0f;

QScreen* Screen() { return QGuiApplication::primaryScreen(); }
}  // namespace

float QtWindowSystem::TwipsPerPixelX() {
  QScreen* screen = Screen();
  return screen ? kTwipsPerInch / static_cast<float>(screen->logicalDotsPerInchX()) : 15.0f;
}

float QtWindowSystem::TwipsPerPixelY() {
  QScreen* screen = Screen();
  return screen ? kTwipsPerInch / static_cast<float>(screen->logicalDotsPerInchY()) : 15.0f;
}

float QtWindowSystem::ScreenWidthTwips() {
  QScreen* screen = Screen();
  return screen ? static_cast<float>(screen->geometry().width()) * TwipsPerPixelX() : 0.0f;
}

float QtWindowSystem::ScreenHeightTwips() {
  QScreen* screen = Screen();
  return screen ? static_cast<float>(screen->geometry().height()) * TwipsPerPixelY() : 0.0f;
}

void QtWindowSystem::SetTopmost(bool topmost) {
  topmost_ = topmost;
  Apply();
}

void QtWindowSystem::Attach(QWidget* window) {
  window_ = window;
  Apply();
}

void QtWindowSystem::Apply() {
  if (!window_) return;
  if (window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost_) return;
  const bool wasVisible = window_->isVisible();
  // Changing the flags hides the window; show it again where it was.
  window_->setWindowFlag(Qt::WindowStaysOnTopHint, topmost_);
  if (wasVisible) window_->show();
}

}  // namespace vesperon
