// Budgets of requests per second with a burst allowance (token buckets): what another program
// on the bus may ask of the process without bound is answered in full only within them.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class RequestBudget {
 public:
  using Clock = std::chrono::steady_clock;

  RequestBudget(double perSecond, double burst) : rate_(perSecond), burst_(burst), tokens_(burst) {}
  // True when one more request fits the budget (and counts it).
  bool Take(Clock::time_point now = Clock::now()) {
    tokens_ = Tokens(now);
    last_ = now;
    if (tokens_ < 1.0) return false;
    tokens_ -= 1.0;
    return true;
  }
  // Refilled to the burst by now: the budget then remembers nothing of its use.
  bool Full(Clock::time_point now) const { return Tokens(now) >= burst_; }
  Clock::time_point LastAsked() const { return last_; }

 private:
  double Tokens(Clock::time_point now) const {
    const double elapsed = std::max(0.0, std::chrono::duration<double>(now - last_).count());
    return std::min(burst_, tokens_ + elapsed * rate_);
  }

  double rate_, burst_, tokens_;
  Clock::time_point last_ = Clock::now();
};

// One budget per caller (a bus client's unique name): a caller over its budget leaves the
// others theirs. At most kCallers callers have a budget of their own. A new one takes the place
// of a caller quiet for kQuiet whose budget has refilled (dropping that one forgets nothing, and
// a host that reads now and then keeps its place); while every place is in use, the callers
// without one share a single budget. So however many callers come, what is answered in full
// stays within kCallers + 1 budgets, in memory as in time.
class CallerBudgets {
 public:
  static constexpr std::size_t kCallers = 8;
  static constexpr std::chrono::seconds kQuiet{10};

  CallerBudgets(double perSecond, double burst) : rate_(perSecond), burst_(burst), shared_(perSecond, burst) {}

  bool Take(std::string_view caller, RequestBudget::Clock::time_point now = RequestBudget::Clock::now()) {
    for (Place& p : places_)
      if (p.caller == caller) return p.budget.Take(now);
    auto free = std::find_if(places_.begin(), places_.end(), [now](const Place& p) {
      return p.budget.Full(now) && now - p.budget.LastAsked() >= kQuiet;
    });
    if (free == places_.end() && places_.size() < kCallers) free = places_.emplace(places_.end(), rate_, burst_);
    if (free == places_.end()) return shared_.Take(now);
    free->caller.assign(caller);  // a bus name: at most 255 bytes
    free->budget = RequestBudget(rate_, burst_);
    return free->budget.Take(now);
  }

 private:
  struct Place {
    Place(double rate, double burst) : budget(rate, burst) {}
    std::string caller;
    RequestBudget budget;
  };

  double rate_, burst_;
  std::vector<Place> places_;
  RequestBudget shared_;
};

}  // namespace platform
