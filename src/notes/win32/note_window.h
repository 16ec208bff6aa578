#pragma once

#include <windows.h>

#include "notes/frm_mostrar_nota.h"
#include "notes/note_mouse.h"

namespace vesperon::win32_view {

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

  // Every message of the window comes here.
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Paint(HDC target);
  void OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void PlaceInMiddleOfScreen();

  FrmMostrarNota& model_;
  HWND window_ = nullptr;
  NoteMouse mouse_;
};

}  // namespace vesperon::win32_view
