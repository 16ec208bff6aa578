#include "app/qt/qt_window_system.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "app/qt/qt_picture_loader.h"

namespace vesperon {

namespace {
constexpr float kTwipsPerInch = 1440.0f;
// The fingertip of the built-in hand.
constexpr int kHandHotspotX = 6;
constexpr int kHandHotspotY = 1;

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

std::vector<ScreenArea> QtWindowSystem::Screens() {
  const float tppX = TwipsPerPixelX();
  const float tppY = TwipsPerPixelY();
  std::vector<ScreenArea> areas;
  QList<QScreen*> screens = QGuiApplication::screens();
  // The primary first.
  if (QScreen* primary = Screen()) screens.move(screens.indexOf(primary), 0);
  for (const QScreen* screen : screens) {
    const QRect r = screen->availableGeometry();
    areas.push_back({static_cast<float>(r.left()) * tppX, static_cast<float>(r.top()) * tppY,
                     static_cast<float>(r.width()) * tppX, static_cast<float>(r.height()) * tppY});
  }
  return areas;
}

void QtWindowSystem::SetTopmost(bool topmost) {
  topmost_ = topmost;
  Apply();
}

void QtWindowSystem::BringToFront() {
  if (!window_) return;
  QTimer::singleShot(0, window_, [window = window_] {
    if (!window || !window->isVisible()) return;
    window->raise();
    window->activateWindow();
  });
}

void QtWindowSystem::Attach(QWidget* window) {
  window_ = window;
  Apply();
}

void QtWindowSystem::Apply() {
  if (!window_) return;
  if (window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost_) return;
  const Qt::WindowFlags flags = window_->windowFlags().setFlag(Qt::WindowStaysOnTopHint, topmost_);
  if (QWindow* native = window_->windowHandle()) {
    // Told to the window as it stands: setting a widget's flags would make
    // its native window again, a new window for the window manager.
    window_->overrideWindowFlags(flags);
    native->setFlags(flags);
    return;
  }
  window_->setWindowFlags(flags);
}

}  // namespace vesperon

namespace vesperon {

void QtWindowSystem::SetMousePointer(MousePointer pointer, const Picture& custom) {
  const bool same = pointer == pointer_ &&
                    (pointer == MousePointer::Default || custom.Payload() == customPicture_);
  if (same) return;
  if (pointer_ == MousePointer::Custom) QGuiApplication::restoreOverrideCursor();
  pointer_ = MousePointer::Default;
  customPicture_ = nullptr;
  const QImage* image = ImageOf(custom);
  if (pointer != MousePointer::Custom || image == nullptr) return;
  QGuiApplication::setOverrideCursor(
      QCursor(QPixmap::fromImage(*image), kHandHotspotX, kHandHotspotY));
  pointer_ = MousePointer::Custom;
  customPicture_ = custom.Payload();
}

}  // namespace vesperon
