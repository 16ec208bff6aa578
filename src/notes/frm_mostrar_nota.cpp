#include "notes/frm_mostrar_nota.h"

namespace vesperon {

FrmMostrarNota::FrmMostrarNota(PictureLoader& pictures) : pictures_(pictures) {
  caption = "Vesperon - Nota de Aviso";
}

void FrmMostrarNota::Show() {
  loaded = true;
  visible = true;
}

}  // namespace vesperon
