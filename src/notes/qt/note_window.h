#pragma once

#include <QWidget>

#include "notes/frm_mostrar_nota.h"
#include "notes/note_mouse.h"

namespace vesperon::qt_view {

// Shows FrmMostrarNota: a frameless window above all others that paints the
// model's pictures and texts and hands the mouse to the model's handlers.
class NoteWindow : public QWidget {
  Q_OBJECT

 public:
  explicit NoteWindow(FrmMostrarNota& model, QWidget* parent = nullptr);

 public slots:
  // Brings the window in line with the model: shown or hidden, place, face.
  void Sync();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void PlaceInMiddleOfScreen();

  FrmMostrarNota& model_;
  NoteMouse mouse_;
};

}  // namespace vesperon::qt_view
