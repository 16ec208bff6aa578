#include "app/qt/qt_window_system.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace vesperon {
namespace {

struct HideCounter : QObject {
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Hide) ++hides;
    return false;
  }
  int hides = 0;
};

// A shown window moves into and out of the top band as it stands: it is
// never hidden and shown again, which the window manager would take for a
// new window.
TEST(QtWindowSystemTest, TopmostChangesLeaveTheWindowOnScreen) {
  QWidget clock(nullptr, Qt::Window | Qt::FramelessWindowHint);
  QtWindowSystem system;
  system.SetTopmost(true);  // before the window exists: applied when attached
  system.Attach(&clock);
  EXPECT_TRUE(clock.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  clock.show();
  HideCounter counter;
  clock.installEventFilter(&counter);

  system.SetTopmost(false);
  EXPECT_FALSE(clock.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(clock.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
  system.SetTopmost(true);
  EXPECT_TRUE(clock.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(clock.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(clock.isVisible());
  EXPECT_EQ(counter.hides, 0);
}

}  // namespace
}  // namespace vesperon
