#pragma once

#include <QCursor>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include "ports/window.h"

namespace vesperon::qt_view {

// Screen metrics in twips (1440 per logical inch: 15 per pixel at 96 dpi),
// the always-on-top band and the drag by the compositor, for the clock
// window.
class QtWindowSystem : public QObject, public WindowSystem {
 public:
  float TwipsPerPixelX() override;
  float TwipsPerPixelY() override;
  float ScreenWidthTwips() override;
  float ScreenHeightTwips() override;
  std::vector<ScreenArea> Screens() override;
  // On X, the window manager's above state of the window as it stands; Qt's
  // stays-on-top flag is never touched, since Qt makes a new X window at the
  // next show of a window whose flag changed. Nothing on Wayland.
  void SetTopmost(bool topmost) override;
  // False on Wayland, whose compositor places the window and keeps its place
  // to itself.
  bool PlacesWindow() override;
  void StartSystemMove() override;
  // On the next turn of the event loop, after the window has been shown.
  void BringToFront() override;
  void SetMousePointer(MousePointer pointer, const Picture& custom) override;

  // The window SetTopmost acts on; a choice made before it exists is applied
  // when it is shown, and again at every later show. On Wayland, says once
  // on standard error what does not apply there.
  void Attach(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyTopmost();

  QPointer<QWidget> window_;
  bool topmost_ = false;
  MousePointer pointer_ = MousePointer::Default;
  const void* customPicture_ = nullptr;
};

}  // namespace vesperon::qt_view
