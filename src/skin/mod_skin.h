#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>

#include "ports/environment.h"
#include "ports/picture_loader.h"
#include "ports/shell.h"
#include "skin/skin_library.h"

namespace vesperon {

// What the skin operations reach outside the clock window.
struct SkinPorts {
  SkinLibrary& library;
  PictureLoader& pictures;
  Shell& shell;
  Environment& environment;
};

// One picture store of the clock window and the file that fills it, from
// the built-in pictures or from a skin: the one table of the window's
// pictures, which the built-in load and the skin loader both go through.
struct PictureSlot {
  const char* file;
  Picture* picture;
};

// The pictures of one skin, by file name, as the check read them.
using SkinPictures = std::map<std::string, Picture>;

// The skin check and the loader. Every file of a skin is read once, by the
// check; the loader puts what the check read into the window's stores.
class ModSkin {
 public:
  explicit ModSkin(SkinPorts ports) : ports_(ports) {}

  // The pictures of the skin of that (folder) name when every one of them
  // loads and every bitmap has its size; nullopt otherwise. Silent unless
  // the argument text is exactly "/debugskin"; then a missing or unreadable
  // file, or a wrong-sized picture (one larger than the program reads
  // included), is explained in a message box. Leaves the last picture it
  // loaded in `scratch` (the window's ImgTemp).
  std::optional<SkinPictures> ComprobarSkin(const std::string& name, Picture& scratch);

  // Puts the pictures of a checked skin into the stores, all of them: the
  // check read every one, so the look never ends half changed.
  static void CargarSkin(const SkinPictures& pictures, std::span<const PictureSlot> slots);

 private:
  bool Diagnostics();
  SkinPorts ports_;
};

}  // namespace vesperon
