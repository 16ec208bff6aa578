#pragma once

#include "ports/desktop_notifier.h"

namespace vesperon {

// Windows' place for notices is the balloon of a program's own tray icon,
// which belongs to the tray. Until the tray offers it, notices are not
// shown; the clock's message line still says what went wrong, and the
// diagnostic log says why.
class SilentNotifier final : public DesktopNotifier {
 public:
  void Notify(const std::string&, const std::string&) override {}
};

}  // namespace vesperon
