#pragma once

#include <string>
#include <vector>

#include "app/frm_main.h"

namespace vesperon {

// What assistive technology (a screen reader) can tell of the clock window,
// the same in every view: a description of what the clock shows of the
// shutdown, and the controls of the face with their names.

enum class AccessibleRole { Button, Text };

struct AccessibleControl {
  Rect rect;  // in the face, pixels
  std::string name;
  AccessibleRole role;
  bool enabled;
};

// One line that changes as the shutdown does: "Hora de apagado 23:30:00,
// activado" (or "desactivado"), "Hora de apagado no ajustada" while no time
// is accepted, "Hora de apagado 23:30:00, ajustando los minutos" in the
// editor, "Se apagará en 12 segundos" during a countdown.
std::string ClockDescription(const FrmMain& main);

// The face in reading order: the time the digits show ("21:05:03"), the
// message line (its text, empty when none is up), then each control with a
// tip, named by its tip. The editor's buttons are usable only while the
// editor is open.
std::vector<AccessibleControl> ClockControls(const FrmMain& main);

// Where the message line stands in ClockControls.
inline constexpr int kMessageLineControl = 1;

}  // namespace vesperon
