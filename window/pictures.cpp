#include "window/pictures.h"

namespace window {

namespace {

constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kLightGrey = 0xFFC0C0C0;
constexpr std::uint32_t kGrey = 0xFF808080;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kTeal = 0xFF008080;
constexpr std::uint32_t kCyan = 0xFF00FFFF;
constexpr std::uint32_t kClear = 0x00000000;

// A bar's row below its clear top: light grey first, then grey every third row, green between.
std::uint32_t BarRow(int y, int firstGrey) {
  if (y == firstGrey - 1) return kLightGrey;
  return (y - firstGrey) % 3 == 0 ? kGrey : kGreen;
}

// Digit shapes, five rows of three pixels (bit 2 = left column).
constexpr int kDigits[10][5] = {
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
};

}  // namespace

platform::Picture WindowIconPicture() {
  platform::Picture px(32, 32);
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
      px.At(x, y) = c;
    }
  }
  return px;
}

platform::Picture ScaleStripPicture(int columns) {
  if (columns != 7 && columns != 8) return {};
  const int shift = columns - 7;  // the 8-column strip is the 7-column one moved right
  platform::Picture px(columns, 50, kTeal);
  auto put = [&](int x, int y) { px.At(x + shift, y) = kCyan; };
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
  return px;
}

}  // namespace window
