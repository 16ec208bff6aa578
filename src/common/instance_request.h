#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/time_text.h"

namespace vesperon {

// What a later start of the program asks of the copy that runs, over the
// channel beside the single-copy lock. A connection carries one request
// line in and one answer line out, each ended by "\n":
//
//   request  a verb, then its arguments, separated by single blanks, in
//            printable ASCII; at most kMaxRequestLineBytes with its "\n".
//   answer   "ok", or "ok " and a text; "error " and why.
//
// A request that is too long, malformed, unknown or not complete within
// kRequestDeadline gets an error answer and changes nothing.
//
// The verbs, and what the running copy does:
//   show            comes forward (the plain second start)
//   at hh:mm:ss     accepts that shutdown time, as the editor's OK does
//   arm, disarm     arms, or disarms (a countdown too), the accepted time
//   status          nothing; says where the shutdown stands
//   quit            ends, as "Salir" does
// Each request has exactly one form: "at 23:30:00", never "at 23:30".

inline constexpr std::size_t kMaxRequestLineBytes = 1024;
inline constexpr std::chrono::milliseconds kRequestDeadline{2000};

enum class RequestVerb { Show, At, Arm, Disarm, Status, Quit };

struct InstanceRequest {
  RequestVerb verb = RequestVerb::Show;
  TimeOfDay time;  // for At
  friend bool operator==(const InstanceRequest&, const InstanceRequest&) = default;
};

// The request's line, without its "\n".
std::string RequestLine(const InstanceRequest& request);

enum class RequestError { TooLong, TooSlow, Malformed, Unknown };

// The request a line (without its "\n") holds, or why it holds none.
struct ParsedRequest {
  std::optional<InstanceRequest> request;
  RequestError error = RequestError::Malformed;
};
ParsedRequest ParseInstanceRequest(std::string_view line);

// The answer lines, without their "\n".
std::string OkAnswer(std::string_view text = {});
std::string ErrorAnswer(RequestError error);
std::string ErrorAnswer(std::string_view why);

// Gathers one request line from the bytes as they arrive. Bytes after the
// "\n" are not looked at.
class RequestLineReader {
 public:
  enum class State { Reading, Complete, TooLong };

  State Add(std::string_view bytes);
  State Current() const { return state_; }
  // The line without its "\n", once Complete.
  const std::string& Line() const { return line_; }

 private:
  std::string line_;
  State state_ = State::Reading;
};

}  // namespace vesperon
