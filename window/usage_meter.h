// The window's live part: the current-usage labels and the two scrolling graphs, fed one pair
// of readings per tick. It owns the graphs' values, the grid-mark count and the readings that
// wait while the window is hidden.
#pragma once

#include "platform/runtime/runtime.h"
#include "window/form_controls.h"
#include "window/graph_backlog.h"

namespace window {

class UsageMeter {
 public:
  explicit UsageMeter(Form1Controls& controls);

  // The graphs' initial grid, shown.
  void Setup();
  // One tick's readings: drawn at once while the window is shown; while it is hidden nobody
  // sees them, so they wait for DrawWaiting.
  void Step(double cpu0, double cpu1);
  // Draws the readings that waited, in order, to the very pixels drawing each at its own tick
  // would have given.
  void DrawWaiting();

 private:
  void Draw(double cpu0, double cpu1);

  Form1Controls& c_;
  platform::Int16 graphY_[2];
  platform::Int16 prevGraphY_[2];
  platform::Int16 gridTick_;
  GraphBacklog waiting_;
};

}  // namespace window
