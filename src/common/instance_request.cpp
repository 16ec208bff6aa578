#include "common/instance_request.h"

#include <algorithm>

namespace vesperon {

namespace {

bool Printable(char c) { return c >= 0x20 && c <= 0x7E; }

}  // namespace

ParsedRequest ParseInstanceRequest(std::string_view line) {
  // No empty words: no blank at either end, none doubled.
  if (line.empty() || !std::all_of(line.begin(), line.end(), Printable) || line.front() == ' ' ||
      line.back() == ' ' || line.find("  ") != std::string_view::npos)
    return {std::nullopt, RequestError::Malformed};

  const std::size_t blank = line.find(' ');
  const std::string_view verb = line.substr(0, blank);
  const bool hasArguments = blank != std::string_view::npos;
  if (verb == kShowRequest) {
    if (hasArguments) return {std::nullopt, RequestError::Malformed};
    return {InstanceRequest{RequestVerb::Show}, RequestError::Malformed};
  }
  return {std::nullopt, RequestError::Unknown};
}

std::string OkAnswer(std::string_view text) {
  return text.empty() ? std::string("ok") : "ok " + std::string(text);
}

std::string ErrorAnswer(RequestError error) {
  switch (error) {
    case RequestError::TooLong:
      return "error request too long";
    case RequestError::TooSlow:
      return "error request too slow";
    case RequestError::Unknown:
      return "error unknown request";
    case RequestError::Malformed:
      break;
  }
  return "error malformed request";
}

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
