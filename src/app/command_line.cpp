#include "app/command_line.h"

#include <cerrno>
#include <cstring>

namespace vesperon {

namespace {

constexpr const char* kUsage =
    "Usage: vesperon [/autostart | /debugskin]\n"
    "       vesperon --help | --version\n"
    "\n"
    "Vesperon is a clock that powers the computer off at the time of day you set,\n"
    "after a short countdown you can cancel.\n"
    "\n"
    "  /autostart   start hidden in the tray, as the session's autostart entry does\n"
    "  /debugskin   say in a message box why a skin is not used\n"
    "  --help       print this help and exit\n"
    "  --version    print the version and exit\n"
    "\n"
    "Each switch counts only as the whole command line, written exactly so;\n"
    "any other command line starts the clock as usual.\n"
    "\n"
    "Environment:\n"
    "  VESPERON_DRY_RUN=1  do everything up to the power-off, then only write a\n"
    "                      line to standard error instead of powering off\n"
    "\n"
    "Files:\n"
    "  $XDG_CONFIG_HOME/Vesperon/Vesperon.ini       settings\n"
    "  $XDG_CONFIG_HOME/autostart/vesperon.desktop  start with the session\n"
    "  $XDG_RUNTIME_DIR/vesperon.lock               one copy per user\n"
    "  Skins beside the program, $XDG_DATA_HOME/vesperon/Skins and\n"
    "  ../share/vesperon/Skins from the program's folder: the skins\n"
    "\n"
    "$XDG_CONFIG_HOME is ~/.config and $XDG_DATA_HOME ~/.local/share when unset.\n"
    "More in the manual page, vesperon(1).\n";

}  // namespace

std::optional<std::string> CommandLineAnswer(const std::vector<std::string>& arguments) {
  if (arguments.size() != 1) return std::nullopt;
  if (arguments[0] == "--version") {
    return "Vesperon " + std::to_string(VESPERON_VERSION_MAJOR) + "." +
           std::to_string(VESPERON_VERSION_MINOR) + "." + std::to_string(VESPERON_VERSION_PATCH) +
           "\n";
  }
  if (arguments[0] == "--help") return kUsage;
  return std::nullopt;
}

bool WriteAnswer(const std::string& answer, std::FILE* out, std::FILE* err) {
  if (std::fwrite(answer.data(), 1, answer.size(), out) == answer.size() && std::fflush(out) == 0)
    return true;
  const int error = errno;
  std::fprintf(err, "vesperon: cannot write to standard output (%s)\n", std::strerror(error));
  return false;
}

}  // namespace vesperon
