#pragma once

#include <optional>
#include <string>

namespace vesperon::qt_view {

// What decides the display platform: the session's environment variables,
// empty when unset.
struct DisplaySession {
  std::string qtPlatform;      // QT_QPA_PLATFORM, the user's own choice
  std::string waylandDisplay;  // WAYLAND_DISPLAY
  std::string sessionType;     // XDG_SESSION_TYPE
  std::string x11Display;      // DISPLAY, set where XWayland serves X clients
};

// The platform Qt is to use, or nullopt to leave Qt's own choice. A Wayland
// compositor keeps the places of its clients' windows to itself, so on a
// Wayland session the clock runs through XWayland whenever there is one,
// where it can be placed, dragged, snapped and kept on top. The user's
// QT_QPA_PLATFORM is followed as it stands.
std::optional<std::string> DisplayPlatformFor(const DisplaySession& session);

// Reads the session and sets QT_QPA_PLATFORM from DisplayPlatformFor; to be
// called before QApplication exists.
void ChooseDisplayPlatform();

}  // namespace vesperon::qt_view
