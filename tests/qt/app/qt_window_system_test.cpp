#include "app/qt/qt_window_system.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace vesperon::qt_view {
namespace {

struct HideCounter : QObject {
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Hide) ++hides;
    return false;
  }
  int hides = 0;
};

// A shown window moves into and out of the top band as it stands: it is
// never hidden and shown again, and Qt's stays-on-top flag, whose change
// makes Qt replace the X window at its next show, is left alone.
TEST(QtWindowSystemTest, TopmostChangesLeaveTheWindowAndItsFlagsAlone) {
  QWidget clock(nullptr, Qt::Window | Qt::FramelessWindowHint);
  QtWindowSystem system;
  system.SetTopmost(true);  // before the window exists: applied when shown
  system.Attach(&clock);
  clock.show();
  HideCounter counter;
  clock.installEventFilter(&counter);

  system.SetTopmost(false);
  system.SetTopmost(true);
  EXPECT_FALSE(clock.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(clock.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(clock.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(clock.isVisible());
  EXPECT_EQ(counter.hides, 0);
}

}  // namespace
}  // namespace vesperon::qt_view
