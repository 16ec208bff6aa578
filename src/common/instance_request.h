#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

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

inline constexpr std::size_t kMaxRequestLineBytes = 1024;
inline constexpr std::chrono::milliseconds kRequestDeadline{2000};

// The plain second start: the running clock comes forward.
inline constexpr std::string_view kShowRequest = "show";

enum class RequestVerb { Show };

struct InstanceRequest {
  RequestVerb verb = RequestVerb::Show;
};

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
