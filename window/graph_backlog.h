// Readings the graphs have not drawn yet because the window is hidden. Nobody sees the graphs
// then, so each tick only queues its two readings; opening the window draws the queue in order,
// which leaves exactly the pixels that drawing each reading at its own tick would have left.
// Every reading scrolls the graph one column, so of a long queue only the newest `capacity`
// (the graph width) can still show: older ones are dropped, keeping only their effect on the
// graph values and the grid-mark count.
#pragma once

#include <array>
#include <vector>

#include "platform/runtime/runtime.h"

namespace window {

class GraphBacklog {
 public:
  explicit GraphBacklog(int capacity);

  // Queues one tick's readings. When the queue is full, the oldest reading is dropped: it moves
  // GraphY, PrevGraphY and GridTick as its drawing would have, since that drawing would have
  // scrolled out of sight by now.
  void Add(double cpu0, double cpu1, platform::Int16 GraphY[2], platform::Int16 PrevGraphY[2],
           platform::Int16& GridTick);

  bool Empty() const { return count_ == 0; }
  int Size() const { return count_; }

  // Hands the queued readings to `draw`, oldest first, and empties the queue.
  template <typename Draw>
  void Drain(Draw&& draw) {
    while (count_ > 0) {
      const std::array<double, 2> r = readings_[head_];
      head_ = (head_ + 1) % static_cast<int>(readings_.size());
      --count_;
      draw(r[0], r[1]);
    }
  }

 private:
  std::vector<std::array<double, 2>> readings_;
  int head_ = 0;
  int count_ = 0;
};

}  // namespace window
