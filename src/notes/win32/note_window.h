#pragma once

#include <windows.h>

#include <optional>

#include "notes/frm_mostrar_nota.h"

namespace vesperon {

// Shows FrmMostrarNota: a borderless window above all others that paints
// the model's pictures and texts and hands the mouse to the model's
// handlers.
class NoteWindow {
 public:
  explicit NoteWindow(FrmMostrarNota& model);
  ~NoteWindow();
  NoteWindow(const NoteWindow&) = delete;
  NoteWindow& operator=(const NoteWindow&) = delete;

  HWND Handle() const { return window_; }

  // Brings the window in line with the model: shown or hidden, place, face.
  void Sync();

 private:
  enum class Control { Background, ImgTitulo, Image5, Border, LblTitulo, LblTexto, LblExpirado };

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC target);
  void OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
  Control ControlAt(POINT pixel) const;
  // The mouse position in twips from the top-left corner of `control`.
  POINT TwipsIn(Control control, POINT clientPixel) const;
  void PlaceInMiddleOfScreen();

  FrmMostrarNota& model_;
  HWND window_ = nullptr;
  // The control that took the first press: it gets every mouse event until
  // the last button is released, as under a mouse capture.
  std::optional<Control> captured_;
};

}  // namespace vesperon
