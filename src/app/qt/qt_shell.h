#pragma once

#include <QPointer>
#include <QWidget>

#include "ports/shell.h"

namespace vesperon {

// Message boxes through QMessageBox: modal to the whole program and owned by
// the clock window, so a box is centred on the clock and never hides behind
// it, even when the clock stays on top.
class QtShell : public Shell {
 public:
  void SetParentWindow(QWidget* parent) { parent_ = parent; }

  void MsgBox(const std::string& text, const std::string& title, MsgBoxIcon icon) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace vesperon
