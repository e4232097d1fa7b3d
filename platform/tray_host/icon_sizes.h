// The sizes besides the picture's own that a tray is offered, smallest first. Some hosts
// (XFCE's status tray, waybar) take only the largest picture and reduce it to their slot by
// averaging areas: the largest is the 22-pixel picture (XFCE's default slot) with each pixel
// doubled, which such a reduction turns back into exactly that picture (and 44 is exact as is).
// Such a host's other slots (waybar's default 16, or 24, 32) get softened edges: a picture that
// averages to whole pixels at 22 and at one of those could have edges only at the middle of
// the slot (22 shares no finer grid with 16, 24 or 32). Hosts that pick the size nearest their
// slot (LXQt, GNOME) find 16 to 32 pixels ready-made.
#pragma once

namespace platform {

inline constexpr int kTrayIconSizes[] = {16, 22, 24, 32, 44};

}  // namespace platform
