// The timer as a precise QTimer of the thread's event loop.
#include "platform/window_system/timer.h"

#include <QTimer>

namespace platform {

struct Timer::Native {
  QTimer timer;
  std::function<void()> handler;
};

Timer::Timer(int intervalMs) : native_(std::make_unique<Native>()) {
  native_->timer.setInterval(intervalMs);
  native_->timer.setTimerType(Qt::PreciseTimer);
  Native* n = native_.get();
  QObject::connect(&n->timer, &QTimer::timeout, &n->timer, [n] {
    if (n->handler) n->handler();
  });
}

Timer::~Timer() = default;

void Timer::SetHandler(std::function<void()> handler) { native_->handler = std::move(handler); }

int Timer::Interval() const { return native_->timer.interval(); }

bool Timer::Enabled() const { return native_->timer.isActive(); }

void Timer::SetEnabled(bool enabled) {
  if (!enabled) {
    native_->timer.stop();
  } else if (!native_->timer.isActive()) {
    native_->timer.start();
  }
}

void Timer::SetSingleShot(bool singleShot) { native_->timer.setSingleShot(singleShot); }

}  // namespace platform
