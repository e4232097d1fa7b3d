// The picture of one usage graph: drawn on by the graph code and shown by a picture box. It
// scrolls one column left, draws one-pixel lines without their end point, and while nobody
// sees it keeps its pixels compactly, one byte each over a table of its colours.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/pictures/picture.h"

namespace window {

class GraphPicture {
 public:
  GraphPicture(int width, int height, platform::Colour background);

  // The pixels as they are now (brought back from the compact form first).
  const platform::Picture& Image() const;
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Every pixel the background colour.
  void Clear(platform::Colour background);
  // The pixels move one column left: column 0 goes, the last column becomes the background.
  void ScrollLeft();
  // A one-pixel line from (x1, y1) towards (x2, y2), the end point not drawn; pixels outside
  // the picture are skipped.
  void Line(int x1, int y1, int x2, int y2, platform::Colour colour);

  // Keeps the pixels compactly until the picture is used again (a picture of more than 256
  // colours stays as it is). For a graph that goes unseen and undrawn for a long while.
  void Compact();

 private:
  platform::Picture& Pixels();
  void Expand() const;

  int width_;
  int height_;
  platform::Colour background_;
  mutable platform::Picture picture_;
  mutable std::vector<std::uint32_t> colours_;  // the compact form: a colour table ...
  mutable std::vector<std::uint8_t> indices_;   // ... and one index per pixel
};

}  // namespace window
