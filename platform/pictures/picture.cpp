#include "platform/pictures/picture.h"

#include <algorithm>

namespace platform {

Picture::Picture(int w, int h, std::uint32_t pixel)
    : width(w > 0 ? w : 0), height(h > 0 ? h : 0), argb(static_cast<std::size_t>(width) * height, pixel) {}

void Picture::Fill(int x, int y, int w, int h, std::uint32_t pixel) {
  const int left = std::max(x, 0), right = std::min(x + w, width);
  for (int row = std::max(y, 0); row < std::min(y + h, height); ++row)
    if (left < right) std::fill(&At(left, row), &At(left, row) + (right - left), pixel);
}

void Picture::CopyFrom(const Picture& source, int sx, int sy, int w, int h, int x, int y) {
  // Clip against both pictures at once: shrink the rectangle from each side that sticks out.
  const int skipLeft = std::max({0, -sx, -x});
  const int skipTop = std::max({0, -sy, -y});
  w = std::min({w, source.width - sx, width - x});
  h = std::min({h, source.height - sy, height - y});
  for (int row = skipTop; row < h; ++row) {
    if (skipLeft >= w) break;
    const std::uint32_t* from = source.argb.data() + static_cast<std::size_t>(sy + row) * source.width + sx + skipLeft;
    std::copy(from, from + (w - skipLeft), &At(x + skipLeft, y + row));
  }
}

void Picture::Recolour(std::uint32_t keep1, std::uint32_t keep2, std::uint32_t to) {
  for (std::uint32_t& p : argb)
    if (p != keep1 && p != keep2) p = to;
}

void Picture::MakeTransparent(Colour key) {
  std::replace(argb.begin(), argb.end(), Opaque(key), kTransparent);
}

}  // namespace platform
