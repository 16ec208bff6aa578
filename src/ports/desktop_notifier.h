#pragma once

#include <functional>
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

  // The standing notice: one at a time, shown until withdrawn, urgent, with
  // the program's icon and, where the desktop offers them, one action
  // labelled `action`. A new one takes the place of the one up now. Like
  // Notify, it never waits and does nothing where there is no place for it.
  virtual void Announce(const std::string& summary, const std::string& body,
                        const std::string& action) = 0;
  // Takes the standing notice away, if one is up.
  virtual void Withdraw() = 0;
  // What runs when the user picks the standing notice's action; on the event
  // loop, never inside the desktop's call.
  virtual void SetActionHandler(std::function<void()> handler) = 0;
};

}  // namespace vesperon
