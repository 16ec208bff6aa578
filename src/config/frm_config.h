#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/main_window.h"
#include "ports/environment.h"
#include "ports/picture_loader.h"
#include "ports/registry.h"
#include "ports/settings_store.h"
#include "ports/shell.h"
#include "ports/speaker.h"

namespace vesperon {

class ModSkin;
class SkinLibrary;

// What the configuration dialog reaches outside itself. Settings are read
// here and written through the main window, which remembers a failed write.
struct ConfigPorts {
  SettingsStore& settings;
  Registry& registry;
  Environment& environment;
  SkinLibrary& skins;
  PictureLoader& pictures;
  ModSkin& skin;
  Speaker& speaker;
  Shell& shell;
};

// The settings window. Made afresh at each opening: Form_Load fills it from
// the store, BtnAceptar_Click writes it back, anything else writes nothing.
// Frame1 is placed in the client area, and so are the two buttons; every
// other control lies inside Frame1 and is placed relative to it, in pixels.
// The skin panel's handlers are the skin browser's (skin/skin_browser.cpp).
class FrmConfig : public Form {
 public:
  // `main`: the clock window, whose icon the dialog shows, through which it
  // saves, and whose skin it changes.
  FrmConfig(ConfigPorts ports, MainWindow& main);
  FrmConfig(const FrmConfig&) = delete;
  FrmConfig& operator=(const FrmConfig&) = delete;

  void Form_Load();
  // Saves and closes. The dialog stays open (loaded) when the chosen skin
  // is refused, or when something could not be saved; the user is told.
  void BtnAceptar_Click();
  void BtnCancelar_Click() { Unload(); }
  // Closing by any other way: nothing is written.
  void Unload() { loaded = false; }

  void ChkSpeaker_Click();
  void BtnProbarMelodia_Click();

  // --- skin browser (skin/skin_browser.cpp) ---
  void LstSkin_Click();
  // The description and preview of the skin of that (folder) name; the
  // empty name shows the state of a skin whose files are missing.
  void MostrarInfoSkin(const std::string& name);
  // The folder name of the selected skin, byte for byte (LstSkin shows it
  // decoded); nullopt while none is selected.
  std::optional<std::string> SelectedSkin() const;

  Frame Frame1;
  Image ImgIcono;

  Frame Frame2;
  Label Label2;
  ComboBox CmbTipoWin;
  Label Label3;
  ComboBox CmbRespuesta;
  Label Label4;

  CheckBox ChkIniciarConWindows;
  CheckBox ChkDiario;

  Frame Frame3;
  CheckBox ChkSpeaker;
  ComboBox CmbMelodia;
  Button BtnProbarMelodia;
  Label Label5;
  ComboBox CmbSonidos;

  Label Label1;
  ListBox LstSkin;
  Frame Shape1;
  Label LblImagen;
  Image ImgSkinPreview;
  Label LblSkinVersion;
  Label LblSkinName;
  Label LblSkinAutor;
  Label LblSkinEmail;
  Label LblSkinWeb;

  Button BtnAceptar;   // the default button: Enter
  Button BtnCancelar;  // the cancel button: Escape

  Image ImgTemp;  // never shown: the skin browser loads into it

 private:
  void LoadSkinPanel();

  ConfigPorts ports_;
  MainWindow& main_;
  std::vector<std::string> skinNames_;  // the folder name of each LstSkin entry
};

}  // namespace vesperon
