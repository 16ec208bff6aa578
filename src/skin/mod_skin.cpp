#include "skin/mod_skin.h"

#include <array>
#include <map>

#include "app/frm_main.h"
#include "common/settings_keys.h"
#include "common/text_encoding.h"
#include "skin/skin_files.h"
#include "skin/skin_format.h"

namespace vesperon {

namespace {

std::string NameOf(const std::string& skin) {
  return skin.empty() ? skin : skin.substr(0, skin.size() - 1);
}

// The 22 pictures the window shows, in the order the loader reads them.
// clang-format off
constexpr std::array<const char*, 22> kLoadedFiles = {
    "skin-base.bmp",
    "0.bmp", "1.bmp", "2.bmp", "3.bmp", "4.bmp", "5.bmp", "6.bmp", "7.bmp", "8.bmp", "9.bmp",
    "dos_puntos.bmp",
    "tray1.ico", "tray2.ico",
    "tip-apagado-off.bmp", "tip-apagado-on.bmp",
    "tip-ok-on.bmp", "tip-ok-off.bmp",
    "tip-notas-on.bmp", "tip-notas-off.bmp",
    "tip-stop-on.bmp", "tip-stop-off.bmp"};
// clang-format on

}  // namespace

bool ModSkin::Diagnostics() { return ports_.environment.ArgumentText() == "/debugskin"; }

bool ModSkin::ComprobarSkin(FrmMain& window, const std::string& skin) {
  const std::string name = NameOf(skin);
  SkinFiles files(ports_.library, ports_.pictures, name);

  for (const SkinPictureFile& wanted : kSkinFiles) {
    std::string description;
    const LoadedPicture loaded = files.Load(wanted.name, description);
    // A picture larger than the program reads has a wrong size too, which
    // its author can mend.
    if (loaded.error != PictureLoadError::None && !loaded.tooLarge) {
      if (Diagnostics())
        ports_.shell.MsgBox("Error cargando skin!\r\n" + description, NameToUtf8(name),
                            MsgBoxIcon::Critical);
      return false;
    }
    if (!loaded.tooLarge) {
      window.ImgTemp.picture = loaded.picture;
      if (wanted.width == 0) continue;  // icons are not measured
      if (loaded.picture.Width() == wanted.width && loaded.picture.Height() == wanted.height)
        continue;
    }
    // Every picture is named, digits too: a skin author needs to know.
    if (Diagnostics())
      ports_.shell.MsgBox(NameToUtf8(files.PathOf(wanted.name)) + " tiene un tamaño erróneo!",
                          NameToUtf8(name), MsgBoxIcon::Critical);
    return false;
  }
  return true;
}

bool ModSkin::CargarSkin(FrmMain& window, const std::string& skin) {
  const std::string name = NameOf(skin);
  SkinFiles files(ports_.library, ports_.pictures, name);

  std::map<std::string, Picture> read;
  for (const char* file : kLoadedFiles) {
    std::string description;
    const LoadedPicture loaded = files.Load(file, description);
    if (loaded.error != PictureLoadError::None) {
      ports_.shell.MsgBox("Ha ocurrido un error al cargar el skin '" + NameToUtf8(name) +
                              "'\r\nNo se han podido cargar correctamente algunas imagenes o el "
                              "directorio no existe",
                          "Vesperon - Carga de Skin", MsgBoxIcon::Information);
      return false;
    }
    read[file] = loaded.picture;
  }

  window.Background = read["skin-base.bmp"];
  for (int d = 0; d < 10; ++d) window.ImgNumero[d].picture = read[std::to_string(d) + ".bmp"];
  for (auto& place : window.ImgHora) place.picture = window.ImgNumero[0].picture;
  window.ImgPuntos.picture = read["dos_puntos.bmp"];
  window.ImgDosPuntos.picture = window.ImgPuntos.picture;
  window.ImgDosPuntos2.picture = window.ImgPuntos.picture;
  window.ImgIconMain1.picture = read["tray1.ico"];
  window.ImgIconMain2.picture = read["tray2.ico"];
  window.ImgTipApagadoOFF.picture = read["tip-apagado-off.bmp"];
  window.ImgTipApagadoON.picture = read["tip-apagado-on.bmp"];
  window.ImgTipOkON.picture = read["tip-ok-on.bmp"];
  window.ImgTipOkOFF.picture = read["tip-ok-off.bmp"];
  window.ImgTipNotasON.picture = read["tip-notas-on.bmp"];
  window.ImgTipNotasOFF.picture = read["tip-notas-off.bmp"];
  window.ImgTipNotas.picture = window.ImgTipNotasOFF.picture;
  window.ImgTipStopON.picture = read["tip-stop-on.bmp"];
  window.ImgTipStopOFF.picture = read["tip-stop-off.bmp"];
  // The new faces tell the state as it stands: a skin chosen while armed
  // must not make the face say "off".
  window.ShowIndicatorStates();
  return true;
}

bool ModSkin::AplicarSkinElegido(FrmMain& window, const std::optional<std::string>& selected) {
  if (!selected) return true;
  const std::string skin = *selected + "\\";
  if (!ComprobarSkin(window, skin)) {
    ports_.shell.MsgBox("El skin que has elejido no es válido!\r\nSelecciona otro o pulsa Cancelar",
                        "Guardar cambios", MsgBoxIcon::Exclamation);
    return false;
  }
  window.WriteSetting(keys::kWindow, keys::kSkin, NameOf(skin));
  CargarSkin(window, skin);
  window.TimerSync_Timer();
  return true;
}

}  // namespace vesperon
