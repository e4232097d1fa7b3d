#include "window/graph_backlog.h"

#include "window/usage_graphs.h"

namespace window {

GraphBacklog::GraphBacklog(int capacity) : readings_(static_cast<std::size_t>(capacity > 0 ? capacity : 1)) {}

void GraphBacklog::Add(double cpu0, double cpu1, platform::Int16 GraphY[2], platform::Int16 PrevGraphY[2],
                       platform::Int16& GridTick) {
  const int capacity = static_cast<int>(readings_.size());
  if (count_ == capacity) {
    const std::array<double, 2> oldest = readings_[head_];
    head_ = (head_ + 1) % capacity;
    --count_;
    for (int i = 0; i < 2; ++i) SkipGraphStep(GraphY[i], PrevGraphY[i], oldest[i]);
    SkipGridMarksStep(GridTick);
  }
  readings_[(head_ + count_) % capacity] = {cpu0, cpu1};
  ++count_;
}

}  // namespace window
