// The notification area's own logic: the queue that delivers a host's requests.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <vector>

#include "platform/notification_area/callback_queue_unix.h"
#include "support/qt_app_unix.h"

namespace {

// Two requests, as the area numbers them for the queue.
constexpr std::uint32_t kOpen = 0;
constexpr std::uint32_t kMenu = 1;

void App() { testing_qt::EnsureQtApp(); }

TEST(TrayCallbackQueue, BurstIsDeliveredOnceAndLater) {
  App();
  std::vector<std::uint32_t> got;
  platform::TrayCallbackQueue q([&](std::uint32_t m) { got.push_back(m); });
  for (int i = 0; i < 40; ++i) q.Post(kOpen);
  q.Post(kMenu);
  EXPECT_TRUE(got.empty());  // nothing runs inside the caller
  QCoreApplication::processEvents();
  EXPECT_EQ(got, (std::vector<std::uint32_t>{kOpen, kMenu}));
}

TEST(TrayCallbackQueue, NestedEventLoopDoesNotNestDeliveries) {
  App();
  std::vector<std::uint32_t> got;
  int depth = 0, maxDepth = 0;
  platform::TrayCallbackQueue* qp = nullptr;
  platform::TrayCallbackQueue q([&](std::uint32_t m) {
    got.push_back(m);
    maxDepth = std::max(maxDepth, ++depth);
    if (m == kMenu) {  // a modal menu: more requests arrive while it is open
      qp->Post(kMenu);
      qp->Post(kOpen);
      qp->Post(kOpen);
      QCoreApplication::processEvents();
    }
    --depth;
  });
  qp = &q;
  q.Post(kMenu);
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(maxDepth, 1);
  EXPECT_EQ(got, (std::vector<std::uint32_t>{kMenu, kOpen}));
}

TEST(TrayCallbackQueue, RepeatsWithinTheQuietTimeAreOneRequest) {
  App();
  std::int64_t now = 1000;
  std::vector<std::uint32_t> got;
  platform::TrayCallbackQueue q([&](std::uint32_t m) { got.push_back(m); }, 300, [&] { return now; });
  q.Post(kOpen);
  QCoreApplication::processEvents();
  now += 100;
  q.Post(kOpen);  // the same gesture reported again
  q.Post(kMenu);  // another request is not held back
  QCoreApplication::processEvents();
  now += 250;
  q.Post(kOpen);  // a new gesture
  QCoreApplication::processEvents();
  EXPECT_EQ(got, (std::vector<std::uint32_t>{kOpen, kMenu, kOpen}));
}

TEST(TrayCallbackQueue, DestroyedQueueDeliversNothing) {
  App();
  int calls = 0;
  {
    platform::TrayCallbackQueue q([&](std::uint32_t) { ++calls; });
    q.Post(kOpen);
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(calls, 0);
}

}  // namespace
