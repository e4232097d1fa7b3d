// The stored pictures, pixel for pixel: colour counts and the shapes of the scale digits.
#include "window/pictures.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// The picture's pixels as 0xRRGGBB, row 0 at the top; every one must be opaque.
std::vector<std::uint32_t> PixelsOf(const platform::Picture& p) {
  std::vector<std::uint32_t> out = p.argb;
  for (auto& v : out) {
    EXPECT_EQ(v >> 24, 0xFFu);
    v &= 0xFFFFFF;
  }
  return out;
}

TEST(Pictures, WindowIcon) {
  const platform::Picture i = window::WindowIconPicture();
  ASSERT_EQ(i.width, 32);
  ASSERT_EQ(i.height, 32);
  std::map<std::uint32_t, int> h;
  for (std::uint32_t v : i.argb) ++h[(v >> 24) ? v & 0xFFFFFF : 0xDEAD];
  // Black: 4 rows + 4 columns + the divider over 28 rows; clear: 7 rows x 13 + 16 rows x 14.
  EXPECT_EQ(h[0x000000], 4 * 32 + 4 * 28 + 28);
  EXPECT_EQ(h[0xDEAD], 7 * 13 + 16 * 14);
  EXPECT_EQ(h[0xC0C0C0], 13 + 14);
  EXPECT_EQ(h[0x808080], 7 * 13 + 4 * 14);
  EXPECT_EQ(h[0x00FF00], 13 * 13 + 7 * 14);
  auto at = [&](int x, int y) { return i.argb[y * 32 + x]; };
  EXPECT_EQ(at(2, 8) >> 24, 0u);
  EXPECT_EQ(at(14, 9), 0xFFC0C0C0u);
  EXPECT_EQ(at(5, 10), 0xFF808080u);
  EXPECT_EQ(at(5, 29), 0xFF00FF00u);
  EXPECT_EQ(at(16, 17) >> 24, 0u);
  EXPECT_EQ(at(29, 18), 0xFFC0C0C0u);
  EXPECT_EQ(at(16, 28), 0xFF808080u);
  EXPECT_EQ(at(15, 20), 0xFF000000u);
}

// The strip as text: 'C' cyan, '.' teal.
std::vector<std::string> StripText(int columns) {
  const auto px = PixelsOf(window::ScaleStripPicture(columns));
  std::vector<std::string> rows(50, std::string(static_cast<std::size_t>(columns), '?'));
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < columns; ++x) {
      const std::uint32_t v = px[y * columns + x];
      rows[y][x] = v == 0x00FFFF ? 'C' : v == 0x008080 ? '.' : '?';
    }
  return rows;
}

TEST(Pictures, SevenColumnScaleStrip) {
  const auto rows = StripText(7);
  const std::vector<std::string> ninety = {"CCC.CCC", "C.C.C.C", "CCC.C.C", "..C.C.C", "..C.CCC"};
  const std::vector<std::string> seventy = {"CCC.CCC", "..C.C.C", "..C.C.C", "..C.C.C", "..C.CCC"};
  const std::vector<std::string> fifty = {"CCC.CCC", "C...C.C", "CCC.C.C", "..C.C.C", "CCC.CCC"};
  const std::vector<std::string> thirty = {"CCC.CCC", "..C.C.C", "CCC.C.C", "..C.C.C", "CCC.CCC"};
  const std::vector<std::string> ten = {".C.CCC.", ".C.C.C.", ".C.C.C.", ".C.C.C.", ".C.CCC."};
  const std::vector<std::string>* labels[] = {&ninety, &seventy, &fifty, &thirty, &ten};
  for (int l = 0; l < 5; ++l)
    for (int r = 0; r < 5; ++r) EXPECT_EQ(rows[3 + l * 10 + r], (*labels[l])[r]) << "label " << l << " row " << r;
  int cyan = 0;
  for (const auto& row : rows)
    for (char c : row) cyan += c == 'C';
  EXPECT_EQ(cyan, (10 + 12) + (7 + 12) + (11 + 12) + (11 + 12) + (5 + 12));
  EXPECT_EQ(rows[0], ".......");
  EXPECT_EQ(rows[49], ".......");
}

TEST(Pictures, EightColumnStripIsTheSevenMovedRight) {
  const auto seven = StripText(7), eight = StripText(8);
  for (int y = 0; y < 50; ++y) EXPECT_EQ(eight[y], "." + seven[y]) << y;
  EXPECT_TRUE(window::ScaleStripPicture(6).argb.empty());
}

}  // namespace
