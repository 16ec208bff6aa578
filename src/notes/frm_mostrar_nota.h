#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "ports/picture_loader.h"

namespace vesperon {

// The note window of the notes feature, which this edition ships switched
// off: a borderless window that stays on top, shows a note's title, text and
// expiry line, is dragged by its title and closes with its own button. No
// note data exists, so it always shows the texts its layout holds.
// Positions of the window are in twips, 15 to the pixel; mouse positions are
// in twips from the top-left corner of the control under the mouse.
class FrmMostrarNota : public Form {
 public:
  explicit FrmMostrarNota(PictureLoader& pictures);

  // Loads the window when needed and shows it, modeless.
  void Show();
  // Closes the window and unloads it; the next Show starts from the design.
  void Unload();

  // --- events ---
  void Form_Load();
  void Form_MouseMove();
  void LblTitulo_MouseMove();
  void LblTexto_MouseMove();
  void LblExpirado_MouseMove();
  void Image5_MouseMove();
  void Image5_MouseDown(MouseButton button);  // any button
  void Image5_MouseUp(MouseButton button);    // any button
  void ImgTitulo_MouseDown(MouseButton button, float x, float y);
  // `buttons` holds the MouseButton values of the buttons held down.
  void ImgTitulo_MouseMove(int buttons, float x, float y);

  // --- controls ---
  Image ImgTitulo;
  Image Image5;  // the close button
  Image ImgNormal;
  Image ImgOver;
  Image ImgPushed;
  Image Image2;  // left border
  Image Image3;  // right border
  Image Image4;  // bottom border
  Label LblTitulo;
  Label LblTexto;
  Label LblExpirado;

  // Where the title was grabbed when the drag started.
  float grabX = 0;
  float grabY = 0;

  // Set by every load: the window has no place of its own yet, and the
  // window system puts it in the middle of the screen when it shows it.
  bool needsPlacement = false;

 private:
  void LoadDesign();

  PictureLoader& pictures_;
};

}  // namespace vesperon
