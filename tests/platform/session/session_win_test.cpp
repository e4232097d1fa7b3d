#include "platform/session/session.h"

#include "platform/runtime/windows_system_win.h"
#include "platform/window_system/message_loop.h"

#include <gtest/gtest.h>

// The end of the logon reaches the program once, and only when it really ends; a console's
// close goes through the message queue to the same place.
TEST(SessionEnd, EndOfTheLogonCallsOnEndOnceWhenCertain) {
  int ends = 0;
  platform::WatchSessionEnd([&ends] { ++ends; });
  HWND window = ::FindWindowW(L"platform.SessionEnd", nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(::SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);  // not refused
  ::SendMessageW(window, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // another program refused it
  EXPECT_EQ(ends, 0);
  ::PostMessageW(window, WM_APP + 2, 0, 0);
  platform::ProcessPendingMessages();
  EXPECT_EQ(ends, 1);
  ::SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(ends, 1);
}
