#include "tray/frm_menu.h"

namespace vesperon {

// Notes are switched off in this edition; their menu entry only says so.
void FrmMenu::mnAñadirNota_Click(int) {
  ports_.shell.MsgBox("Las notas no estan disponibles en ésta versión :P", "Notas",
                      MsgBoxIcon::Information);
}

}  // namespace vesperon
