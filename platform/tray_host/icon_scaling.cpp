#include "platform/tray_host/icon_scaling.h"

#include <algorithm>

namespace platform {

namespace {

// Source index under the centre of target index j: floor((j + 0.5) * src / dst).
int CentreSource(int j, int src, int dst) {
  return static_cast<int>((static_cast<long long>(2 * j + 1) * src) / (2LL * dst));
}

}  // namespace

std::vector<std::uint32_t> ScaleIconCrisp(const std::uint32_t* src, int sw, int sh, int dw, int dh) {
  std::vector<std::uint32_t> out;
  if (src == nullptr || sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return out;
  out.resize(static_cast<std::size_t>(dw) * dh);
  std::vector<int> columns(dw);
  for (int x = 0; x < dw; ++x) columns[x] = CentreSource(x, sw, dw);
  int previous = -1;
  for (int y = 0; y < dh; ++y) {
    const int sy = CentreSource(y, sh, dh);
    std::uint32_t* dst = out.data() + static_cast<std::size_t>(y) * dw;
    if (sy == previous) {  // enlarging: the row above came from the same source row
      std::copy(dst - dw, dst, dst);
      continue;
    }
    previous = sy;
    const std::uint32_t* row = src + static_cast<std::size_t>(sy) * sw;
    for (int x = 0; x < dw; ++x) {
      const std::uint32_t p = row[columns[x]];
      dst[x] = (p >> 24) == 0 ? 0u : p;  // one transparent value, whatever colour it hid
    }
  }
  return out;
}

}  // namespace platform
