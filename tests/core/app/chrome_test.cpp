#include <gtest/gtest.h>

#include "app/clock_mouse.h"
#include "main_harness.h"

namespace vesperon {
namespace {

// Positions in twips, 15 to the pixel on the fake screen.
constexpr float Px(float pixels) { return pixels * 15; }

struct Chrome : ::testing::Test {
  void SetUp() override {
    h.settings.Set("Window", "xpos", std::to_string(Px(300)));
    h.settings.Set("Window", "ypos", std::to_string(Px(200)));
    ASSERT_TRUE(h.Start());
  }
  MainHarness h;
};

TEST_F(Chrome, DragKeepsTheGrabPointUnderTheMouseUntilRelease) {
  h.main.Form_MouseDown(MouseButton::Left, Px(40), Px(30));
  // The mouse moved 25 px right and 10 px up: seen from the window, it is
  // now at (65, 20).
  h.main.Form_MouseMove(true, Px(65), Px(20));
  EXPECT_FLOAT_EQ(h.main.left, Px(325));
  EXPECT_FLOAT_EQ(h.main.top, Px(190));
  // The window followed, so the mouse is back at the grab point.
  h.main.Form_MouseMove(true, Px(40), Px(30));
  EXPECT_FLOAT_EQ(h.main.left, Px(325));

  h.main.Form_MouseUp();
  h.main.Form_MouseMove(true, Px(90), Px(30));
  EXPECT_FLOAT_EQ(h.main.left, Px(325));
  // Moves without the left button never drag.
  h.main.Form_MouseDown(MouseButton::Left, Px(40), Px(30));
  h.main.Form_MouseMove(false, Px(90), Px(30));
  EXPECT_FLOAT_EQ(h.main.left, Px(325));
}

TEST_F(Chrome, SnapsToTheLeftEdgeAndEndsTheDrag) {
  h.main.Form_MouseDown(MouseButton::Left, Px(40), Px(30));
  h.main.Form_MouseMove(true, Px(40 - 291), Px(30));  // left edge at 9 px
  EXPECT_FLOAT_EQ(h.main.left, 0);
  EXPECT_FALSE(h.main.Arrastrando);
  // Still held: the window stays where it snapped.
  h.main.Form_MouseMove(true, Px(80), Px(30));
  EXPECT_FLOAT_EQ(h.main.left, 0);
}

// The window keeps the mouse while a button is held on its background, so a
// drag goes anywhere on the screen, past the places that read as the tray
// icon's mouse messages (513 and 517 pixels): it stays a drag.
TEST_F(Chrome, ADragPastTheTrayMessagesPlacesOpensNoMenu) {
  ClockMouse mouse(h.main);
  h.shell.choose = [&](const MenuEntry&) { return &h.menu.mnSalir; };
  mouse.Press(MouseButton::Left, 40, 30, Px(40), Px(30));
  mouse.Move(true, true, 40 - 291, 30, Px(40 - 291), Px(30));
  ASSERT_FLOAT_EQ(h.main.left, 0) << "snapped, the window stays while the pointer goes on";
  for (int x : {300, 513, 517, 600}) mouse.Move(true, true, x, 30, Px(x), Px(30));
  mouse.Release(MouseButton::Left);

  EXPECT_TRUE(h.shell.menus.empty());
  EXPECT_TRUE(h.main.loaded);
  EXPECT_TRUE(h.main.visible);
  EXPECT_FLOAT_EQ(h.main.left, 0);
}

// A menu or a dialog that opens while a button is down takes its release.
// The press must not steer what the mouse does afterwards: a button pressed
// elsewhere and dragged over the clock neither drags it nor shows the hand.
TEST_F(Chrome, APressWhoseReleaseNeverCameSteersNothingAfter) {
  ClockMouse mouse(h.main);
  const auto pressOn = [&](const Rect& r) {
    mouse.Press(MouseButton::Left, r.left + 2, r.top + 2, Px(r.left + 2), Px(r.top + 2));
  };
  const auto heldMoveOverTheBackground = [&] {
    mouse.Move(true, true, 5, 120, Px(5), Px(120));
    mouse.Move(true, true, 25, 110, Px(25), Px(110));
  };

  // ≡ opens the menu, which takes the release; Escape closes it. The pointer
  // comes back with no button down.
  pressOn(h.main.ImgConfig.rect);
  ASSERT_EQ(h.shell.menus.size(), 1u);
  mouse.Move(false, false, 60, 120, Px(60), Px(120));
  heldMoveOverTheBackground();
  EXPECT_EQ(h.window.pointer, MousePointer::Default);

  // A drag whose release went to another window (the view says so).
  const float left = h.main.left;
  mouse.Press(MouseButton::Left, 60, 120, Px(60), Px(120));
  mouse.MouseLost();
  heldMoveOverTheBackground();
  EXPECT_FLOAT_EQ(h.main.left, left);

  // The same drag, told only by the next move with no button down.
  mouse.Press(MouseButton::Left, 60, 120, Px(60), Px(120));
  mouse.Move(false, false, 60, 120, Px(60), Px(120));
  heldMoveOverTheBackground();
  EXPECT_FLOAT_EQ(h.main.left, left);
  EXPECT_FALSE(h.main.Arrastrando);
}

TEST_F(Chrome, NoSnapForADragThatStartedNearTheEdge) {
  h.main.left = Px(15);
  h.main.Form_MouseDown(MouseButton::Left, Px(40), Px(30));
  h.main.Form_MouseMove(true, Px(30), Px(30));  // left edge at 5 px
  EXPECT_FLOAT_EQ(h.main.left, Px(5));
  EXPECT_TRUE(h.main.Arrastrando);
}

TEST_F(Chrome, MinimizeHidesAndTheTrayBringsBack) {
  h.main.ImgMinimizar_MouseDown(MouseButton::Right);
  EXPECT_TRUE(h.main.visible);
  h.main.ImgMinimizar_MouseDown(MouseButton::Left);
  EXPECT_FALSE(h.main.visible);
  EXPECT_EQ(h.main.windowState, WindowState::Minimized);
  h.main.TrayIcon_MouseMessage(kTrayLeftButtonDown);
  EXPECT_TRUE(h.main.visible);
  EXPECT_EQ(h.main.windowState, WindowState::Normal);
}

// Without a tray, nothing could bring a hidden clock back: it minimizes to
// the taskbar instead, and goes into a tray once one is there.
TEST_F(Chrome, WithoutATrayMinimizingKeepsTheClockInTheTaskbar) {
  h.trayPort.available = false;
  h.main.ImgMinimizar_MouseDown(MouseButton::Left);
  EXPECT_TRUE(h.main.visible);
  EXPECT_EQ(h.main.windowState, WindowState::Minimized);

  h.trayPort.available = true;
  h.main.TrayHostChanged();
  EXPECT_FALSE(h.main.visible);
  h.main.TrayHostChanged();
  EXPECT_FALSE(h.main.visible);

  // The tray goes away while the clock is hidden in it.
  h.trayPort.available = false;
  h.main.TrayHostChanged();
  EXPECT_TRUE(h.main.visible);
  EXPECT_EQ(h.main.windowState, WindowState::Minimized);

  // Restored by hand, it stays on screen when a tray comes.
  h.main.Form_MouseDown(MouseButton::Left, Px(5), Px(5));
  h.trayPort.available = true;
  h.main.TrayHostChanged();
  EXPECT_TRUE(h.main.visible);
  EXPECT_EQ(h.main.windowState, WindowState::Normal);
}

// A Wayland compositor neither lets the clock place itself nor tells it
// where it stands: the compositor drags it, and what is stored stays.
TEST(ChromeStart, AWindowThatCannotBePlacedIsDraggedByTheSystemAndStoresNoPosition) {
  MainHarness h;
  h.window.placesWindow = false;
  h.settings.Set("Window", "xpos", "4500");
  ASSERT_TRUE(h.Start());
  h.main.Form_MouseDown(MouseButton::Left, Px(40), Px(30));
  EXPECT_EQ(h.window.systemMoves, 1);
  h.main.Form_MouseMove(true, Px(90), Px(30));
  EXPECT_FLOAT_EQ(h.main.left, 4500);
  h.main.Unload();
  EXPECT_EQ(h.settings.Get("Window", "xpos"), "4500");
  EXPECT_FALSE(h.settings.Has("Window", "ypos"));
}

TEST(ChromeStart, AutostartWithoutATrayStartsMinimizedInTheTaskbar) {
  MainHarness h;
  h.environment.argumentText = "/autostart";
  h.trayPort.available = false;
  ASSERT_TRUE(h.Start());
  EXPECT_TRUE(h.main.visible);
  EXPECT_EQ(h.main.windowState, WindowState::Minimized);
}

TEST_F(Chrome, AnyButtonOnTheBackgroundShowsTheWindowNormally) {
  h.main.windowState = WindowState::Minimized;
  h.main.Form_MouseDown(MouseButton::Right, Px(5), Px(5));
  EXPECT_EQ(h.main.windowState, WindowState::Normal);
  EXPECT_TRUE(h.main.visible);
  EXPECT_FALSE(h.main.Arrastrando);
}

TEST_F(Chrome, HandOverClickableControlsArrowOverTheBackground) {
  h.main.Clickable_MouseMove();
  EXPECT_EQ(h.window.pointer, MousePointer::Custom);
  EXPECT_TRUE(h.window.customPointer == h.main.ImgHand.picture);
  h.main.Form_MouseMove(false, Px(5), Px(5));
  EXPECT_EQ(h.window.pointer, MousePointer::Default);
}

TEST_F(Chrome, CloseAreaNeedsTheLeftButton) {
  h.main.ImgCerrar_MouseDown(MouseButton::Right);
  EXPECT_TRUE(h.main.loaded);
  h.main.ImgCerrar_MouseDown(MouseButton::Left);
  EXPECT_FALSE(h.main.loaded);
  EXPECT_EQ(h.settings.Get("Window", "xpos"), "4500");
}

}  // namespace
}  // namespace vesperon
