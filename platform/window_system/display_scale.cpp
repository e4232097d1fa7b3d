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

}  // namespace platform
