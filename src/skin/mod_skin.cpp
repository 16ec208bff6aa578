#include "skin/mod_skin.h"

#include "common/text_encoding.h"
#include "skin/skin_files.h"
#include "skin/skin_format.h"

namespace vesperon {

bool ModSkin::Diagnostics() { return ports_.environment.ArgumentText() == "/debugskin"; }

std::optional<SkinPictures> ModSkin::ComprobarSkin(const std::string& name, Picture& scratch) {
  SkinFiles files(ports_.library, ports_.pictures, name);
  SkinPictures read;
  for (const SkinPictureFile& wanted : kSkinFiles) {
    std::string description;
    const LoadedPicture loaded = files.Load(wanted.name, description);
    // A picture larger than the program reads has a wrong size too, which
    // its author can mend.
    if (loaded.error != PictureLoadError::None && !loaded.tooLarge) {
      if (Diagnostics())
        ports_.shell.MsgBox("Error cargando skin!\r\n" + description, NameToUtf8(name),
                            MsgBoxIcon::Critical);
      return std::nullopt;
    }
    if (!loaded.tooLarge) {
      scratch = loaded.picture;
      read[wanted.name] = loaded.picture;
      if (wanted.width == 0) continue;  // icons are not measured
      if (loaded.picture.Width() == wanted.width && loaded.picture.Height() == wanted.height)
        continue;
    }
    // Every picture is named, digits too: a skin author needs to know.
    if (Diagnostics())
      ports_.shell.MsgBox(NameToUtf8(files.PathOf(wanted.name)) + " tiene un tamaño erróneo!",
                          NameToUtf8(name), MsgBoxIcon::Critical);
    return std::nullopt;
  }
  return read;
}

void ModSkin::CargarSkin(const SkinPictures& pictures, std::span<const PictureSlot> slots) {
  for (const PictureSlot& slot : slots) *slot.picture = pictures.at(slot.file);
}

}  // namespace vesperon
