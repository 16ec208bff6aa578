#include "app/qt/application.h"

#include <QApplication>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "app/mod_main.h"
#include "app/qt/clock_window.h"
#include "app/qt/qt_clock.h"
#include "app/qt/qt_picture_loader.h"
#include "app/qt/qt_shell.h"
#include "app/qt/qt_timer_port.h"
#include "app/qt/qt_window_system.h"
#include "notes/frm_mostrar_nota.h"
#include "notes/qt/note_window.h"
#include "platform/platform.h"
#include "skin/mod_skin.h"
#include "skin/skin_library.h"
#include "tray/frm_menu.h"
#include "tray/mod_tray.h"
#include "tray/qt/qt_tray.h"

namespace vesperon {

namespace {

std::vector<std::string> Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

}  // namespace

int RunApplication(int argc, char** argv) {
  // A 2D clock needs no OpenGL; loading the GLX integration costs start-up
  // time and tens of megabytes.
  if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION")) qputenv("QT_XCB_GL_INTEGRATION", "none");
  // Shared-memory images make the X server answer every repaint with a
  // completion event, one more wake-up per repaint; a face this small is
  // cheaper sent plainly.
  if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");

  // The arguments are taken before Qt removes the ones it knows.
  std::vector<std::string> arguments = Arguments(argc, argv);
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);

  const Platform platform = MakePlatform(std::move(arguments));
  Environment& environment = *platform.environment;
  QtClock clock;
  QtTimerPort timers;
  QtPictureLoader pictures;
  QtWindowSystem windowSystem;
  QtTray trayPort;
  ModTray tray(trayPort);
  FrmMenu menu(pictures);
  FrmMostrarNota nota(pictures);
  QtShell shell;
  SkinLibrary skins(*platform.files, platform.skinsFolders);
  ModSkin skin({skins, pictures, shell, environment});
  FrmMain main({*platform.settings, clock, timers, pictures, windowSystem, *platform.power,
                *platform.speaker, *platform.registry, environment, tray, skin, menu, nota});

  ClockWindow window(main);
  shell.SetParentWindow(&window);
  windowSystem.Attach(&window);
  NoteWindow noteWindow(nota);
  timers.SetAfterTick([&] { window.Sync(); });
  QObject::connect(&window, &ClockWindow::synced, &noteWindow, &NoteWindow::Sync);
  QObject::connect(&window, &ClockWindow::unloaded, &application, &QApplication::quit,
                   Qt::QueuedConnection);

  trayPort.SetMouseMessageHandler([&](std::uint32_t message) {
    // The icon's messages arrive with the left button reported held.
    main.Form_MouseMove(true, static_cast<float>(message) * windowSystem.TwipsPerPixelX(), 0);
    window.Sync();
  });

  platform.termination->SetHandler([&] {
    main.Unload();
    window.Sync();
  });

  if (!Main(environment, menu, main)) return 0;
  window.Sync();
  return QApplication::exec();
}

}  // namespace vesperon
