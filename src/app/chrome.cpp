#include <cmath>

#include "app/frm_main.h"
#include "tray/frm_menu.h"
#include "tray/mod_tray.h"

namespace vesperon {

namespace {
constexpr float kSnapDistancePx = 10;
constexpr int kSnapStartPx = 15;
}  // namespace

// The window has no frame: its background is the handle to drag it by.
// Where only the windowing system can move the window, the drag is its own.
void FrmMain::Form_MouseDown(MouseButton button, float x, float y) {
  if (button == MouseButton::Left && !ports_.window.PlacesWindow()) {
    ports_.window.StartSystemMove();
  } else if (button == MouseButton::Left) {
    Arrastrando = true;
    ArrastreX = x;
    ArrastreY = y;
    IzquierdaInicialPx = static_cast<std::int16_t>(std::lround(left / ports_.window.TwipsPerPixelX()));
  }
  if (button == MouseButton::Right) ShowPopupMenu();
  // "&Salir" chosen from that menu has ended the program: nothing is left to show.
  if (!loaded) return;
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
}

// The tray icon's clicks come here and only here: a real mouse move, which
// may pass any place while the window keeps the mouse for a drag, is never
// read as one. While the configuration dialog is open, the icon only brings
// it forward.
void FrmMain::TrayIcon_MouseMessage(std::uint32_t message) {
  if (message == kTrayLeftButtonDown) {
    if (FrmConfigShow) {
      ports_.shell.BringToFront(Dialog::Config);
    } else {
      if (windowState == WindowState::Minimized) windowState = WindowState::Normal;
      visible = true;
    }
  } else if (message == kTrayRightButtonUp) {
    if (FrmConfigShow)
      ports_.shell.BringToFront(Dialog::Config);
    else
      ShowPopupMenu();
  }
}

// What a left click on the tray icon does, and the clock comes above the
// other windows: started again, the program must be seen, even where a new
// tray icon hides in an overflow area. With the configuration dialog open,
// the dialog comes forward instead, as the click brings it.
void FrmMain::ComeForward() {
  TrayIcon_MouseMessage(kTrayLeftButtonDown);
  if (!FrmConfigShow) ports_.window.BringToFront();
}

void FrmMain::Form_MouseUp() { Arrastrando = false; }

void FrmMain::ImgCerrar_MouseDown(MouseButton button) {
  if (button == MouseButton::Left) Unload();
}

void FrmMain::ImgMinimizar_MouseDown(MouseButton button) {
  if (button == MouseButton::Left) MinimizeToTray();
}

void FrmMain::ImgConfig_MouseDown(MouseButton button) {
  if (button != MouseButton::Left) return;
  ports_.window.SetMousePointer(MousePointer::Default, ImgHand.picture);
  ShowPopupMenu();
}

void FrmMain::ImgAbout_MouseDown(MouseButton button) {
  if (button != MouseButton::Left) return;
  ports_.window.SetMousePointer(MousePointer::Default, ImgHand.picture);
  ports_.menu.mnAbout_Click(*this);
}

void FrmMain::Clickable_MouseMove() {
  ports_.window.SetMousePointer(MousePointer::Custom, ImgHand.picture);
}

void FrmMain::ShowPopupMenu() {
  if (const MenuEntry* chosen = ports_.shell.PopupMenu(ports_.menu.mnMenu))
    ports_.menu.Click(*chosen, *this);
}

void FrmMain::PopupMenuAtClock() {
  const Rect& button = ImgConfig.rect;
  if (const MenuEntry* chosen =
          ports_.shell.PopupMenuAt(ports_.menu.mnMenu, button.left, button.top + button.height))
    ports_.menu.Click(*chosen, *this);
}

// Hidden, the clock comes back only through its tray icon; with no tray to
// show the icon it stays in the taskbar, minimized.
void FrmMain::MinimizeToTray() {
  windowState = WindowState::Minimized;
  const bool trayThere = ports_.tray.Available();
  visible = !trayThere;
  minimizedForWantOfTray_ = !trayThere;
}

void FrmMain::TrayHostChanged() {
  if (!loaded) return;
  if (!visible) {
    // Hidden in a tray that may have gone.
    if (!ports_.tray.Available()) MinimizeToTray();
  } else if (minimizedForWantOfTray_ && windowState == WindowState::Minimized &&
             ports_.tray.Available()) {
    // Minimized before there was a tray, as when started with the session
    // ahead of its panel: it goes where minimizing was meant to put it.
    visible = false;
    minimizedForWantOfTray_ = false;
  }
}

}  // namespace vesperon
