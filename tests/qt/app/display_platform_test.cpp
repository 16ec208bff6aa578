#include "app/qt/display_platform.h"

#include <gtest/gtest.h>

namespace vesperon::qt_view {
namespace {

// On Wayland the clock goes through XWayland when there is one, as a Wayland
// client when there is none; the user's own choice and X sessions are left
// as they are.
TEST(DisplayPlatformTest, WaylandSessionsUseXWaylandWhenThereIsOne) {
  EXPECT_EQ(DisplayPlatformFor({"", "wayland-0", "wayland", ":0"}), "xcb");
  EXPECT_EQ(DisplayPlatformFor({"", "wayland-0", "", ":1"}), "xcb");
  EXPECT_EQ(DisplayPlatformFor({"", "wayland-0", "wayland", ""}), "wayland");
  EXPECT_EQ(DisplayPlatformFor({"", "", "wayland", ""}), "wayland");
  EXPECT_EQ(DisplayPlatformFor({"wayland", "wayland-0", "wayland", ":0"}), std::nullopt);
  EXPECT_EQ(DisplayPlatformFor({"", "", "x11", ":0"}), std::nullopt);
}

}  // namespace
}  // namespace vesperon::qt_view
