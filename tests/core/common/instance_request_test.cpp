#include "common/instance_request.h"

#include <gtest/gtest.h>

#include <string>

namespace vesperon {
namespace {

// A request line may take 1 KiB with its "\n", arriving in any pieces; a
// byte more and it is refused, however it arrives.
TEST(RequestLineReader, TakesALineOfOneKibibyteInPiecesAndNoMore) {
  const std::string longest(kMaxRequestLineBytes - 1, 'x');
  RequestLineReader pieces;
  EXPECT_EQ(pieces.Add(longest.substr(0, 600)), RequestLineReader::State::Reading);
  EXPECT_EQ(pieces.Add(longest.substr(600)), RequestLineReader::State::Reading);
  EXPECT_EQ(pieces.Add("\nshow\n"), RequestLineReader::State::Complete);
  EXPECT_EQ(pieces.Line(), longest);

  RequestLineReader tooLong;
  EXPECT_EQ(tooLong.Add(longest), RequestLineReader::State::Reading);
  EXPECT_EQ(tooLong.Add("x"), RequestLineReader::State::TooLong);
  EXPECT_EQ(tooLong.Add("\n"), RequestLineReader::State::TooLong);
  EXPECT_EQ(RequestLineReader().Add(longest + "x\n"), RequestLineReader::State::TooLong);
}

// Every request has one line, and only that line is taken for it: what the
// program sends is what the clock reads, and a line in any other form
// changes nothing.
TEST(InstanceRequest, EachRequestHasOneLineAndNoOther) {
  for (const InstanceRequest& request :
       {InstanceRequest{RequestVerb::Show, {}}, InstanceRequest{RequestVerb::At, {0, 0, 0}},
        InstanceRequest{RequestVerb::At, {23, 59, 59}}, InstanceRequest{RequestVerb::Arm, {}},
        InstanceRequest{RequestVerb::Disarm, {}}, InstanceRequest{RequestVerb::Status, {}},
        InstanceRequest{RequestVerb::Quit, {}}}) {
    const ParsedRequest parsed = ParseInstanceRequest(RequestLine(request));
    ASSERT_TRUE(parsed.request) << RequestLine(request);
    EXPECT_EQ(*parsed.request, request);
  }
  EXPECT_EQ(RequestLine({RequestVerb::At, {7, 5, 0}}), "at 07:05:00");

  for (const char* malformed : {"at 23:30", "at 7:05:00", "at 24:00:00", "at 23:60:00", "at",
                                "at 23:30:00 x", "arm now", "status ", " quit", "at  23:30:00"})
    EXPECT_EQ(ParseInstanceRequest(malformed).error, RequestError::Malformed) << malformed;
  for (const char* unknown : {"ARM", "--arm", "stop", "at23:30:00"})
    EXPECT_EQ(ParseInstanceRequest(unknown).error, RequestError::Unknown) << unknown;
}

}  // namespace
}  // namespace vesperon
