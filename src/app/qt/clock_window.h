#pragma once

#include <QPushButton>
#include <QWidget>
#include <array>
#include <vector>

#include "app/clock_keyboard.h"
#include "app/clock_mouse.h"
#include "app/face_painting.h"
#include "app/frm_main.h"
#include "app/qt/clock_accessible.h"

namespace vesperon::qt_view {

// The clock window: draws FrmMain and hands it the user's clicks. It keeps
// no state that matters; after every event Sync() reads the model and
// repaints only the controls that changed.
class ClockWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ClockWindow(FrmMain& model, QWidget* parent = nullptr);

  // Brings the window in line with the model; quits the program once the
  // model has been unloaded.
  void Sync();

  const FrmMain& Model() const { return model_; }

  // The message line's text colour with the built-in pictures, the same cyan
  // as the digits.
  static constexpr QColor kMessageColour{(vesperon::kMessageColour >> 16) & 0xFF,
                                         (vesperon::kMessageColour >> 8) & 0xFF,
                                         vesperon::kMessageColour & 0xFF};

  // The message line takes the colour of the skin's digits, so it reads on
  // whatever glass the skin has: the colon face's ink, the colour farthest
  // from its corner pixel (the glass).
  static QColor MessageColourOf(const Picture& colon);

 signals:
  void unloaded();
  // After every Sync(): other windows showing the same program catch up.
  void synced();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // Tab and Shift+Tab are the editor's, not a move to another control.
  bool focusNextPrevChild(bool next) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QPointF TwipsPerPixel() const;
  QPoint ModelPosition() const;
  QPointF TwipsInWindow(QPointF global) const;
  bool HeldByModal(QPoint p) const;
  // A press or the second press of a double click, handed to the mouse
  // rule with the place in pixels and in twips.
  using PressRule = void (ClockMouse::*)(MouseButton, int, int, float, float);
  void PassPress(QMouseEvent* event, PressRule rule);
  void SyncFaces();
  void SyncWindow();

  FrmMain& model_;
  ClockMouse mouse_;
  ClockKeyboard keys_;
  ClockAccessibility accessibility_;
  QPushButton command1_;
  FaceRepaint repaint_;
  const void* shownIcon_ = nullptr;
  bool syncingPosition_ = false;
  bool unloadedShown_ = false;
};

}  // namespace vesperon::qt_view
