#include "tray/two_bar_pictures.h"

namespace tray {

namespace {

constexpr platform::PixelRun kLineColumns[] = {{0, 1}, {15, 16}, {30, 31}};
constexpr platform::PixelRun kLineRows[] = {{0, 1}, {31, 31}};

bool FrameOrDivider(int x, int y) { return y < 2 || y == 31 || x < 2 || x == 15 || x == 16 || x > 29; }

// The two-bar picture with the given colour in the bars; column 17 is always magenta.
platform::Picture TwoBars(platform::Colour bars) {
  platform::Picture px(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      px.At(x, y) = platform::Opaque(FrameOrDivider(x, y) ? 0x000000 : x == 17 ? kKeyColour : bars);
  return px;
}

}  // namespace

platform::Picture ColouredBarsPicture() { return TwoBars(0xFFFFFF); }

platform::Picture BlankBarsPicture() { return TwoBars(kKeyColour); }

platform::PictureLines TwoBarLines() { return {kLineColumns, kLineRows}; }

}  // namespace tray
