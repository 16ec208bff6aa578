#pragma once

#include <QMetaObject>
#include <QWidget>

namespace vesperon::qt_view {

// Keeps the keyboard with a dialog or box for as long as it is shown
// modally: no other window of the program takes keys meanwhile (the clock
// and the note take only clicks). On X11, Qt takes a window for active as
// soon as it asks the window manager to activate it, and may keep it so
// when the window manager gives the keyboard to the dialog instead: after
// a click on the clock during a countdown, or just after a popup menu
// closed, as when a dialog is opened from a menu over another one. Every
// key then went to a window that does not take it, and Escape or Enter did
// nothing.
class ModalFocus {
 public:
  explicit ModalFocus(QWidget* modal);
  ~ModalFocus();
  ModalFocus(const ModalFocus&) = delete;
  ModalFocus& operator=(const ModalFocus&) = delete;

 private:
  QMetaObject::Connection connection_;
};

}  // namespace vesperon::qt_view
