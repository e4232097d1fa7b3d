// How a window laid out in 96-dpi pixels is drawn on a display of another DPI: every edge is
// scaled on its own (left' = round(left * s), right' = round((left + width) * s)), so controls
// that touch at 100 % still touch and the layout keeps its proportions; pictures are sampled
// at their pixels' nearest centres (Scaled), so they keep pure colours and whole-pixel edges.
#pragma once

#include "platform/window_system/controls.h"

namespace platform {

inline constexpr int kBaseDpi = 96;

// An edge (a coordinate from the window's origin) at dpi, halves rounded up.
int ScaleEdge(int edge, int dpi);
// The edge at 96 dpi that ScaleEdge takes to this one (exact for dpi >= 96).
int UnscaleEdge(int edge, int dpi);
// A control's place inside a container whose own top-left corner lies at origin (in 96-dpi
// pixels from the window's origin): scaled edge by edge from the window's origin, given back
// relative to the container's scaled corner. UnscaleRect undoes it.
Rect ScaleRect(const Rect& place, int dpi, int originX = 0, int originY = 0);
Rect UnscaleRect(const Rect& place, int dpi, int originX = 0, int originY = 0);
// The 96-dpi length that covers a length of the display (a text's width), rounded up.
int UnscaleLength(int length, int dpi);
// A font's character height in pixels at dpi.
int FontPixelHeight(double points, int dpi);

}  // namespace platform
