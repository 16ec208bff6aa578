#include "platform/win32/session_end.h"

#include <gtest/gtest.h>

namespace vesperon {
namespace {

TEST(SessionEnd, TheEndOfTheSessionAsksTheProgramToCloseOnlyWhenItComes) {
  SessionEnd session;
  if (session.Window() == nullptr) GTEST_SKIP() << "no desktop to make a window on";
  int requests = 0;
  session.SetHandler([&] { ++requests; });

  EXPECT_EQ(SendMessageW(session.Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  EXPECT_EQ(requests, 0) << "the question is no request";
  SendMessageW(session.Window(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
  EXPECT_EQ(requests, 0) << "another program stopped the end";
  SendMessageW(session.Window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(requests, 1);
}

}  // namespace
}  // namespace vesperon
