#include "platform/pictures/picture.h"

#include <gtest/gtest.h>

namespace {

using platform::Opaque;
using platform::Picture;

// 3 x 3, pixel i (row by row) is Opaque(i + 1).
Picture Numbered() {
  Picture p(3, 3);
  for (int i = 0; i < 9; ++i) p.argb[i] = Opaque(static_cast<std::uint32_t>(i + 1));
  return p;
}

TEST(Picture, CopyFromClipsToBothPicturesAtAnyOffset) {
  const Picture source = Numbered();
  Picture p(3, 3, Opaque(0xFFFFFF));
  p.CopyFrom(source, 0, 0, 3, 3, -1, -2);  // only the bottom row's right two land
  EXPECT_EQ(p.At(0, 0), Opaque(8));
  EXPECT_EQ(p.At(1, 0), Opaque(9));
  EXPECT_EQ(p.At(2, 0), Opaque(0xFFFFFF));
  EXPECT_EQ(p.At(0, 1), Opaque(0xFFFFFF));
  Picture q(3, 3, Opaque(0xFFFFFF));
  q.CopyFrom(source, 1, 1, 15, 15, 1, 0);  // a rectangle larger than either
  EXPECT_EQ(q.At(1, 0), Opaque(5));
  EXPECT_EQ(q.At(2, 1), Opaque(9));
  EXPECT_EQ(q.At(0, 0), Opaque(0xFFFFFF));
  EXPECT_EQ(q.At(2, 2), Opaque(0xFFFFFF));
  Picture untouched = q;
  q.CopyFrom(source, 0, 0, 3, 0, 0, 0);   // no rows
  q.CopyFrom(source, -5, 0, 3, 3, 0, 0);  // wholly outside the source
  q.CopyFrom(source, 0, 0, 3, 3, 3, 0);   // wholly outside the picture
  EXPECT_EQ(q, untouched);
}

TEST(Picture, FillRecolourAndTransparency) {
  Picture p(4, 2, Opaque(0x000000));
  p.Fill(-1, 1, 3, 5, Opaque(0xFF00FF));  // clipped: columns 0-1 of row 1
  p.Fill(3, 0, 1, 1, Opaque(0x123456));
  EXPECT_EQ(p.At(1, 1), Opaque(0xFF00FF));
  EXPECT_EQ(p.At(2, 1), Opaque(0x000000));
  p.Recolour(Opaque(0x000000), Opaque(0xFF00FF), Opaque(0x00FF00));
  EXPECT_EQ(p.At(3, 0), Opaque(0x00FF00));  // neither kept colour: recoloured
  EXPECT_EQ(p.At(0, 0), Opaque(0x000000));
  EXPECT_EQ(p.At(0, 1), Opaque(0xFF00FF));
  p.MakeTransparent(0xFF00FF);
  EXPECT_EQ(p.At(0, 1), platform::kTransparent);
  EXPECT_EQ(p.At(1, 1), platform::kTransparent);
  EXPECT_EQ(p.At(2, 1), Opaque(0x000000));
  EXPECT_EQ(p.At(3, 0), Opaque(0x00FF00));
}

}  // namespace
