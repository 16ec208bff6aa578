#pragma once

#include <optional>
#include <string>

#include "ports/environment.h"
#include "ports/picture_loader.h"
#include "ports/shell.h"
#include "skin/skin_library.h"

namespace vesperon {

class FrmMain;

// What the skin operations reach outside the clock window.
struct SkinPorts {
  SkinLibrary& library;
  PictureLoader& pictures;
  Shell& shell;
  Environment& environment;
};

// The skin check and the loader. Both take the skin argument: the skin's
// name followed by one backslash.
class ModSkin {
 public:
  explicit ModSkin(SkinPorts ports) : ports_(ports) {}

  // True when every picture of the skin loads and every bitmap has its
  // size. Silent unless the argument text is exactly "/debugskin"; then a
  // missing or unreadable file, or a wrong-sized picture (one larger than
  // the program reads included), is explained in a message box. Leaves the
  // last picture it loaded in the window's ImgTemp.
  bool ComprobarSkin(FrmMain& window, const std::string& skin);

  // Reads all 22 pictures the window shows and only then puts them into its
  // slots, so a failure leaves the look exactly as it was; a failure is
  // reported in a message box. After a load the arming and accept
  // indicators show the state as it stands, the notes indicator its off face.
  bool CargarSkin(FrmMain& window, const std::string& skin);

  // The configuration dialog's skin step on accept. `selected` is the skin
  // list's selected entry, nullopt when the list is empty or nothing is
  // selected (the skin then stays as it is). Returns false, after a warning,
  // when the chosen skin is not valid: the dialog must stay open. The name
  // is stored through the window, which remembers a write that failed.
  bool AplicarSkinElegido(FrmMain& window, const std::optional<std::string>& selected);

 private:
  bool Diagnostics();
  SkinPorts ports_;
};

}  // namespace vesperon
