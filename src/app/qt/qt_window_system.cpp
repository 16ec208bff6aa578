#include "app/qt/qt_window_system.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include "qt/qt_picture_loader.h"
#include "app/qt/x11_above_state.h"

namespace vesperon::qt_view {

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
  ApplyTopmost();
}

bool QtWindowSystem::PlacesWindow() {
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void QtWindowSystem::StartSystemMove() {
  if (window_ && window_->windowHandle()) window_->windowHandle()->startSystemMove();
}

void QtWindowSystem::BringToFront() {
  if (!window_) return;
  QTimer::singleShot(0, window_, [window = window_] {
    if (!window || !window->isVisible()) return;
    window->raise();
    // A dialog or box open over the clock keeps the keyboard: made active,
    // the clock would take the keys meant for it.
    QWidget* modal = QApplication::activeModalWidget();
    (modal != nullptr ? modal : window.data())->activateWindow();
  });
}

void QtWindowSystem::Attach(QWidget* window) {
  window_ = window;
  window_->installEventFilter(this);
  ApplyTopmost();
  if (!PlacesWindow())
    std::fprintf(stderr,
                 "vesperon: as a Wayland client the clock cannot place itself: the compositor "
                 "drags it, its position is not stored, it does not snap to the screen's left "
                 "edge, and \"Siempre por Encima\" has no effect\n");
}

// A window manager forgets the state of a window it withdraws: it is told
// again before each show, and once more after the window is mapped.
bool QtWindowSystem::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_ && event->type() == QEvent::Show) {
    ApplyTopmost();
    QMetaObject::invokeMethod(this, &QtWindowSystem::ApplyTopmost, Qt::QueuedConnection);
  }
  return false;
}

void QtWindowSystem::ApplyTopmost() {
  if (window_ && window_->windowHandle()) SetX11Above(*window_->windowHandle(), topmost_);
}

}  // namespace vesperon::qt_view

namespace vesperon::qt_view {

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

}  // namespace vesperon::qt_view
