// The picture surface: persistent image, pictures, clearing, lines and painting.
#include <gtest/gtest.h>

#include <vector>

#include "platform/raster_graphics/picture_surface.h"

using namespace platform;

namespace {

std::uint32_t At(const PictureSurface& s, int x, int y) { return s.Pixels()[y * s.ScaleWidth() + x]; }

TEST(PictureSurface, StartsWithItsBackgroundAndNoPicture) {
  PictureSurface s(5, 3, 0x0000FF, 0x00FF00);
  EXPECT_EQ(At(s, 4, 2), 0xFFFF0000u) << "0x00BBGGRR red shows as 0xFFRRGGBB";
  EXPECT_EQ(gdi::GetPixel(s.hDC(), 0, 0), 0x0000FFu);
  EXPECT_EQ(s.GetPicture(), nullptr);
}

TEST(PictureSurface, ImageIsAnUnselectedSnapshot) {
  PictureSurface s(4, 4, 0xFFFFFF);
  gdi::SetPixelV(s.hDC(), 1, 1, 0x123456);
  Picture p = s.Image();
  gdi::SetPixelV(s.hDC(), 1, 1, 0);
  {
    gdi::HDC dc = gdi::CreateCompatibleDC(0);
    const gdi::HGDIOBJ old = gdi::SelectObject(dc, p->Handle());
    ASSERT_NE(old, 0u) << "the snapshot is held by no DC";
    EXPECT_EQ(gdi::GetPixel(dc, 1, 1), 0x123456u);
    gdi::SelectObject(dc, old);
    gdi::DeleteDC(dc);
  }
}

TEST(PictureSurface, SetPictureRepaintsOverTheBackground) {
  const std::uint32_t argb[4] = {0xFF112233, 0xFF445566, 0xFF778899, 0xFFAABBCC};
  Picture small = PictureFromArgb(2, 2, argb);
  PictureSurface s(3, 3, 0x0000FF);
  s.SetPicture(small);
  EXPECT_EQ(At(s, 0, 0), 0xFF112233u);
  EXPECT_EQ(At(s, 1, 1), 0xFFAABBCCu);
  EXPECT_EQ(At(s, 2, 2), 0xFFFF0000u);
  s.Line(0, 2, 3, 2, 0x00FF00);
  s.Cls();  // drawing goes, the picture stays
  EXPECT_EQ(At(s, 0, 2), 0xFFFF0000u);
  EXPECT_EQ(At(s, 0, 0), 0xFF112233u);
  s.SetPicture(nullptr);
  EXPECT_EQ(At(s, 0, 0), 0xFFFF0000u);
}

TEST(PictureSurface, AnotherSurfacesPictureDrivesThisOne) {
  PictureSurface a(2, 2, 0x00FF00), b(2, 2, 0xFFFFFF);
  b.SetPicture(a.Image());
  gdi::SetPixelV(b.hDC(), 0, 0, 0);  // drawing never changes the picture it came from
  PictureSurface c(2, 2, 0xFFFFFF);
  c.SetPicture(b.GetPicture());
  EXPECT_EQ(gdi::GetPixel(c.hDC(), 0, 0), 0x00FF00u);
}

TEST(PictureSurface, LineOmitsItsEndPointAndClips) {
  PictureSurface s(5, 5, 0, 0xFFFFFF);
  s.Line(0, 0, 4, 0);
  EXPECT_EQ(At(s, 3, 0), 0xFFFFFFFFu);
  EXPECT_EQ(At(s, 4, 0), 0xFF000000u) << "end point not drawn";
  s.Line(2, 2, 2, 2);
  EXPECT_EQ(At(s, 2, 2), 0xFF000000u) << "zero-length line draws nothing";
  s.Line(-2, 4, 3, -1, 0x0000FF);  // diagonal through the surface
  EXPECT_EQ(At(s, 0, 2), 0xFFFF0000u);
  EXPECT_EQ(At(s, 2, 0), 0xFFFF0000u);
  s.Line(0, 4, 2, 3, 0x00FF00);
  int green = 0;
  for (int i = 0; i < 25; ++i) green += s.Pixels()[i] == 0xFF00FF00u;
  EXPECT_EQ(green, 2);
  s.Line(-100, -100, -10, -5);  // wholly outside
  s.Line(4, 4, 2000000000, 4, 0xFF0000);  // leaves the surface at once
  EXPECT_EQ(At(s, 4, 4), 0xFF0000FFu);
}

TEST(PictureSurface, PaintPictureAtNegativeOffsets) {
  std::vector<std::uint32_t> argb(9);
  for (int i = 0; i < 9; ++i) argb[i] = 0xFF000000u | static_cast<std::uint32_t>(i + 1);
  Picture p = PictureFromArgb(3, 3, argb.data());
  PictureSurface s(3, 3, 0xFFFFFF);
  s.PaintPicture(*p, -1, -2);
  EXPECT_EQ(At(s, 0, 0), 0xFF000008u);
  EXPECT_EQ(At(s, 1, 0), 0xFF000009u);
  EXPECT_EQ(At(s, 2, 0), 0xFFFFFFFFu);
  EXPECT_EQ(At(s, 0, 1), 0xFFFFFFFFu);
}

TEST(PictureSurface, EveryChangeIsAnnounced) {
  PictureSurface s(2, 2, 0);
  int calls = 0;
  s.SetChangedCallback([&] { ++calls; });
  s.Cls();
  s.Line(0, 0, 1, 1);
  s.SetPicture(nullptr);
  s.SetBackColor(0xFFFFFF);
  s.PaintPicture(*s.Image(), 0, 0);
  s.MarkChanged();
  EXPECT_EQ(calls, 6);
}

// A compacted image comes back pixel for pixel at its next use, through any accessor; one of
// more than 256 colours is left as it is.
TEST(PictureSurface, CompactKeepsEveryPixel) {
  PictureSurface few(40, 30, 0x000000, 0x00FF00);
  for (int y = 0; y < 30; y += 3) few.Line(0, y, 40, 29 - y, static_cast<gdi::COLORREF>(y * 0x010203));
  const std::vector<std::uint32_t> drawn(few.Pixels(), few.Pixels() + 40 * 30);
  const gdi::COLORREF corner = gdi::GetPixel(few.hDC(), 39, 29);
  few.Compact();
  EXPECT_EQ(gdi::GetPixel(few.hDC(), 39, 29), corner) << "raster operations through the context";
  few.Compact();
  few.Compact();  // twice in a row: still one compact copy
  EXPECT_EQ(std::vector<std::uint32_t>(few.Pixels(), few.Pixels() + 40 * 30), drawn);
  few.Compact();
  few.Line(0, 0, 1, 0, 0xFFFFFF);  // drawing after compaction draws on the full image
  EXPECT_EQ(At(few, 0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(At(few, 5, 29), drawn[29 * 40 + 5]);

  PictureSurface many(300, 1, 0);
  for (int x = 0; x < 300; ++x) many.Line(x, 0, x + 1, 0, static_cast<gdi::COLORREF>(x * 0x000101));
  const std::vector<std::uint32_t> wide(many.Pixels(), many.Pixels() + 300);
  many.Compact();
  PictureSurface copy(300, 1, 0xFFFFFF);
  copy.SetPicture(many.Image());
  EXPECT_EQ(std::vector<std::uint32_t>(copy.Pixels(), copy.Pixels() + 300), wide);
}

TEST(PictureSurface, ReleasesEverything) {
  const std::size_t before = gdi::LiveObjectCount();
  {
    PictureSurface s(10, 10, 0);
    Picture p = s.Image();
    s.SetPicture(p);
  }
  EXPECT_EQ(gdi::LiveObjectCount(), before);
}

}  // namespace
