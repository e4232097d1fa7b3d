// Delivers a tray host's requests from the event loop, one at a time, never nested, and without
// piling up: a message already waiting or being delivered is not queued again, nor one that
// began its delivery less than a short quiet time ago, so a burst of activations from a host
// opens the window once.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

namespace platform {

class TrayCallbackQueue {
 public:
  using Clock = std::function<std::int64_t()>;  // milliseconds, steady

  // quietMs: how long after a delivery starts the same message is ignored.
  explicit TrayCallbackQueue(std::function<void(std::uint32_t request)> deliver, int quietMs = 0,
                             Clock clock = SteadyMs);
  ~TrayCallbackQueue();
  TrayCallbackQueue(const TrayCallbackQueue&) = delete;
  TrayCallbackQueue& operator=(const TrayCallbackQueue&) = delete;

  // Queues a request for delivery from the event loop, unless it already waits or is running.
  void Post(std::uint32_t request);
  std::size_t Waiting() const { return waiting_.size(); }

  static std::int64_t SteadyMs();

 private:
  void Drain();

  std::function<void(std::uint32_t)> deliver_;
  std::deque<std::uint32_t> waiting_;
  bool scheduled_ = false;
  bool delivering_ = false;
  std::uint32_t current_ = 0;
  int quietMs_;
  Clock clock_;
  std::uint32_t lastMessage_ = 0;
  std::int64_t lastStart_ = 0;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace platform
