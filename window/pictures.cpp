#include "window/pictures.h"

#include <array>

namespace window {

namespace {

constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kMagenta = 0xFFFF00FF;
constexpr std::uint32_t kLightGrey = 0xFFC0C0C0;
constexpr std::uint32_t kGrey = 0xFF808080;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kTeal = 0xFF008080;
constexpr std::uint32_t kCyan = 0xFF00FFFF;
constexpr std::uint32_t kClear = 0x00000000;

using Image32 = std::array<std::uint32_t, 32 * 32>;

bool FrameOrDivider(int x, int y) { return y < 2 || y == 31 || x < 2 || x == 15 || x == 16 || x > 29; }

// The two-bar image with the given colour in the bars; column 17 is always magenta.
platform::Picture TwoBars(std::uint32_t bars) {
  Image32 px;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) px[y * 32 + x] = FrameOrDivider(x, y) ? kBlack : (x == 17 ? kMagenta : bars);
  return platform::PictureFromArgb(32, 32, px.data());
}

// A bar's row below its clear top: light grey first, then grey every third row, green between.
std::uint32_t BarRow(int y, int firstGrey) {
  if (y == firstGrey - 1) return kLightGrey;
  return (y - firstGrey) % 3 == 0 ? kGrey : kGreen;
}

// Digit shapes, five rows of three pixels (bit 2 = left column).
constexpr std::array<std::array<int, 5>, 10> kDigits = {{
    {7, 5, 5, 5, 7},  // 0
    {0, 0, 0, 0, 0},  // 1 is drawn as a single column
    {0, 0, 0, 0, 0},
    {7, 1, 7, 1, 7},  // 3
    {0, 0, 0, 0, 0},
    {7, 4, 7, 1, 7},  // 5
    {0, 0, 0, 0, 0},
    {7, 1, 1, 1, 1},  // 7
    {0, 0, 0, 0, 0},
    {7, 5, 7, 1, 1},  // 9
}};

}  // namespace

platform::Picture DualColorPicture() { return TwoBars(kWhite); }

platform::Picture DualBlankPicture() { return TwoBars(kMagenta); }

gdi::HICON CreateWindowIcon() {
  Image32 px;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      std::uint32_t c;
      if (y < 2 || y > 29 || x < 2 || x > 29 || x == 15) {
        c = kBlack;
      } else if (x < 15) {
        c = y < 9 ? kClear : BarRow(y, 10);  // left bar: light grey row 9, grey from row 10
      } else {
        c = y < 18 ? kClear : BarRow(y, 19);  // right bar: light grey row 18, grey from row 19
      }
      px[y * 32 + x] = c;
    }
  }
  return gdi::CreateIconFromArgb(32, 32, px.data());
}

platform::Picture ScaleStripPicture(int columns) {
  if (columns != 7 && columns != 8) return nullptr;
  const int shift = columns - 7;  // the 8-column strip is the 7-column one moved right
  std::array<std::uint32_t, 8 * 50> px;
  px.fill(kTeal);
  auto put = [&](int x, int y) { px[y * columns + x + shift] = kCyan; };
  const int tens[5] = {9, 7, 5, 3, 1};
  for (int label = 0; label < 5; ++label) {
    const int top = 3 + label * 10;
    for (int row = 0; row < 5; ++row) {
      if (tens[label] == 1) {
        put(1, top + row);  // "10": the 1 is column 1, the 0 columns 3-5
      } else {
        for (int bit = 0; bit < 3; ++bit)
          if (kDigits[tens[label]][row] & (4 >> bit)) put(bit, top + row);
      }
      const int zeroLeft = tens[label] == 1 ? 3 : 4;
      for (int bit = 0; bit < 3; ++bit)
        if (kDigits[0][row] & (4 >> bit)) put(zeroLeft + bit, top + row);
    }
  }
  return platform::PictureFromArgb(columns, 50, px.data());
}

}  // namespace window
