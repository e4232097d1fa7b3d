// The timer as a thread timer (SetTimer without a window), whose callback the message loop
// dispatches between the thread's other messages.
#include "platform/window_system/timer.h"

#include "platform/window_system/native_win.h"

#include <map>

namespace platform {

namespace {

struct Running {
  int interval = 0;
  bool singleShot = false;
  UINT_PTR id = 0;  // 0 while disabled
  std::function<void()> handler;
};

// The enabled timers by their system identifiers.
std::map<UINT_PTR, Running*>& Ids() {
  static std::map<UINT_PTR, Running*> ids;
  return ids;
}

void Stop(Running& n) {
  if (n.id == 0) return;
  KillTimer(nullptr, n.id);
  Ids().erase(n.id);
  n.id = 0;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
  const auto it = Ids().find(id);
  if (it == Ids().end()) return;
  Running& n = *it->second;
  if (n.singleShot) Stop(n);
  if (n.handler) n.handler();
}

}  // namespace

struct Timer::Native : Running {};

Timer::Timer(int intervalMs) : native_(std::make_unique<Native>()) { native_->interval = intervalMs; }

Timer::~Timer() { Stop(*native_); }

void Timer::SetHandler(std::function<void()> handler) { native_->handler = std::move(handler); }

int Timer::Interval() const { return native_->interval; }

bool Timer::Enabled() const { return native_->id != 0; }

void Timer::SetEnabled(bool enabled) {
  if (!enabled) return Stop(*native_);
  if (native_->id != 0) return;
  native_->id = SetTimer(nullptr, 0, static_cast<UINT>(native_->interval), Tick);
  if (native_->id != 0) Ids()[native_->id] = native_.get();
}

void Timer::SetSingleShot(bool singleShot) { native_->singleShot = singleShot; }

}  // namespace platform
