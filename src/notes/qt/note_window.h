#pragma once

#include <QWidget>
#include <optional>

#include "notes/frm_mostrar_nota.h"

namespace vesperon {

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
  enum class Control { Background, ImgTitulo, Image5, Border, LblTitulo, LblTexto, LblExpirado };

  Control ControlAt(QPoint pixel) const;
  // The mouse position in twips from the top-left corner of `control`.
  QPointF TwipsIn(Control control, QPointF globalPixel) const;
  void PlaceInMiddleOfScreen();

  FrmMostrarNota& model_;
  // The control that took the first press: it gets every mouse event until
  // the last button is released, as under a mouse capture.
  std::optional<Control> captured_;
};

}  // namespace vesperon
