#include "platform/window_system/loop_idle.h"

#include <QAbstractEventDispatcher>
#include <QObject>
#include <utility>

namespace platform {

void CallAsLoopGoesToSleep(std::chrono::milliseconds period, std::function<void()> call) {
  QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
  if (loop == nullptr) return;
  QObject::connect(loop, &QAbstractEventDispatcher::aboutToBlock, loop,
                   [period, call = std::move(call), last = std::chrono::steady_clock::now()]() mutable {
                     const auto now = std::chrono::steady_clock::now();
                     if (now - last < period) return;
                     last = now;
                     call();
                   });
}

}  // namespace platform
