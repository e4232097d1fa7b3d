#include "window/graph_picture.h"

#include <algorithm>
#include <cstdlib>

namespace window {

GraphPicture::GraphPicture(int width, int height, platform::Colour background)
    : width_(width), height_(height), background_(background),
      picture_(width, height, platform::Opaque(background)) {}

const platform::Picture& GraphPicture::Image() const {
  Expand();
  return picture_;
}

platform::Picture& GraphPicture::Pixels() {
  Expand();
  return picture_;
}

void GraphPicture::Clear(platform::Colour background) {
  background_ = background;
  Pixels().Fill(0, 0, width_, height_, platform::Opaque(background));
}

void GraphPicture::ScrollLeft() {
  platform::Picture& p = Pixels();
  for (int y = 0; y < height_; ++y) {
    std::uint32_t* row = &p.At(0, y);
    std::copy(row + 1, row + width_, row);
    row[width_ - 1] = platform::Opaque(background_);
  }
}

// Bresenham's line, the end point excluded.
void GraphPicture::Line(int x1, int y1, int x2, int y2, platform::Colour colour) {
  platform::Picture& p = Pixels();
  const std::uint32_t pixel = platform::Opaque(colour);
  long long x = x1, y = y1;
  const long long dx = std::llabs(static_cast<long long>(x2) - x1);
  const long long dy = -std::llabs(static_cast<long long>(y2) - y1);
  const int stepX = x1 < x2 ? 1 : -1;
  const int stepY = y1 < y2 ? 1 : -1;
  // A line wholly on one side of the picture draws nothing.
  const bool outside = (x1 < 0 && x2 < 0) || (y1 < 0 && y2 < 0) || (x1 >= width_ && x2 >= width_) ||
                       (y1 >= height_ && y2 >= height_);
  long long error = dx + dy;
  while (!outside && !(x == x2 && y == y2)) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) {
      p.At(static_cast<int>(x), static_cast<int>(y)) = pixel;
    } else if ((stepX > 0 ? x >= width_ : x < 0) || (stepY > 0 ? y >= height_ : y < 0)) {
      break;  // moving away from the picture: nothing more to draw
    }
    const long long twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += stepX;
    }
    if (twice <= dx) {
      error += dx;
      y += stepY;
    }
  }
}

void GraphPicture::Compact() {
  if (!indices_.empty()) return;
  std::vector<std::uint32_t> colours;
  std::vector<std::uint8_t> indices(picture_.argb.size());
  std::size_t last = 0;  // neighbouring pixels mostly share a colour
  for (std::size_t i = 0; i < picture_.argb.size(); ++i) {
    const std::uint32_t pixel = picture_.argb[i];
    if (last >= colours.size() || colours[last] != pixel) {
      last = std::find(colours.begin(), colours.end(), pixel) - colours.begin();
      if (last == colours.size()) {
        if (last == 256) return;  // too many colours: the pixels stay as they are
        colours.push_back(pixel);
      }
    }
    indices[i] = static_cast<std::uint8_t>(last);
  }
  colours_ = std::move(colours);
  indices_ = std::move(indices);
  std::vector<std::uint32_t>().swap(picture_.argb);
}

void GraphPicture::Expand() const {
  if (indices_.empty()) return;
  picture_.argb.resize(indices_.size());
  for (std::size_t i = 0; i < indices_.size(); ++i) picture_.argb[i] = colours_[indices_[i]];
  std::vector<std::uint8_t>().swap(indices_);
  std::vector<std::uint32_t>().swap(colours_);
}

}  // namespace window
