#pragma once

#include <string>

namespace vesperon {

// Notices for the desktop's own notification area, for what the user must
// learn even when the clock is hidden or not being looked at.
class DesktopNotifier {
 public:
  virtual ~DesktopNotifier() = default;
  // Shows one notice when the desktop has a place for them; otherwise does
  // nothing. Never waits for the desktop's answer.
  virtual void Notify(const std::string& summary, const std::string& body) = 0;
};

}  // namespace vesperon
