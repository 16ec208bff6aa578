#include "notes/frm_mostrar_nota.h"

namespace vesperon {

FrmMostrarNota::FrmMostrarNota(PictureLoader& pictures) : pictures_(pictures) {
  caption = "Vesperon - Nota de Aviso";
}

void FrmMostrarNota::Show() {
  if (!loaded) {
    LoadDesign();
    loaded = true;
    Form_Load();
  }
  visible = true;
}

void FrmMostrarNota::Unload() {
  visible = false;
  loaded = false;
}

// Every load starts from the window's own layout (its pictures, places and
// texts), whatever the last opening left behind.
void FrmMostrarNota::LoadDesign() {
  ImgTitulo = {pictures_.BuiltIn("nota-titulo.bmp"), true, {0, 0, 191, 21}, ""};
  ImgNormal = {pictures_.BuiltIn("nota-normal.bmp"), true, {6, 155, 13, 13}, ""};
  ImgOver = {pictures_.BuiltIn("nota-over.bmp"), true, {27, 155, 13, 13}, ""};
  ImgPushed = {pictures_.BuiltIn("nota-pushed.bmp"), true, {50, 155, 13, 13}, ""};
  Image5 = {ImgNormal.picture, true, {173, 5, 13, 13}, ""};
  Image2 = {pictures_.BuiltIn("nota-izquierda.bmp"), true, {0, 21, 3, 124}, ""};
  Image3 = {pictures_.BuiltIn("nota-derecha.bmp"), true, {188, 21, 3, 124}, ""};
  Image4 = {pictures_.BuiltIn("nota-inferior.bmp"), true, {3, 142, 186, 3}, ""};
  LblTitulo = {"Nombre Nota", true, {3, 25, 177, 18}};
  LblTexto = {"Texto de la nota", true, {6, 48, 172, 61}};
  LblExpirado = {"Expirado el 02/25/2004 - 12:26:00", true, {5, 118, 173, 15}};
  grabX = 0;
  grabY = 0;
  needsPlacement = true;
}

// The window keeps above all others; the view gives it that band.
void FrmMostrarNota::Form_Load() {
  width = 2865;
  height = 2175;
}

void FrmMostrarNota::Form_MouseMove() { Image5.picture = ImgNormal.picture; }
void FrmMostrarNota::LblTitulo_MouseMove() { Image5.picture = ImgNormal.picture; }
void FrmMostrarNota::LblTexto_MouseMove() { Image5.picture = ImgNormal.picture; }
void FrmMostrarNota::LblExpirado_MouseMove() { Image5.picture = ImgNormal.picture; }
void FrmMostrarNota::Image5_MouseMove() { Image5.picture = ImgOver.picture; }

void FrmMostrarNota::Image5_MouseDown(MouseButton) { Image5.picture = ImgPushed.picture; }

void FrmMostrarNota::Image5_MouseUp(MouseButton) { Unload(); }

void FrmMostrarNota::ImgTitulo_MouseDown(MouseButton button, float x, float y) {
  if (button != MouseButton::Left) return;
  grabX = x;
  grabY = y;
}

void FrmMostrarNota::ImgTitulo_MouseMove(int buttons, float x, float y) {
  if ((buttons & static_cast<int>(MouseButton::Left)) == 0) return;
  left -= grabX - x;
  top -= grabY - y;
}

}  // namespace vesperon
