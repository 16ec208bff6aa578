#include "app/win32/application.h"

#include <windows.h>
// windows.h first: the common controls need its types.
#include <commctrl.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "about/win32/about_dialog.h"
#include "app/command_line.h"
#include "app/program.h"
#include "app/running_clock_commands.h"
#include "app/win32/console_command_line.h"
#include "app/win32/clock_window.h"
#include "app/win32/win32_shell.h"
#include "app/win32/win32_window_system.h"
#include "config/win32/config_dialog.h"
#include "notes/win32/note_window.h"
#include "win32/win32_clock.h"
#include "win32/win32_picture_loader.h"
#include "win32/win32_timer_port.h"

namespace vesperon::win32_view {

int RunApplication() {
  // Answered before any window: the texts, and the requests for the clock
  // that runs.
  const std::vector<std::string> arguments = CommandLineArguments();
  if (CommandLineAnswer(arguments) || RequestsOfCommandLine(arguments)) WriteToStartingConsole();
  if (const std::optional<std::string> answer = CommandLineAnswer(arguments))
    return WriteAnswer(*answer, stdout, stderr) ? 0 : 1;
  if (const std::optional<int> status = CarryOutCommandLine(
          arguments, [&] { return MakeEnvironment(arguments); }, std::cout, std::cerr))
    return *status;

  // The system's own look for the dialogs' controls (with the manifest's
  // Common Controls 6), and the tips of the clock.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  // Windows hands the program its command line whole; the environment
  // adapter reads the argument text from it.
  Platform platform = MakePlatform({});
  Win32Clock clock;
  Win32TimerPort timers;
  Win32PictureLoader pictures;
  Win32WindowSystem windowSystem;
  Win32Shell shell;
  Program program(platform, {clock, timers, pictures, windowSystem, shell});
  FrmMain& main = program.main;

  ClockWindow window(main, windowSystem);
  if (window.Handle() == nullptr) return 1;
  windowSystem.Attach(window.Handle());
  shell.SetOwnerWindow(window.Handle());
  shell.SetDialogRunner(Dialog::About, [&](HWND owner, const std::function<void(HWND)>& opened) {
    AboutDialog(main).Run(owner, opened);
  });
  shell.SetDialogRunner(Dialog::Config, [&](HWND owner, const std::function<void(HWND)>& opened) {
    ConfigDialog(program.ConfigDialogPorts(), main).Run(owner, opened);
  });
  NoteWindow noteWindow(program.nota);
  timers.SetAfterTick([&] { window.Sync(); });
  window.SetSyncedHandler([&] { noteWindow.Sync(); });
  window.SetUnloadedHandler([] { PostQuitMessage(0); });
  window.SetModalTest([&] { return shell.ModalOpen(); });
  window.SetStayEnabledTest([&] { return shell.ClockInReach(); });
  program.Connect([&] { window.Sync(); });

  if (!program.Start()) return 0;
  window.Sync();

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace vesperon::win32_view
