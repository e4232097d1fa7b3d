// The notification area's own logic: the queue that delivers a host's requests.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <vector>

#include "platform/notification_area/callback_queue_unix.h"
#include "support/qt_app_unix.h"

namespace {

void App() { testing_qt::EnsureQtApp(); }

TEST(TrayCallbackQueue, BurstIsDeliveredOnceAndLater) {
  App();
  std::vector<std::uint32_t> got;
  platform::TrayCallbackQueue q([&](std::uint32_t m) { got.push_back(m); });
  for (int i = 0; i < 40; ++i) q.Post(515);
  q.Post(517);
  EXPECT_TRUE(got.empty());  // nothing runs inside the caller
  QCoreApplication::processEvents();
  EXPECT_EQ(got, (std::vector<std::uint32_t>{515, 517}));
}

TEST(TrayCallbackQueue, NestedEventLoopDoesNotNestDeliveries) {
  App();
  std::vector<std::uint32_t> got;
  int depth = 0, maxDepth = 0;
  platform::TrayCallbackQueue* qp = nullptr;
  platform::TrayCallbackQueue q([&](std::uint32_t m) {
    got.push_back(m);
    maxDepth = std::max(maxDepth, ++depth);
    if (m == 517) {  // a modal menu: more requests arrive while it is open
      qp->Post(517);
      qp->Post(515);
      qp->Post(515);
      QCoreApplication::processEvents();
    }
    --depth;
  });
  qp = &q;
  q.Post(517);
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(maxDepth, 1);
  EXPECT_EQ(got, (std::vector<std::uint32_t>{517, 515}));
}

TEST(TrayCallbackQueue, RepeatsWithinTheQuietTimeAreOneRequest) {
  App();
  std::int64_t now = 1000;
  std::vector<std::uint32_t> got;
  platform::TrayCallbackQueue q([&](std::uint32_t m) { got.push_back(m); }, 300, [&] { return now; });
  q.Post(515);
  QCoreApplication::processEvents();
  now += 100;
  q.Post(515);  // the same gesture reported again
  q.Post(517);  // another request is not held back
  QCoreApplication::processEvents();
  now += 250;
  q.Post(515);  // a new gesture
  QCoreApplication::processEvents();
  EXPECT_EQ(got, (std::vector<std::uint32_t>{515, 517, 515}));
}

TEST(TrayCallbackQueue, DestroyedQueueDeliversNothing) {
  App();
  int calls = 0;
  {
    platform::TrayCallbackQueue q([&](std::uint32_t) { ++calls; });
    q.Post(515);
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(calls, 0);
}

}  // namespace
