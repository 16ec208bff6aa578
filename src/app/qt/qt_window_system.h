#pragma once

#include <QCursor>
#include <QPointer>
#include <QWidget>

#include "ports/window.h"

namespace vesperon {

// Screen metrics in twips (1440 per logical inch: 15 per pixel at 96 dpi)
// and the always-on-top band, for the clock window.
class QtWindowSystem : public WindowSystem {
 public:
  float TwipsPerPixelX() override;
  float TwipsPerPixelY() override;
  float ScreenWidthTwips() override;
  float ScreenHeightTwips() override;
  std::vector<ScreenArea> Screens() override;
  void SetTopmost(bool topmost) override;
  // On the next turn of the event loop, after the window has been shown.
  void BringToFront() override;
  void SetMousePointer(MousePointer pointer, const Picture& custom) override;

  // The window SetTopmost acts on; a choice made before it exists is applied
  // when it is attached.
  void Attach(QWidget* window);

 private:
  void Apply();

  QPointer<QWidget> window_;
  bool topmost_ = false;
  MousePointer pointer_ = MousePointer::Default;
  const void* customPicture_ = nullptr;
};

}  // namespace vesperon
