#pragma once

#include <QRect>
#include <Qt>
#include <optional>

#include "forms/controls.h"

namespace vesperon {

// What the Qt views share of the form models: a control's rectangle in
// pixels, and the mouse buttons that the handlers know.

inline QRect PixelRect(const Rect& r) { return {r.left, r.top, r.width, r.height}; }

// Only left, right and middle; the others (back, forward, ...) are none.
std::optional<MouseButton> HandlerButton(Qt::MouseButton button);
// The buttons of the handlers held down, their MouseButton values summed.
int HeldButtons(Qt::MouseButtons buttons);

}  // namespace vesperon
