#pragma once

#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/form.h"
#include "ports/picture_loader.h"

namespace vesperon {

struct MenuEntry {
  std::string caption;
  bool checked = false;
  bool visible = true;
  bool enabled = true;
};

// The hidden window that owns the popup menu and its three pictures.
class FrmMenu : public Form {
 public:
  explicit FrmMenu(PictureLoader& pictures);

  void Form_Load();
  void Unload() { loaded = false; }

  Image ImgMenuSet;
  Image ImgMenuNotas;
  Image ImgMenuAbout;

  MenuEntry mnMenu{"menu"};
  MenuEntry mnAjustarApagado{"Ajustar hora de Apagado"};
  MenuEntry mnConfig{"&Configuración"};
  MenuEntry mnOnTop{"Siempre por Encima"};
  MenuEntry mnAbout{"Acerca de Vesperon..."};
  MenuEntry mnSalir{"&Salir"};
  MenuEntry mnNotasAviso{"Notas de Aviso"};
  std::vector<MenuEntry> mnAñadirNota{MenuEntry{"Añadir"}};

 private:
  PictureLoader& pictures_;
};

}  // namespace vesperon
