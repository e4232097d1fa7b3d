#include "window/graph_picture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::Opaque;
using window::GraphPicture;

std::uint32_t At(const GraphPicture& g, int x, int y) { return g.Image().At(x, y); }

TEST(GraphPicture, LineOmitsItsEndPointAndClips) {
  GraphPicture s(5, 5, 0x000000);
  s.Line(0, 0, 4, 0, 0xFFFFFF);
  EXPECT_EQ(At(s, 3, 0), 0xFFFFFFFFu);
  EXPECT_EQ(At(s, 4, 0), 0xFF000000u) << "end point not drawn";
  s.Line(2, 2, 2, 2, 0xFFFFFF);
  EXPECT_EQ(At(s, 2, 2), 0xFF000000u) << "zero-length line draws nothing";
  s.Line(-2, 4, 3, -1, 0xFF0000);  // diagonal through the picture
  EXPECT_EQ(At(s, 0, 2), 0xFFFF0000u);
  EXPECT_EQ(At(s, 2, 0), 0xFFFF0000u);
  s.Line(0, 4, 2, 3, 0x00FF00);
  int green = 0;
  for (std::uint32_t px : s.Image().argb) green += px == 0xFF00FF00u;
  EXPECT_EQ(green, 2);
  s.Line(-100, -100, -10, -5, 0xFFFFFF);  // wholly outside
  s.Line(4, 4, 2000000000, 4, 0x0000FF);  // leaves the picture at once
  EXPECT_EQ(At(s, 4, 4), 0xFF0000FFu);
}

TEST(GraphPicture, ScrollLeftDropsColumnZeroAndOpensTheBackground) {
  GraphPicture s(3, 2, 0x000000);
  s.Line(0, 0, 3, 0, 0x00FF00);
  s.Line(2, 1, 3, 1, 0xFF0000);
  s.ScrollLeft();
  EXPECT_EQ(At(s, 0, 0), Opaque(0x00FF00));
  EXPECT_EQ(At(s, 1, 0), Opaque(0x00FF00));
  EXPECT_EQ(At(s, 2, 0), Opaque(0x000000));
  EXPECT_EQ(At(s, 1, 1), Opaque(0xFF0000));
  EXPECT_EQ(At(s, 2, 1), Opaque(0x000000));
}

// Compacted pixels come back pixel for pixel at the next use; a picture of more than 256
// colours is left as it is.
TEST(GraphPicture, CompactKeepsEveryPixel) {
  GraphPicture few(40, 30, 0x000000);
  for (int y = 0; y < 30; y += 3) few.Line(0, y, 40, 29 - y, static_cast<platform::Colour>(y * 0x010203));
  const std::vector<std::uint32_t> drawn = few.Image().argb;
  few.Compact();
  few.Compact();  // twice in a row: still one compact copy
  EXPECT_EQ(few.Image().argb, drawn);
  few.Compact();
  few.Line(0, 0, 1, 0, 0xFFFFFF);  // drawing after compaction draws on the full pixels
  EXPECT_EQ(At(few, 0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(At(few, 5, 29), drawn[29 * 40 + 5]);

  GraphPicture many(300, 1, 0);
  for (int x = 0; x < 300; ++x) many.Line(x, 0, x + 1, 0, static_cast<platform::Colour>(x * 0x000101));
  const std::vector<std::uint32_t> wide = many.Image().argb;
  many.Compact();
  EXPECT_EQ(many.Image().argb, wide);
}

}  // namespace
