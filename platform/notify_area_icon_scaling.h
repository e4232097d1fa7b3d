// Scales a tray picture to the sizes trays draw at, keeping every edge on a whole pixel:
// each target pixel takes the colour of the source pixel under its centre, so no colour is
// blended, transparent stays transparent, and whole multiples repeat pixels exactly.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// src: sw x sh straight 0xAARRGGBB pixels, row 0 at the top. Returns dw x dh pixels.
std::vector<std::uint32_t> ScaleIconCrisp(const std::uint32_t* src, int sw, int sh, int dw, int dh);

// The sizes besides the picture's own that a tray is offered.
inline constexpr int kTrayIconSizes[] = {16, 22, 24, 32, 48, 64};

}  // namespace platform
