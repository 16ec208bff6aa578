#include "win32/form_controls.h"

namespace vesperon {

namespace {

struct ButtonMessages {
  MouseButton button;
  UINT down;
  UINT up;
  UINT doubleClick;
  WPARAM heldFlag;
};

constexpr ButtonMessages kButtons[] = {
    {MouseButton::Left, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, MK_LBUTTON},
    {MouseButton::Right, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, MK_RBUTTON},
    {MouseButton::Middle, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK, MK_MBUTTON},
};

}  // namespace

MouseAction MouseActionOf(UINT message) {
  if (message == WM_MOUSEMOVE) return MouseAction::Move;
  for (const ButtonMessages& b : kButtons) {
    if (message == b.down) return MouseAction::Press;
    if (message == b.up) return MouseAction::Release;
    if (message == b.doubleClick) return MouseAction::DoubleClick;
  }
  return MouseAction::None;
}

std::optional<MouseButton> HandlerButton(UINT message) {
  for (const ButtonMessages& b : kButtons)
    if (message == b.down || message == b.up || message == b.doubleClick) return b.button;
  return std::nullopt;
}

int HeldButtons(WPARAM keys) {
  int held = 0;
  for (const ButtonMessages& b : kButtons)
    if ((keys & b.heldFlag) != 0) held |= static_cast<int>(b.button);
  return held;
}

}  // namespace vesperon
