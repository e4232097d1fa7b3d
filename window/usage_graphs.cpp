#include "window/usage_graphs.h"

namespace window {
namespace {

// Rows of the grid: every 10 percent from 100 (row 0) to 0 (row 50).
constexpr int kGridStep = 5;
constexpr int kGridLastRow = 50;
constexpr int kDashSpacing = 6;
constexpr int kMarkInterval = 6;

// Int of a reading limited to a whole percent 0..100; a reading that is no number counts as 0.
int GraphValue(double cpu) {
  const double whole = platform::Int(cpu);
  if (!(whole > 0)) return 0;
  if (whole > 100) return 100;
  return static_cast<int>(whole);
}

}  // namespace

int GraphRow(int value) { return static_cast<int>(platform::Int(50 - value / 2.0)); }

void GraphSetup(GraphPicture& pic1_0, GraphPicture& pic1_1, platform::Int16& GridTick) {
  pic1_1.Clear(0x000000);
  GridTick = 0;
  for (platform::Int16 y = 0; y <= kGridLastRow; y += kGridStep) {
    // Both graphs take their dashes from the second graph's width.
    const platform::Int16 X = pic1_1.Width();
    for (platform::Int16 x = X; x > 2; x -= kDashSpacing) {
      pic1_0.Line(x - 2, y, x, y, kGridTeal);
      pic1_1.Line(x - 2, y, x, y, kGridTeal);
    }
  }
}

void ScrollGraph(GraphPicture& pic1, platform::Int16& GraphY, platform::Int16& PrevGraphY, double cpu) {
  GraphY = GraphValue(cpu);
  pic1.ScrollLeft();
  const int W = pic1.Width();
  pic1.Line(W - 2, GraphRow(PrevGraphY), W - 1, GraphRow(GraphY), kGraphGreen);
  PrevGraphY = GraphY;
}

void SkipGraphStep(platform::Int16& GraphY, platform::Int16& PrevGraphY, double cpu) {
  GraphY = GraphValue(cpu);
  PrevGraphY = GraphY;
}

void SkipGridMarksStep(platform::Int16& GridTick) {
  ++GridTick;
  if (GridTick == kMarkInterval) GridTick = 0;
}

void GridMarksStep(GraphPicture& pic1_0, GraphPicture& pic1_1, platform::Int16& GridTick) {
  ++GridTick;
  if (GridTick != kMarkInterval) return;
  GridTick = 0;
  for (int y = 0; y <= kGridLastRow; y += kGridStep) {
    const int W0 = pic1_0.Width();
    pic1_0.Line(W0 - 2, y, W0, y, kGridTeal);
    const int W1 = pic1_1.Width();
    pic1_1.Line(W1 - 2, y, W1, y, kGridTeal);
  }
}

}  // namespace window
