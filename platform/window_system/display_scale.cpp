#include "platform/window_system/display_scale.h"

#include <cmath>

namespace platform {
namespace {

// floor(numerator / denominator + 1/2) for a positive denominator, in whole numbers.
int RoundedQuotient(long long numerator, long long denominator) {
  const long long twice = 2 * numerator + denominator;
  const long long q = twice / (2 * denominator);
  return static_cast<int>(twice % (2 * denominator) < 0 ? q - 1 : q);
}

}  // namespace

int ScaleEdge(int edge, int dpi) { return RoundedQuotient(static_cast<long long>(edge) * dpi, kBaseDpi); }

int UnscaleEdge(int edge, int dpi) { return RoundedQuotient(static_cast<long long>(edge) * kBaseDpi, dpi); }

Rect ScaleRect(const Rect& place, int dpi, int originX, int originY) {
  const int left = ScaleEdge(originX + place.x, dpi), top = ScaleEdge(originY + place.y, dpi);
  return {left - ScaleEdge(originX, dpi), top - ScaleEdge(originY, dpi),
          ScaleEdge(originX + place.x + place.width, dpi) - left, ScaleEdge(originY + place.y + place.height, dpi) - top};
}

Rect UnscaleRect(const Rect& place, int dpi, int originX, int originY) {
  const int x0 = ScaleEdge(originX, dpi), y0 = ScaleEdge(originY, dpi);
  const int left = UnscaleEdge(x0 + place.x, dpi), top = UnscaleEdge(y0 + place.y, dpi);
  return {left - originX, top - originY, UnscaleEdge(x0 + place.x + place.width, dpi) - left,
          UnscaleEdge(y0 + place.y + place.height, dpi) - top};
}

int UnscaleLength(int length, int dpi) {
  return static_cast<int>((static_cast<long long>(length) * kBaseDpi + dpi - 1) / dpi);
}

int FontPixelHeight(double points, int dpi) { return static_cast<int>(std::lround(points * dpi / 72.0)); }

std::vector<std::uint32_t> ScaleNearest(const std::uint32_t* pixels, int width, int height, int destWidth,
                                        int destHeight) {
  std::vector<std::uint32_t> out(static_cast<std::size_t>(destWidth) * static_cast<std::size_t>(destHeight));
  if (width <= 0 || height <= 0) return out;
  // The source pixel under destination pixel d's centre: floor((d + 1/2) * from / to).
  const auto source = [](int d, int from, int to) {
    return static_cast<int>((2LL * d + 1) * from / (2LL * to));
  };
  std::vector<int> columns(static_cast<std::size_t>(destWidth));
  for (int x = 0; x < destWidth; ++x) columns[static_cast<std::size_t>(x)] = source(x, width, destWidth);
  std::uint32_t* row = out.data();
  for (int y = 0; y < destHeight; ++y, row += destWidth) {
    const std::uint32_t* from = pixels + static_cast<std::size_t>(source(y, height, destHeight)) * width;
    for (int x = 0; x < destWidth; ++x) row[x] = from[columns[static_cast<std::size_t>(x)]];
  }
  return out;
}

}  // namespace platform
