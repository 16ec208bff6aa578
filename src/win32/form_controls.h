#pragma once

#include <windows.h>

#include <optional>

#include "forms/controls.h"

namespace vesperon {

// What the Win32 views share of the form models: a control's rectangle in
// pixels, and the mouse buttons that the handlers know.

inline RECT PixelRect(const Rect& r) { return {r.left, r.top, r.left + r.width, r.top + r.height}; }

// What a mouse message is to the handlers: the pointer moved, or one of
// their buttons went down, came up, or went down again quickly; none for
// any other message (the side buttons' too).
enum class MouseAction { None, Move, Press, Release, DoubleClick };
MouseAction MouseActionOf(UINT message);

// The button of a press, release or double click message of the left,
// right or middle button; none for any other message.
std::optional<MouseButton> HandlerButton(UINT message);
// The buttons of the handlers held down in a mouse message's key flags,
// their MouseButton values summed.
int HeldButtons(WPARAM keys);

}  // namespace vesperon
