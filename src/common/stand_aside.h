#pragma once

#include "ports/window.h"

namespace vesperon {

// Where a window at `window` goes so that it no longer covers the clock at
// `clock`: right beside it, on the side of the screen with the most room,
// kept on the screen along the other axis. A window clear of the clock
// stays where it is. All three in one unit (pixels or twips).
//
// Used while a countdown runs: a window manager keeps a program's dialogs
// above the window they belong to, so the clock comes into sight by the
// others stepping off it, never by hiding them.
ScreenArea StandAside(const ScreenArea& window, const ScreenArea& clock, const ScreenArea& screen);

}  // namespace vesperon
