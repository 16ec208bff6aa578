#pragma once

#include <string>
#include <string_view>

#include "app/frm_main.h"
#include "qt/qt_picture_loader.h"
#include "notes/frm_mostrar_nota.h"
#include "offline_ports.h"
#include "platform/linux/linux_file_system.h"
#include "skin/mod_skin.h"
#include "skin/skin_library.h"
#include "tray/frm_menu.h"
#include "tray/mod_tray.h"

namespace vesperon::skintool {

// A skin folder as an absolute path without a trailing slash, its parent
// and its name, all the file system's own bytes: the skin is looked up as
// the clock looks up a skin by name.
struct SkinDir {
  std::string parent;
  std::string name;
  std::string path;
};

// The folder a command-line argument names, from the working folder.
SkinDir ResolveSkinDir(const std::string& argument);

// A path or name as the terminal shows it (UTF-8, whatever its bytes).
std::string Shown(const std::string& path);

// Writes `bytes` as the whole of a new or emptied file; false on failure.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

// Everything a clock window needs, for one that is only drawn.
struct OfflineClock {
  explicit OfflineClock(const SkinDir& dir, int h = 0, int m = 0, int s = 0)
      : clock(h, m, s), library(files, {dir.parent}) {}

  LinuxFileSystem files;
  FixedClock clock;
  IdleTimers timers;
  QtPictureLoader pictures{files};
  FixedScreen screen;
  NoSettings settings;
  NoPower power;
  Silence speaker;
  NoRegistry registry;
  ToolEnvironment environment;
  NoTray trayPort;
  ModTray tray{trayPort};
  PrintingShell shell;
  SkinLibrary library;
  ModSkin skin{{library, pictures, shell, environment}};
  NoNotices notifier;
  ReportedLines diagnostics;
  FrmMenu menu{{pictures, screen, shell}};
  FrmMostrarNota nota{pictures};
  FrmMain main{{settings, clock, timers, pictures, screen, power, speaker, registry, environment,
                tray, skin, menu, nota, notifier, shell, diagnostics}};

  // The clock's own verdict: its check, then its loader.
  bool TakesSkin(const SkinDir& dir) {
    return main.CargarSkinElegido(dir.name);
  }
};

// Prints every problem of the skin in `dir`, each with what a fix looks
// like, and the clock's verdict; `shownAs` names the skin in the report.
// True when the clock takes the skin.
bool ReportSkin(const SkinDir& dir, const std::string& shownAs);

}  // namespace vesperon::skintool
