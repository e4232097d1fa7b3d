#include "platform/notification_area/callback_queue_unix.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <algorithm>
#include <chrono>
#include <memory>

namespace platform {

TrayCallbackQueue::TrayCallbackQueue(std::function<void(std::uint32_t)> deliver, int quietMs,
                                     Clock clock)
    : deliver_(std::move(deliver)), quietMs_(quietMs), clock_(std::move(clock)) {}

TrayCallbackQueue::~TrayCallbackQueue() { *alive_ = false; }

std::int64_t TrayCallbackQueue::SteadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void TrayCallbackQueue::Post(std::uint32_t request) {
  if (delivering_ && current_ == request) return;
  if (quietMs_ > 0 && request == lastMessage_ && clock_() - lastStart_ < quietMs_) return;
  if (std::find(waiting_.begin(), waiting_.end(), request) != waiting_.end()) return;
  waiting_.push_back(request);
  if (scheduled_ || delivering_ || QCoreApplication::instance() == nullptr) return;
  scheduled_ = true;
  std::weak_ptr<bool> alive = alive_;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [this, alive] {
        if (auto a = alive.lock(); a && *a) Drain();
      },
      Qt::QueuedConnection);
}

void TrayCallbackQueue::Drain() {
  scheduled_ = false;
  if (delivering_) return;  // the running delivery picks up what waits once it returns
  std::weak_ptr<bool> alive = alive_;
  while (!waiting_.empty()) {
    current_ = waiting_.front();
    waiting_.pop_front();
    if (quietMs_ > 0 && current_ == lastMessage_ && clock_() - lastStart_ < quietMs_) continue;
    lastMessage_ = current_;
    lastStart_ = clock_();
    delivering_ = true;
    deliver_(current_);  // may run a nested event loop (a menu) or even destroy us
    if (alive.expired() || !*alive.lock()) return;
    delivering_ = false;
  }
}

}  // namespace platform
