#include "app/qt/application.h"

#include <QApplication>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "about/qt/about_dialog.h"
#include "app/program.h"
#include "app/running_clock_commands.h"
#include "app/qt/clock_window.h"
#include "app/qt/display_platform.h"
#include "qt/qt_clock.h"
#include "qt/qt_picture_loader.h"
#include "app/qt/qt_shell.h"
#include "qt/qt_timer_port.h"
#include "app/qt/qt_window_system.h"
#include "config/qt/config_dialog.h"
#include "notes/qt/note_window.h"

namespace vesperon::qt_view {

namespace {

std::vector<std::string> Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

}  // namespace

int RunApplication(int argc, char** argv) {
  // The arguments are taken before Qt removes the ones it knows.
  std::vector<std::string> arguments = Arguments(argc, argv);
  // Answered before Qt starts: no display needed, no setting read, no lock.
  if (const std::optional<std::string> answer = CommandLineAnswer(arguments))
    return WriteAnswer(*answer, stdout, stderr) ? 0 : 1;
  // And so are requests for the clock that runs, which need no display
  // either when a clock runs.
  if (const std::optional<int> status = CarryOutCommandLine(
          arguments, [&] { return MakeEnvironment(arguments); }, std::cout, std::cerr))
    return *status;

  ChooseDisplayPlatform();
  // A 2D clock needs no OpenGL; loading the GLX integration costs start-up
  // time and tens of megabytes.
  if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION")) qputenv("QT_XCB_GL_INTEGRATION", "none");
  // Shared-memory images make the X server answer every repaint with a
  // completion event, one more wake-up per repaint; a face this small is
  // cheaper sent plainly.
  if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");

  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  // Named as the desktop entry; the application name also keeps the windows'
  // WM_CLASS "vesperon", whatever the program file is called.
  QApplication::setApplicationName(QStringLiteral("vesperon"));
  QGuiApplication::setDesktopFileName(QStringLiteral("vesperon"));

  Platform platform = MakePlatform(std::move(arguments));
  QtClock clock;
  QtTimerPort timers;
  QtPictureLoader pictures(*platform.files);
  QtWindowSystem windowSystem;
  QtShell shell;
  Program program(platform, {clock, timers, pictures, windowSystem, shell});
  FrmMain& main = program.main;

  ClockWindow window(main);
  windowSystem.Attach(&window);
  shell.SetParentWindow(&window);
  shell.SetDialogFactory(
      Dialog::About, [&](QWidget* parent) { return std::make_unique<AboutDialog>(main, parent); });
  shell.SetDialogFactory(Dialog::Config, [&](QWidget* parent) {
    return std::make_unique<ConfigDialog>(program.ConfigDialogPorts(), main, parent);
  });
  NoteWindow noteWindow(program.nota);
  timers.SetAfterTick([&] { window.Sync(); });
  QObject::connect(&window, &ClockWindow::synced, &noteWindow, &NoteWindow::Sync);
  QObject::connect(&window, &ClockWindow::unloaded, &application, &QApplication::quit,
                   Qt::QueuedConnection);

  program.Connect([&] { window.Sync(); });

  if (!program.Start()) return 0;
  window.Sync();
  return QApplication::exec();
}

}  // namespace vesperon::qt_view
