#include "tray/frm_menu.h"

#include "common/settings_schema.h"

namespace vesperon {

FrmMenu::FrmMenu(MenuPorts ports) : ports_(ports) {
  caption = "menu";
  mnMenu.children = {&mnAjustarApagado, &mnSep1, &mnConfig, &mnSep4, &mnOnTop,
                     &mnAbout,          &mnSep2, &mnSalir,  &mnSep3, &mnNotasAviso};
  mnNotasAviso.children = {&mnAñadirNota[0]};
}

// Position 3 is a separator, which shows no picture: the about picture is
// attached there and seen nowhere, and the loudspeaker sits on position 2.
void FrmMenu::Form_Load() {
  loaded = true;
  ImgMenuSet.picture = ports_.pictures.BuiltIn("menu-set.bmp");
  ImgMenuNotas.picture = ports_.pictures.BuiltIn("menu-notas.bmp");
  ImgMenuAbout.picture = ports_.pictures.BuiltIn("menu-about.bmp");
  AsignarBitmapMenu(0, 0, ImgMenuSet.picture);
  AsignarBitmapMenu(0, 3, ImgMenuAbout.picture);
  AsignarBitmapMenu(0, 2, ImgMenuNotas.picture);
}

void FrmMenu::AsignarBitmapMenu(std::size_t subMenuPosition, std::size_t entryPosition,
                                const Picture& bitmap) {
  if (subMenuPosition >= menuBar.size()) return;
  const auto& popup = menuBar[subMenuPosition]->children;
  if (entryPosition >= popup.size()) return;
  popup[entryPosition]->picture = bitmap;
}

void FrmMenu::Click(const MenuEntry& entry, MainWindow& main) {
  if (&entry == &mnAjustarApagado) mnAjustarApagado_Click(main);
  if (&entry == &mnConfig) mnConfig_Click(main);
  if (&entry == &mnOnTop) mnOnTop_Click(main);
  if (&entry == &mnAbout) mnAbout_Click(main);
  if (&entry == &mnSalir) mnSalir_Click(main);
  for (std::size_t i = 0; i < mnAñadirNota.size(); ++i)
    if (&entry == &mnAñadirNota[i]) mnAñadirNota_Click(static_cast<int>(i));
}

void FrmMenu::mnAjustarApagado_Click(MainWindow& main) { main.mnAjustarApagado_Click(); }

void FrmMenu::OutOfTopmostBandWhile(MainWindow& main, const std::function<void()>& showDialog) {
  bool wasTopmost = false;
  if (!main.IsMinimized() && mnOnTop.checked) {
    wasTopmost = true;
    ports_.window.SetTopmost(false);
  }
  showDialog();
  if (!main.IsMinimized() && wasTopmost) ports_.window.SetTopmost(true);
}

void FrmMenu::mnConfig_Click(MainWindow& main) {
  OutOfTopmostBandWhile(main, [&] {
    main.SetConfigShowing(true);
    ports_.shell.ShowModal(Dialog::Config);
    main.SetConfigShowing(false);
  });
}

void FrmMenu::mnAbout_Click(MainWindow& main) {
  OutOfTopmostBandWhile(main, [&] { ports_.shell.ShowModal(Dialog::About); });
}

// The setting is written at once: the check mark is its copy in memory.
void FrmMenu::mnOnTop_Click(MainWindow& main) {
  const bool onTop = !mnOnTop.checked;
  main.WriteSetting(settings::kOnTop, onTop ? "1" : "0");
  ports_.window.SetTopmost(onTop);
  mnOnTop.checked = onTop;
  main.ShowUnsavedSettings();
}

void FrmMenu::mnSalir_Click(MainWindow& main) { main.Unload(); }

}  // namespace vesperon
