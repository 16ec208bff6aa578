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

}  // namespace
}  // namespace vesperon
