// The request line of a later start on arbitrary bytes, arriving in pieces:
// the reader never keeps more than a line's worth, and a request is taken
// only from the one line that is its own, with a time of day that exists.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/instance_request.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckLine(std::string_view line) {
  const vesperon::ParsedRequest parsed = vesperon::ParseInstanceRequest(line);
  if (!parsed.request) return;
  Check(vesperon::RequestLine(*parsed.request) == line);
  const vesperon::TimeOfDay& time = parsed.request->time;
  Check(time.hours >= 0 && time.hours <= 23 && time.minutes >= 0 && time.minutes <= 59 &&
        time.seconds >= 0 && time.seconds <= 59);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the size of the pieces the rest arrives in.
  const std::size_t piece = 1 + data[0] % 64;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  vesperon::RequestLineReader reader;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    reader.Add(bytes.substr(at, piece));
    Check(reader.Line().size() < vesperon::kMaxRequestLineBytes);
  }
  const std::size_t end = bytes.find('\n');
  const bool fits = end != std::string_view::npos && end < vesperon::kMaxRequestLineBytes;
  switch (reader.Current()) {
    case vesperon::RequestLineReader::State::Complete:
      Check(fits && reader.Line() == bytes.substr(0, end));
      CheckLine(reader.Line());
      break;
    case vesperon::RequestLineReader::State::TooLong:
      Check(!fits);
      break;
    case vesperon::RequestLineReader::State::Reading:
      Check(end == std::string_view::npos && bytes.size() < vesperon::kMaxRequestLineBytes);
      break;
  }
  CheckLine(bytes);
  return 0;
}
