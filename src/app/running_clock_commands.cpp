#include "app/running_clock_commands.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "app/command_line.h"

namespace vesperon {

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;

bool OnlyQuit(const std::vector<InstanceRequest>& requests) {
  return std::all_of(requests.begin(), requests.end(),
                     [](const InstanceRequest& r) { return r.verb == RequestVerb::Quit; });
}

bool Printable(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

int Fail(std::ostream& err, std::string_view why) {
  err << "vesperon: " << why << std::endl;
  return kFailed;
}

}  // namespace

int CarryOutCommands(Environment& environment, const std::vector<InstanceRequest>& requests,
                     std::ostream& out, std::ostream& err) {
  if (!environment.PrevInstance()) {
    if (OnlyQuit(requests)) return kDone;
    if (!environment.StartHiddenCopy())
      return Fail(err, "the clock did not start (try \"vesperon /autostart\" to see why)");
  }
  for (const InstanceRequest& request : requests) {
    const std::optional<std::string> answer = environment.AskRunningCopy(RequestLine(request), kCommandDeadline);
    if (!answer) return Fail(err, "the running clock did not answer");
    const std::string_view line(*answer);
    if (line.substr(0, 6) == "error ") return Fail(err, line.substr(6));
    // Only text goes to the terminal, never its control sequences.
    if (!Printable(line) || (line != "ok" && line.substr(0, 3) != "ok "))
      return Fail(err, "the running clock gave an answer this program does not know");
    if (line.size() > 3) out << line.substr(3) << std::endl;
    if (!out) return Fail(err, "cannot write to standard output");
    if (request.verb == RequestVerb::Quit && !environment.WaitUntilNoCopyRuns())
      return Fail(err, "the clock did not end");
  }
  return kDone;
}

std::optional<int> CarryOutCommandLine(
    const std::vector<std::string>& arguments,
    const std::function<std::unique_ptr<Environment>()>& makeEnvironment, std::ostream& out,
    std::ostream& err) {
  const std::optional<CommandLineRequests> commands = RequestsOfCommandLine(arguments);
  if (!commands) return std::nullopt;
  if (!commands->error.empty()) {
    Fail(err, commands->error);
    return kUsageStatus;
  }
  return CarryOutCommands(*makeEnvironment(), commands->requests, out, err);
}

}  // namespace vesperon
