#pragma once

#include <QWidget>
#include <string>

#include "app/frm_main.h"

namespace vesperon::qt_view {

// What assistive technology sees of the clock window (through AT-SPI on
// Linux): the window, named by its title and described by what the clock
// shows of the shutdown, with the controls of the face as its children,
// each named as the tip it shows. The children are not widgets: the face
// draws them, and they are read from the model each time they are asked.
class ClockAccessibility {
 public:
  // `clock` is the widget that draws `model`.
  ClockAccessibility(QWidget& clock, const FrmMain& model);

  // Brings the description in line with the model, and tells assistive
  // technology of a new message on the message line.
  void Sync();

 private:
  QWidget& clock_;
  const FrmMain& model_;
  std::string message_;
};

}  // namespace vesperon::qt_view
