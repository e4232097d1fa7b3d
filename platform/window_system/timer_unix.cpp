// The timer as a precise QTimer of the thread's event loop.
#include "platform/window_system/timer.h"

#include <QTimer>

namespace platform {

struct Timer::Native {
  QTimer timer;
  QMetaObject::Connection handler;
};

Timer::Timer(int intervalMs) : native_(std::make_unique<Native>()) {
  native_->timer.setInterval(intervalMs);
  native_->timer.setTimerType(Qt::PreciseTimer);
}

Timer::~Timer() = default;

// The handler is the timer's one receiver: a tick calls it and nothing else.
void Timer::SetHandler(std::function<void()> handler) {
  QObject::disconnect(native_->handler);
  if (handler) native_->handler = QObject::connect(&native_->timer, &QTimer::timeout, &native_->timer, std::move(handler));
}

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
