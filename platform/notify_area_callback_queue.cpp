#include "platform/notify_area_callback_queue.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <algorithm>
#include <memory>

namespace platform {

TrayCallbackQueue::~TrayCallbackQueue() { *alive_ = false; }

void TrayCallbackQueue::Post(std::uint32_t mouse) {
  if (delivering_ && current_ == mouse) return;
  if (std::find(waiting_.begin(), waiting_.end(), mouse) != waiting_.end()) return;
  waiting_.push_back(mouse);
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
    delivering_ = true;
    deliver_(current_);  // may run a nested event loop (a menu) or even destroy us
    if (alive.expired() || !*alive.lock()) return;
    delivering_ = false;
  }
}

}  // namespace platform
