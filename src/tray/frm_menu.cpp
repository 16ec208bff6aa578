#include "tray/frm_menu.h"

namespace vesperon {

FrmMenu::FrmMenu(PictureLoader& pictures) : pictures_(pictures) { caption = "menu"; }

void FrmMenu::Form_Load() {
  loaded = true;
  ImgMenuSet.picture = pictures_.BuiltIn("menu-set.bmp");
  ImgMenuNotas.picture = pictures_.BuiltIn("menu-notas.bmp");
  ImgMenuAbout.picture = pictures_.BuiltIn("menu-about.bmp");
}

}  // namespace vesperon
