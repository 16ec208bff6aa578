#pragma once

#include <optional>

#include "notes/frm_mostrar_nota.h"

namespace vesperon {

// How a view of the note window hands the mouse to FrmMostrarNota's
// handlers, the same in every view: which control lies under a point, and
// the control that took the first press keeps every mouse event until the
// last button is released, as under a mouse capture. Points are pixels in
// the window; the screen point, in pixels too, gives the handlers their
// twips, measured from where the model has put the window rather than from
// where the window system has it yet, so a drag does not stutter while a
// move is still on its way.
class NoteMouse {
 public:
  enum class Control { Background, ImgTitulo, Image5, Border, LblTitulo, LblTexto, LblExpirado };

  explicit NoteMouse(FrmMostrarNota& model) : model_(model) {}

  Control ControlAt(int x, int y) const;

  void Press(MouseButton button, int x, int y, float screenX, float screenY);
  // `held` holds the MouseButton values of the buttons down.
  void Move(int held, int x, int y, float screenX, float screenY);
  // `held` as after the release.
  void Release(MouseButton button, int held, int x, int y);
  // The window went away under the mouse: no control keeps it.
  void Forget() { captured_.reset(); }

  bool Captured() const { return captured_.has_value(); }

 private:
  Control Target(int x, int y) const { return captured_ ? *captured_ : ControlAt(x, y); }
  // The screen point in twips from the top-left corner of `control`.
  void TwipsIn(Control control, float screenX, float screenY, float& x, float& y) const;

  FrmMostrarNota& model_;
  std::optional<Control> captured_;
};

}  // namespace vesperon
