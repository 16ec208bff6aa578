// The skin panel of the configuration dialog: the list of skins, and the
// description and preview of the one selected.

#include "skin/skin_browser.h"

#include "common/conversions.h"
#include "common/face_size.h"
#include "common/settings_schema.h"
#include "config/frm_config.h"
#include "config/mod_ini.h"
#include "common/text_encoding.h"
#include "skin/mod_skin.h"
#include "skin/skin_files.h"
#include "skin/skin_format.h"

namespace vesperon {

void ListarSkins(SkinLibrary& library, ListBox& list, std::vector<std::string>& names) {
  for (const SkinFolder& skin : library.ListarSkins()) {
    list.items.push_back(NameToUtf8(skin.name));
    names.push_back(skin.name);
  }
}

void FrmConfig::LoadSkinPanel() {
  LstSkin.items.clear();
  LstSkin.listIndex = -1;
  skinNames_.clear();
  ListarSkins(ports_.skins, LstSkin, skinNames_);
  if (LstSkin.items.empty()) return;

  // Letter case counts here: a stored "azul" selects no "Azul". The stored
  // name is the folder's own, byte for byte.
  const std::string stored = StoredSettings(ports_.settings).Trimmed(settings::kSkin);
  if (!stored.empty()) {
    for (std::size_t i = 0; i < skinNames_.size(); ++i) {
      if (Trim(skinNames_[i]) != stored) continue;
      LstSkin.listIndex = static_cast<int>(i);
      LstSkin_Click();
    }
  }
  // The selection has shown its skin already; showing it again would only
  // repeat any message box it gave.
  if (!LstSkin.Selected()) MostrarInfoSkin("");
}

std::optional<std::string> FrmConfig::SelectedSkin() const {
  if (!LstSkin.Selected()) return std::nullopt;
  return skinNames_.at(static_cast<std::size_t>(LstSkin.listIndex));
}

void FrmConfig::LstSkin_Click() {
  const std::string name = SelectedSkin().value_or("");
  // Only for its diagnostics under /debugskin: the skin is judged on accept.
  ports_.skin.ComprobarSkin(name, main_.SkinScratch());
  MostrarInfoSkin(name);
}

void FrmConfig::MostrarInfoSkin(const std::string& name) {
  SkinFiles files(ports_.skins, ports_.pictures, name);
  auto describe = [&](const char* section, const char* key, const std::string& label,
                      const std::string& unknown) {
    const std::string value =
        files.Found() ? LeerIni(ports_.skins.Files(), files.PathOf(kSkinIni), section, key) : "";
    return label + (Trim(value).empty() ? unknown : value);
  };
  LblSkinName.caption = describe("skin", "name", "Nombre: ", NameToUtf8(name));
  LblSkinVersion.caption = describe("skin", "version", "Versión: ", "?");
  LblSkinAutor.caption = describe("autor", "name", "Autor: ", "Desconocido");
  LblSkinEmail.caption = describe("autor", "email", "E-Mail: ", "Desconocido");
  LblSkinWeb.caption = describe("autor", "web", "Web: ", "Desconocida");

  std::string description;
  const LoadedPicture background = files.Load("skin-base.bmp", description);
  // A background larger than the program reads has a wrong size.
  if (background.error == PictureLoadError::Unreadable && !background.tooLarge) {
    // The description stays; the preview keeps what it showed.
    ports_.shell.MsgBox("Error al cargar el skin:\r\n" + description, "Configuración",
                        MsgBoxIcon::Critical);
    return;
  }
  ImgTemp.picture = background.picture;
  if (background.error == PictureLoadError::None &&
      // A background that can be previewed is the clock's own size.
      background.picture.Width() == kFaceWidthPx && background.picture.Height() == kFaceHeightPx) {
    ImgSkinPreview.picture = ImgTemp.picture;
    ImgSkinPreview.visible = true;
    LblImagen.visible = false;
    return;
  }
  LblImagen.visible = true;
  ImgSkinPreview.visible = false;
  LblSkinName.caption = background.error == PictureLoadError::Missing
                            ? "Error: Faltan archivos!"
                            : "Skin no válido o corrupto!";
  for (Label* line : {&LblSkinVersion, &LblSkinAutor, &LblSkinEmail, &LblSkinWeb})
    line->caption.clear();
}

}  // namespace vesperon
