// The scrolling usage graphs: a dashed grid every 10 percent, one pixel of scroll per sample
// with the newest segment at the right edge, and grid marks every sixth sample so the grid
// scrolls along.
#pragma once

#include "platform/pictures/picture.h"
#include "platform/runtime/runtime.h"
#include "window/graph_picture.h"

namespace window {

inline constexpr platform::Colour kGraphGreen = 0x00FF00;
inline constexpr platform::Colour kGridTeal = 0x008080;

// Row of a graph value: 100 is row 0, 50 row 25, 0 row 50 (just below the visible rows).
int GraphRow(int value);

// GridTick = 0 and the initial grid on both graphs.
void GraphSetup(GraphPicture& pic1_0, GraphPicture& pic1_1, platform::Int16& GridTick);

// Scrolls one graph one pixel left and draws the segment, in green, from the previous value to
// the new one, Int(cpu) limited to 0..100.
void ScrollGraph(GraphPicture& pic1, platform::Int16& GraphY, platform::Int16& PrevGraphY, double cpu);

// Counts a sample; every sixth one draws grid marks at the right edge of both graphs.
void GridMarksStep(GraphPicture& pic1_0, GraphPicture& pic1_1, platform::Int16& GridTick);

// What ScrollGraph and GridMarksStep leave in the graph values and the grid-mark count, without
// drawing: for a step whose drawing would already have scrolled out of sight.
void SkipGraphStep(platform::Int16& GraphY, platform::Int16& PrevGraphY, double cpu);
void SkipGridMarksStep(platform::Int16& GridTick);

}  // namespace window
