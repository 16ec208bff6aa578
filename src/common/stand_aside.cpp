#include "common/stand_aside.h"

#include <algorithm>

namespace vesperon {

namespace {

bool Overlap(float start, float length, float otherStart, float otherLength) {
  return start < otherStart + otherLength && otherStart < start + length;
}

// `start` moved as little as needed to lie whole within the area, or to its
// start when it is longer than the area.
float KeptWithin(float start, float length, float areaStart, float areaLength) {
  return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

}  // namespace

ScreenArea StandAside(const ScreenArea& window, const ScreenArea& clock, const ScreenArea& screen) {
  if (!Overlap(window.left, window.width, clock.left, clock.width) ||
      !Overlap(window.top, window.height, clock.top, clock.height))
    return window;

  const float right = screen.left + screen.width - (clock.left + clock.width);
  const float left = clock.left - screen.left;
  const float below = screen.top + screen.height - (clock.top + clock.height);
  const float above = clock.top - screen.top;
  // The room left over beside the clock once the window stands there; the
  // least short of fitting when it fits nowhere.
  const float spare[4] = {right - window.width, left - window.width, below - window.height,
                          above - window.height};
  const int side = static_cast<int>(std::max_element(spare, spare + 4) - spare);

  ScreenArea aside = window;
  if (side < 2) {
    aside.left = side == 0 ? clock.left + clock.width : clock.left - window.width;
    aside.top = KeptWithin(window.top, window.height, screen.top, screen.height);
  } else {
    aside.top = side == 2 ? clock.top + clock.height : clock.top - window.height;
    aside.left = KeptWithin(window.left, window.width, screen.left, screen.width);
  }
  return aside;
}

}  // namespace vesperon
