// A picture drawn at another size without blending: each pixel takes the source pixel under
// its centre, so colours stay pure, edges fall on whole pixels and alpha 0 stays transparent
// (as one value, whatever colour it hid). A picture may name its lines (frames, dividers),
// which then stay one pixel wide wherever it is drawn smaller.
#pragma once

#include <span>

#include "platform/pictures/picture.h"

namespace platform {

// Source columns (or rows) first..last, a line of the picture.
struct PixelRun {
  int first;
  int last;

  friend bool operator==(const PixelRun&, const PixelRun&) = default;
};

// A picture's lines along each axis, in order and apart; none means none.
struct PictureLines {
  std::span<const PixelRun> columns;
  std::span<const PixelRun> rows;
};

// The picture at width x height. Along an axis where the result is smaller than the source and
// the picture names lines there, each line becomes one pixel and the spans between lines share
// the rest in proportion (earlier spans rounded down), each sampled at its pixels' centres.
Picture Scaled(const Picture& source, int width, int height, const PictureLines& lines = {});

}  // namespace platform
