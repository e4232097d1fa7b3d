// A picture: plain 32-bit pixels, 0xAARRGGBB, row 0 at the top, with the few operations the
// program draws with. Colours of the program are 0xRRGGBB values; a pixel of colour c is
// Opaque(c). Pixels with alpha 0 are transparent where the picture is shown.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

using Colour = std::uint32_t;  // 0xRRGGBB

constexpr std::uint32_t Opaque(Colour c) { return 0xFF000000u | (c & 0xFFFFFFu); }
inline constexpr std::uint32_t kTransparent = 0x00000000u;

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;  // width * height

  Picture() = default;
  // A picture of the given size filled with one pixel value.
  Picture(int w, int h, std::uint32_t pixel = Opaque(0));

  std::uint32_t At(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
  std::uint32_t& At(int x, int y) { return argb[static_cast<std::size_t>(y) * width + x]; }

  // Sets the rectangle to the pixel value; the part outside the picture is skipped.
  void Fill(int x, int y, int w, int h, std::uint32_t pixel);
  // Copies the w x h rectangle of source at (sx, sy) to (x, y); what falls outside either
  // picture is skipped. The source must be another picture.
  void CopyFrom(const Picture& source, int sx, int sy, int w, int h, int x, int y);
  // Every pixel that is neither keep1 nor keep2 becomes the pixel value to.
  void Recolour(std::uint32_t keep1, std::uint32_t keep2, std::uint32_t to);
  // Every opaque pixel of the key colour becomes transparent.
  void MakeTransparent(Colour key);

  friend bool operator==(const Picture&, const Picture&) = default;
};

}  // namespace platform
