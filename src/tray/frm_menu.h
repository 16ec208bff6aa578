#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/main_window.h"
#include "ports/menu.h"
#include "ports/picture_loader.h"
#include "ports/shell.h"
#include "ports/window.h"

namespace vesperon {

// What the menu's handlers reach outside the menu. The main window, which
// every handler acts on, comes with each call: the main window owns the
// menu's popping up, so the two are made apart and meet in the handlers.
struct MenuPorts {
  PictureLoader& pictures;
  WindowSystem& window;  // the main window's place in the stacking order
  Shell& shell;
};

// The hidden window that owns the popup menu, its three pictures and the
// handlers of its entries.
class FrmMenu : public Form {
 public:
  explicit FrmMenu(MenuPorts ports);
  FrmMenu(const FrmMenu&) = delete;
  FrmMenu& operator=(const FrmMenu&) = delete;

  void Form_Load();
  void Unload() { loaded = false; }

  // Runs the handler of an entry chosen in the popup.
  void Click(const MenuEntry& entry, MainWindow& main);

  // --- handlers (the notes entry's in notes/) ---
  void mnAjustarApagado_Click(MainWindow& main);
  void mnConfig_Click(MainWindow& main);
  void mnOnTop_Click(MainWindow& main);
  void mnAbout_Click(MainWindow& main);
  void mnSalir_Click(MainWindow& main);
  void mnAñadirNota_Click(int index);

  Image ImgMenuSet;
  Image ImgMenuNotas;
  Image ImgMenuAbout;

  // The menu bar nobody sees: its one entry holds the popup.
  MenuEntry mnMenu{"menu"};
  MenuEntry mnAjustarApagado{"Ajustar hora de Apagado"};
  MenuEntry mnSep1{"-"};
  MenuEntry mnConfig{"&Configuración"};
  MenuEntry mnSep4{"-"};
  MenuEntry mnOnTop{"Siempre por Encima"};
  MenuEntry mnAbout{"Acerca de Vesperon..."};
  MenuEntry mnSep2{"-"};
  MenuEntry mnSalir{"&Salir"};
  MenuEntry mnSep3{"-"};
  MenuEntry mnNotasAviso{"Notas de Aviso"};
  // An entry array; a deque, so the sub-menu's hold on element 0 survives
  // the array growing.
  std::deque<MenuEntry> mnAñadirNota{MenuEntry{"Añadir"}};
  std::vector<MenuEntry*> menuBar{&mnMenu};

 private:
  // Gives the entry at `entryPosition` of the sub-menu at `subMenuPosition`
  // of the menu bar the picture it shows while unchecked. Positions count
  // separators; a position with no entry leaves everything as it was.
  void AsignarBitmapMenu(std::size_t subMenuPosition, std::size_t entryPosition,
                         const Picture& bitmap);
  // Runs a modal dialog with the main window out of the always-on-top band,
  // so the dialog can come above it; a minimized main window is left alone.
  void OutOfTopmostBandWhile(MainWindow& main, const std::function<void()>& showDialog);

  MenuPorts ports_;
};

}  // namespace vesperon
