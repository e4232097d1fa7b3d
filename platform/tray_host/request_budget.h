// A budget of requests per second with a burst allowance (a token bucket): what another program
// on the bus may ask of the process without bound is answered in full only within it.
#pragma once

#include <algorithm>
#include <chrono>

namespace platform {

class RequestBudget {
 public:
  RequestBudget(double perSecond, double burst) : rate_(perSecond), burst_(burst), tokens_(burst) {}
  // True when one more request fits the budget (and counts it).
  bool Take() {
    const auto now = std::chrono::steady_clock::now();
    const double elapsed = std::chrono::duration<double>(now - last_).count();
    last_ = now;
    tokens_ = std::min(burst_, tokens_ + elapsed * rate_);
    if (tokens_ < 1.0) return false;
    tokens_ -= 1.0;
    return true;
  }

 private:
  double rate_, burst_, tokens_;
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

}  // namespace platform
