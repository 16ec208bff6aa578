#pragma once

#include <QMetaObject>
#include <QWidget>

namespace vesperon {

// Keeps the keyboard with a dialog or box for as long as it is shown
// modally. On X11, Qt can hand its focus back to a window the dialog holds
// (the clock, or a dialog beneath) just after a popup menu closed, as when
// a dialog is opened from a menu while another one is open: the window
// manager has given the new dialog the keyboard, yet every key goes to a
// window that does not take it, and Escape or Enter do nothing.
class ModalFocus {
 public:
  explicit ModalFocus(QWidget* modal);
  ~ModalFocus();
  ModalFocus(const ModalFocus&) = delete;
  ModalFocus& operator=(const ModalFocus&) = delete;

 private:
  QMetaObject::Connection connection_;
};

}  // namespace vesperon
