// The clock window's skin steps: the stored skin at start-up, and the one
// chosen in the configuration dialog.

#include "app/frm_main.h"
#include "common/settings_schema.h"

namespace vesperon {

bool FrmMain::CargarSkinElegido(const std::string& name) {
  const auto pictures = ports_.skin.ComprobarSkin(name, ImgTemp.picture);
  if (!pictures) return false;
  ShowSkin(*pictures);
  return true;
}

void FrmMain::ShowSkin(const SkinPictures& pictures) {
  ModSkin::CargarSkin(pictures, PictureSlots());
  ShowLoadedFaces();
}

bool FrmMain::AplicarSkinElegido(ModSkin& skin, const std::optional<std::string>& selected) {
  if (!selected) return true;
  const auto pictures = skin.ComprobarSkin(*selected, ImgTemp.picture);
  if (!pictures) {
    ports_.shell.MsgBox("El skin que has elejido no es válido!\r\nSelecciona otro o pulsa Cancelar",
                        "Guardar cambios", MsgBoxIcon::Exclamation);
    return false;
  }
  WriteSetting(settings::kSkin, *selected);
  ShowSkin(*pictures);
  TimerSync_Timer();
  return true;
}

}  // namespace vesperon
