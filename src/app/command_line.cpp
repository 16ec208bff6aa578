#include "app/command_line.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace vesperon {

namespace {

constexpr const char* kUsage =
    "Usage: vesperon [/autostart | /debugskin]\n"
    "       vesperon --at HH:MM[:SS] | --arm | --disarm | --status | --quit ...\n"
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
    "any other command line without options starts the clock as usual.\n"
    "\n"
    "These options drive the clock that runs, one after another in the order\n"
    "given; with no clock running, one starts hidden in the tray first (not\n"
    "for --quit alone):\n"
    "  --at HH:MM[:SS]  set the shutdown time and accept it, for today or for\n"
    "                   tomorrow if it has passed today, as the clock's OK does\n"
    "  --arm            arm the accepted time\n"
    "  --disarm         disarm it, or cancel the countdown\n"
    "  --status         say where the shutdown stands, in one line:\n"
    "                   armed 2026-12-08 23:30:00, accepted, not armed ...,\n"
    "                   either with \" daily\" after it when it repeats,\n"
    "                   countdown 12 or idle\n"
    "  --quit           close the clock and wait until it has gone\n"
    "Each option but --quit prints the state it leaves. Exit status: 0 done,\n"
    "1 refused (\"no accepted time\") or no clock to ask, 2 a wrong command line.\n"
    "Example: vesperon --at 23:30 --arm && vesperon --status\n"
    "\n"
    "Environment:\n"
    "  VESPERON_DRY_RUN=1  do everything up to the power-off, then only write a\n"
    "                      line to standard error instead of powering off\n"
    "\n"
    "Files:\n"
    "  $XDG_CONFIG_HOME/Vesperon/Vesperon.ini       settings\n"
    "  $XDG_CONFIG_HOME/autostart/vesperon.desktop  start with the session\n"
    "  $XDG_RUNTIME_DIR/vesperon.lock               one copy per user\n"
    "  $XDG_RUNTIME_DIR/vesperon.socket             where that copy listens\n"
    "  Skins beside the program, $XDG_DATA_HOME/vesperon/Skins and\n"
    "  ../share/vesperon/Skins from the program's folder: the skins\n"
    "\n"
    "$XDG_CONFIG_HOME is ~/.config and $XDG_DATA_HOME ~/.local/share when unset.\n"
    "More in the manual page, vesperon(1).\n";

bool IsOption(std::string_view argument) { return argument.substr(0, 2) == "--"; }

std::optional<RequestVerb> VerbOfOption(std::string_view option) {
  if (option == "--at") return RequestVerb::At;
  if (option == "--arm") return RequestVerb::Arm;
  if (option == "--disarm") return RequestVerb::Disarm;
  if (option == "--status") return RequestVerb::Status;
  if (option == "--quit") return RequestVerb::Quit;
  return std::nullopt;
}

CommandLineRequests Wrong(std::string why) { return {{}, std::move(why)}; }

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

std::optional<CommandLineRequests> RequestsOfCommandLine(
    const std::vector<std::string>& arguments) {
  bool options = false;
  for (const std::string& argument : arguments) options = options || IsOption(argument);
  if (!options || CommandLineAnswer(arguments)) return std::nullopt;

  CommandLineRequests result;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const std::optional<RequestVerb> verb = VerbOfOption(argument);
    if (!verb && IsOption(argument))
      return Wrong("unknown option '" + argument + "' (see vesperon --help)");
    if (!verb) return Wrong("unexpected argument '" + argument + "' among options");
    InstanceRequest request{*verb, {}};
    if (*verb == RequestVerb::At) {
      if (i + 1 == arguments.size()) return Wrong("--at needs a time, HH:MM or HH:MM:SS");
      const std::string& text = arguments[++i];
      const std::optional<TimeOfDay> time = ParseTimeOfDay(text);
      if (!time)
        return Wrong("'" + text + "' is no time of day: HH:MM or HH:MM:SS, from 00:00 to 23:59:59");
      request.time = *time;
    }
    result.requests.push_back(request);
  }
  return result;
}

bool WriteAnswer(const std::string& answer, std::FILE* out, std::FILE* err) {
  if (std::fwrite(answer.data(), 1, answer.size(), out) == answer.size() && std::fflush(out) == 0)
    return true;
  const int error = errno;
  std::fprintf(err, "vesperon: cannot write to standard output (%s)\n", std::strerror(error));
  return false;
}

}  // namespace vesperon
