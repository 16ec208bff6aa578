#include "qt/form_controls.h"

#include <utility>

namespace vesperon {

namespace {

constexpr std::pair<Qt::MouseButton, MouseButton> kButtons[] = {
    {Qt::LeftButton, MouseButton::Left},
    {Qt::RightButton, MouseButton::Right},
    {Qt::MiddleButton, MouseButton::Middle},
};

}  // namespace

std::optional<MouseButton> HandlerButton(Qt::MouseButton button) {
  for (const auto& [qtButton, handlerButton] : kButtons)
    if (qtButton == button) return handlerButton;
  return std::nullopt;
}

int HeldButtons(Qt::MouseButtons buttons) {
  int held = 0;
  for (const auto& [qtButton, handlerButton] : kButtons)
    if (buttons.testFlag(qtButton)) held |= static_cast<int>(handlerButton);
  return held;
}

}  // namespace vesperon
