#include "app/qt/display_platform.h"

#include <QByteArray>
#include <QString>

namespace vesperon::qt_view {

std::optional<std::string> DisplayPlatformFor(const DisplaySession& session) {
  if (!session.qtPlatform.empty()) return std::nullopt;
  const bool wayland = !session.waylandDisplay.empty() || session.sessionType == "wayland";
  if (!wayland) return std::nullopt;
  return session.x11Display.empty() ? "wayland" : "xcb";
}

void ChooseDisplayPlatform() {
  auto read = [](const char* name) { return qEnvironmentVariable(name).toStdString(); };
  const std::optional<std::string> platform =
      DisplayPlatformFor({read("QT_QPA_PLATFORM"), read("WAYLAND_DISPLAY"),
                          read("XDG_SESSION_TYPE"), read("DISPLAY")});
  if (platform) qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*platform));
}

}  // namespace vesperon::qt_view
