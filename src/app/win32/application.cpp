#include "app/win32/application.h"

#include <windows.h>
// windows.h first: the common controls need its types.
#include <commctrl.h>

#include <memory>

#include "about/win32/about_dialog.h"
#include "app/frm_main.h"
#include "app/mod_main.h"
#include "app/win32/clock_window.h"
#include "app/win32/win32_shell.h"
#include "app/win32/win32_window_system.h"
#include "config/win32/config_dialog.h"
#include "notes/frm_mostrar_nota.h"
#include "notes/win32/note_window.h"
#include "platform/platform.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_picture_loader.h"
#include "platform/win32/win32_timer_port.h"
#include "skin/mod_skin.h"
#include "skin/skin_library.h"
#include "tray/frm_menu.h"
#include "tray/mod_tray.h"

namespace vesperon {

int RunApplication() {
  // The system's own look for the dialogs' controls (with the manifest's
  // Common Controls 6), and the tips of the clock.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  // Windows hands the program its command line whole; the environment
  // adapter reads the argument text from it.
  const Platform platform = MakePlatform({});
  Environment& environment = *platform.environment;
  Win32Clock clock;
  Win32TimerPort timers;
  Win32PictureLoader pictures;
  Win32WindowSystem windowSystem;
  SystemTray& trayPort = *platform.tray;
  ModTray tray(trayPort);
  Win32Shell shell;
  FrmMenu menu({pictures, windowSystem, shell});
  FrmMostrarNota nota(pictures);
  SkinLibrary skins(*platform.files, platform.skinsFolders);
  ModSkin skin({skins, pictures, shell, environment});
  FrmMain main({*platform.settings, clock, timers, pictures, windowSystem, *platform.power,
                *platform.speaker, *platform.registry, environment, tray, skin, menu, nota,
                *platform.notifier, shell});

  ClockWindow window(main, windowSystem);
  if (window.Handle() == nullptr) return 1;
  windowSystem.Attach(window.Handle());
  shell.SetOwnerWindow(window.Handle());
  shell.SetDialogRunner(Dialog::About, [&](HWND owner, const std::function<void(HWND)>& opened) {
    AboutDialog(main).Run(owner, opened);
  });
  shell.SetDialogRunner(Dialog::Config, [&](HWND owner, const std::function<void(HWND)>& opened) {
    ConfigDialog({*platform.settings, *platform.registry, environment, skins, pictures, skin,
                  *platform.speaker, shell},
                 main)
        .Run(owner, opened);
  });
  NoteWindow noteWindow(nota);
  timers.SetAfterTick([&] { window.Sync(); });
  window.SetSyncedHandler([&] { noteWindow.Sync(); });
  window.SetUnloadedHandler([] { PostQuitMessage(0); });

  trayPort.SetTrayChangeHandler([&] {
    main.TrayHostChanged();
    window.Sync();
  });
  platform.powerOffFailures->SetHandler([&](const std::string& reason) {
    main.PowerOff_Failed(reason);
    window.Sync();
  });
  platform.termination->SetHandler([&] {
    main.Unload();
    window.Sync();
  });

  if (!Main(environment, menu, main)) return 0;
  window.Sync();

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace vesperon
