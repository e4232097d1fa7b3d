// Scales a tray picture to the sizes trays draw at, keeping every edge on a whole pixel:
// each target pixel takes the colour of the source pixel under its centre, so no colour is
// blended, transparent stays transparent, and whole multiples repeat pixels exactly.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// src: sw x sh straight 0xAARRGGBB pixels, row 0 at the top. Returns dw x dh pixels.
std::vector<std::uint32_t> ScaleIconCrisp(const std::uint32_t* src, int sw, int sh, int dw, int dh);

// The sizes besides the picture's own that a tray is offered, smallest first. Some hosts
// (XFCE's status tray, waybar) take only the largest picture and reduce it to their slot by
// averaging areas: the largest is the 22-pixel picture (XFCE's default slot) with each pixel
// doubled, which such a reduction turns back into exactly that picture (and 44 is exact as is).
// Such a host's other slots (waybar's default 16, or 24, 32) get softened edges: a picture that
// averages to whole pixels at 22 and at one of those could have edges only at the middle of
// the slot (22 shares no finer grid with 16, 24 or 32). Hosts that pick the size nearest their slot (LXQt, GNOME) find 16 to 32
// pixels ready-made.
inline constexpr int kTrayIconSizes[] = {16, 22, 24, 32, 44};

}  // namespace platform
