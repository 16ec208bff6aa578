#include "common/instance_request.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vesperon {

namespace {

bool Printable(char c) { return c >= 0x20 && c <= 0x7E; }

constexpr std::array<std::pair<std::string_view, RequestVerb>, 6> kVerbs = {{
    {"show", RequestVerb::Show},
    {"at", RequestVerb::At},
    {"arm", RequestVerb::Arm},
    {"disarm", RequestVerb::Disarm},
    {"status", RequestVerb::Status},
    {"quit", RequestVerb::Quit},
}};

std::string_view VerbWord(RequestVerb verb) {
  for (const auto& [word, known] : kVerbs)
    if (known == verb) return word;
  return {};
}

}  // namespace

std::string RequestLine(const InstanceRequest& request) {
  std::string line(VerbWord(request.verb));
  if (request.verb == RequestVerb::At)
    line += ' ' + FormatHhMmSs(request.time.hours, request.time.minutes, request.time.seconds);
  return line;
}

ParsedRequest ParseInstanceRequest(std::string_view line) {
  // No empty words: no blank at either end, none doubled.
  if (line.empty() || !std::all_of(line.begin(), line.end(), Printable) || line.front() == ' ' ||
      line.back() == ' ' || line.find("  ") != std::string_view::npos)
    return {std::nullopt, RequestError::Malformed};

  const std::size_t blank = line.find(' ');
  const std::string_view verbWord = line.substr(0, blank);
  const std::string_view argument =
      blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
  const auto known = std::find_if(kVerbs.begin(), kVerbs.end(),
                                  [&](const auto& entry) { return entry.first == verbWord; });
  if (known == kVerbs.end()) return {std::nullopt, RequestError::Unknown};

  InstanceRequest request{known->second, {}};
  if (request.verb == RequestVerb::At) {
    const std::optional<TimeOfDay> time = ParseTimeOfDay(argument);
    if (!time) return {std::nullopt, RequestError::Malformed};
    request.time = *time;
  } else if (!argument.empty()) {
    return {std::nullopt, RequestError::Malformed};
  }
  // One form per request: a line that is not the request's own is refused.
  if (RequestLine(request) != line) return {std::nullopt, RequestError::Malformed};
  return {request, RequestError::Malformed};
}

std::string OkAnswer(std::string_view text) {
  return text.empty() ? std::string("ok") : "ok " + std::string(text);
}

std::string ErrorAnswer(RequestError error) {
  switch (error) {
    case RequestError::TooLong:
      return ErrorAnswer("request too long");
    case RequestError::TooSlow:
      return ErrorAnswer("request too slow");
    case RequestError::Unknown:
      return ErrorAnswer("unknown request");
    case RequestError::Malformed:
      break;
  }
  return ErrorAnswer("malformed request");
}

std::string ErrorAnswer(std::string_view why) { return "error " + std::string(why); }

RequestLineReader::State RequestLineReader::Add(std::string_view bytes) {
  if (state_ != State::Reading) return state_;
  const std::size_t end = bytes.find('\n');
  line_.append(bytes.substr(0, end));
  // The "\n" counts towards the limit.
  const std::size_t lineBytes = line_.size() + 1;
  if (lineBytes > kMaxRequestLineBytes) {
    line_.clear();
    state_ = State::TooLong;
  } else if (end != std::string_view::npos) {
    state_ = State::Complete;
  }
  return state_;
}

}  // namespace vesperon
