#include "platform/pictures/scaled_picture.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

using platform::Picture;

constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kGreen = 0xFF00FF00u;

// Shaped like the tray's two bars: black frame, green bars, tops and column 17 transparent
// with a colour hidden behind alpha 0.
Picture TwoBars() {
  Picture p(32, 32, kBlack);
  for (int y = 2; y <= 30; ++y)
    for (int x = 0; x < 32; ++x)
      if ((x >= 2 && x <= 14) || (x >= 17 && x <= 29))
        p.At(x, y) = (x == 17 || y < (x <= 14 ? 12 : 25)) ? 0x00FF00FFu : kGreen;
  return p;
}

TEST(Scaled, OwnSizeKeepsThePixelsAndWholeMultiplesRepeatThem) {
  Picture source = TwoBars();
  const Picture big = platform::Scaled(source, 64, 64);
  for (auto& p : source.argb)
    if ((p >> 24) == 0) p = platform::kTransparent;
  EXPECT_EQ(platform::Scaled(source, 32, 32), source);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(big.At(x, y), source.At(x / 2, y / 2)) << x << "," << y;
  // At 150 % each source pixel is 1 or 2 wide, in order.
  Picture strip(7, 1);
  for (int i = 0; i < 7; ++i) strip.argb[i] = platform::Opaque(i + 1);
  const Picture wide = platform::Scaled(strip, 11, 2);
  const int from[] = {1, 1, 2, 3, 3, 4, 5, 5, 6, 7, 7};
  for (int i = 0; i < 22; ++i) EXPECT_EQ(wide.argb[i], platform::Opaque(from[i % 11])) << i;
}

// Every size: only the source's colours and one transparent value; the bars' coloured tops lie
// on one row across each bar.
TEST(Scaled, EverySizeKeepsPureColoursAndStraightEdges) {
  const Picture source = TwoBars();
  for (int size : {16, 20, 22, 24, 44, 48}) {
    const Picture out = platform::Scaled(source, size, size);
    EXPECT_EQ(std::set<std::uint32_t>(out.argb.begin(), out.argb.end()),
              (std::set<std::uint32_t>{platform::kTransparent, kBlack, kGreen}))
        << size;
    int first = -1;
    for (int x = 0; x < size / 2; ++x) {
      int start = -1;
      for (int y = 0; y < size && start < 0; ++y)
        if (out.At(x, y) == kGreen) start = y;
      if (start < 0) continue;
      if (first < 0) first = start;
      EXPECT_EQ(start, first) << "size " << size << " column " << x;
    }
  }
}

}  // namespace
