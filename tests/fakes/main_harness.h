#pragma once

#include <type_traits>

#include "app/closing_shell.h"
#include "app/frm_main.h"
#include "app/mod_main.h"
#include "canned_picture_loader.h"
#include "fake_environment.h"
#include "memory_file_system.h"
#include "memory_registry.h"
#include "memory_settings.h"
#include "notes/frm_mostrar_nota.h"
#include "recorders.h"
#include "skin/mod_skin.h"
#include "skin/skin_library.h"
#include "tray/frm_menu.h"
#include "tray/mod_tray.h"
#include "virtual_time.h"

namespace vesperon {

// FrmMain with every port faked, on virtual time. Starts at 2026-12-07
// 10:00:00.000 unless told otherwise; nothing is loaded until Start().
// Pictures come from the canned loader, or from the real one for views;
// either reads files from the in-memory file system.
template <class Pictures>
struct BasicMainHarness {
  explicit BasicMainHarness(VirtualTime::TimePoint start = At(2026, 12, 7, 10, 0, 0))
      : time(start) {
    environment.visibleFiles.insert(environment.programFilePath);
    if constexpr (std::is_same_v<Pictures, CannedPictureLoader>) pictures.files = &files;
  }

  bool Start() { return Main(environment, menu, main); }

  // The digits the six places show, read back through picture identity.
  std::string Face() const {
    return DigitsShown(
        [](const Image& place, const Picture& digit) { return place.picture == digit; });
  }

  // The digits the six places show, '?' for none: `shows(place, digit)`
  // tells whether a place shows a digit's picture.
  template <class Shows>
  std::string DigitsShown(Shows shows) const {
    std::string digits;
    for (const auto& place : main.ImgHora) {
      char shown = '?';
      for (int d = 0; d < 10; ++d)
        if (shows(place, main.ImgNumero[d].picture)) shown = static_cast<char>('0' + d);
      digits += shown;
    }
    return digits;
  }

  // The start-with-the-session entry: its text, or nullopt when there is none.
  std::optional<std::string> RunValue() const {
    auto data = registry.Data(kHkeyLocalMachine, kRunKey, "Vesperon");
    if (data && !data->empty() && data->back() == '\0') data->pop_back();
    return data;
  }
  void SetRunValue(const std::string& text) {
    registry.SetString(kHkeyLocalMachine, kRunKey, "Vesperon", text);
  }
  static constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

  Pictures MakePictures();

  VirtualTime time;
  MemorySettings settings;
  // Skins beside the program, the user's, the installed ones.
  static constexpr const char* kSkinsFolder = "/opt/vesperon/Skins";
  static constexpr const char* kUserSkinsFolder = "/home/u/.local/share/vesperon/Skins";
  static constexpr const char* kInstalledSkinsFolder = "/usr/share/vesperon/Skins";
  MemoryFileSystem files;
  Pictures pictures = MakePictures();
  FakeWindowSystem window;
  RecordingPowerApi power;
  RecordingSpeaker speaker;
  MemoryRegistry registry;
  FakeEnvironment environment;
  RecordingTray trayPort;
  ModTray tray{trayPort};
  SkinLibrary skins{files, {kSkinsFolder, kUserSkinsFolder, kInstalledSkinsFolder}};
  RecordingShell shell;
  // As the program reaches it: nothing opens once everything was closed.
  ClosingShell closingShell{shell};
  ModSkin skin{{skins, pictures, closingShell, environment}};
  FrmMenu menu{{pictures, window, closingShell}};
  FrmMostrarNota nota{pictures};
  RecordingNotifier notifier;
  RecordingDiagnostics diagnostics;
  FrmMain main{{settings, time, time, pictures, window, power, speaker, registry, environment, tray,
                skin, menu, nota, notifier, closingShell, diagnostics}};
};

template <class Pictures>
Pictures BasicMainHarness<Pictures>::MakePictures() {
  if constexpr (std::is_constructible_v<Pictures, FileSystem&>)
    return Pictures(files);
  else
    return Pictures();
}

using MainHarness = BasicMainHarness<CannedPictureLoader>;

}  // namespace vesperon
