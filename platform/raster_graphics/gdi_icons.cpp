// Icons: made from a colour bitmap and a mask (copied, so the icon outlives its sources),
// or from ARGB pixels; read back as ARGB.
#include <algorithm>
#include <cstring>

#include "platform/raster_graphics/gdi_internal.h"

namespace gdi {

using namespace detail;

namespace {

// 0x00RRGGBB from a COLORREF.
std::uint32_t Rgb(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

}  // namespace

// The mask's bit 1 marks a transparent pixel. Without a colour bitmap the mask is twice as
// high: its upper half is the mask and its lower half the (black and white) image. A pixel
// whose mask bit is 1 is transparent whatever its colour.
HICON CreateIconIndirect(const ICONINFO* info) {
  if (info == nullptr) return 0;
  const Bitmap* mask = FindBitmap(info->hbmMask);
  if (mask == nullptr) return 0;
  const Bitmap* colour = info->hbmColor ? FindBitmap(info->hbmColor) : nullptr;
  if (info->hbmColor != 0 && colour == nullptr) return 0;
  const int width = mask->width;
  const int height = colour ? mask->height : mask->height / 2;
  if (height < 1) return 0;

  Icon* icon = nullptr;
  HICON handle = NewIcon(&icon);
  if (handle == 0) return 0;
  icon->width = width;
  icon->height = height;
  if (colour && mask->Mono() && colour->fmt == Fmt::Ddb32 && colour->width >= width && colour->height >= height) {
    // The usual pair, a monochrome mask and a screen-format picture: straight from their rows,
    // a mask byte at a time.
    icon->argb.resize(static_cast<std::size_t>(width) * height);
    constexpr std::uint32_t kAlpha[2] = {0xFF000000u, 0};  // by mask bit
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* m = mask->Row(y);
      const std::uint8_t* c = colour->Row(y);
      std::uint32_t* out = &icon->argb[static_cast<std::size_t>(y) * width];
      for (int x = 0; x < width; x += 8) {
        const unsigned bits = m[x >> 3];
        const int n = std::min(8, width - x);
        for (int k = 0; k < n; ++k) {
          std::uint32_t word;
          std::memcpy(&word, c + static_cast<std::ptrdiff_t>(x + k) * 4, 4);
          out[x + k] = (word & 0xFFFFFFu) | kAlpha[(bits >> (7 - k)) & 1u];
        }
      }
    }
    return handle;
  }
  icon->argb.assign(static_cast<std::size_t>(width) * height, 0);
  std::uint32_t* bits = Scratch(width, 0);
  std::uint32_t* colours = Scratch(width, 3);
  for (int y = 0; y < height; ++y) {
    ReadRow(*mask, 0, y, width, bits);
    if (!mask->Mono())
      for (int x = 0; x < width; ++x) bits[x] = bits[x] == 0xFFFFFF ? 1 : 0;
    const Bitmap* image = colour ? colour : mask;
    const int imageY = colour ? y : y + height;
    const int n = std::min(width, image->width);
    std::fill(colours, colours + width, 0);
    if (imageY < image->height) {
      ReadRow(*image, 0, imageY, n, colours);
      if (image->Mono())
        for (int x = 0; x < n; ++x) colours[x] = colours[x] ? 0xFFFFFF : 0;
    }
    std::uint32_t* out = &icon->argb[static_cast<std::size_t>(y) * width];
    for (int x = 0; x < width; ++x) out[x] = Rgb(colours[x]) | (bits[x] ? 0u : 0xFF000000u);
  }
  return handle;
}

BOOL DestroyIcon(HICON icon) {
  if (FindIcon(icon) == nullptr) return 0;
  FreeObject(icon);
  return 1;
}

bool ReadIconImage(HICON icon, IconImage* out) {
  const Icon* i = FindIcon(icon);
  if (i == nullptr || out == nullptr) return false;
  out->width = i->width;
  out->height = i->height;
  out->argb = i->argb;
  return true;
}

HICON CreateIconFromArgb(int w, int h, const std::uint32_t* argb) {
  if (w < 1 || h < 1 || argb == nullptr || static_cast<long long>(w) * h > (1 << 26)) return 0;
  Icon* icon = nullptr;
  HICON handle = NewIcon(&icon);
  if (handle == 0) return 0;
  icon->width = w;
  icon->height = h;
  icon->argb.resize(static_cast<std::size_t>(w) * h);
  // Transparent pixels are black under the mask, as in an icon made from bitmaps.
  for (std::size_t k = 0; k < icon->argb.size(); ++k)
    icon->argb[k] = (argb[k] >> 24) == 0 ? 0u : (0xFF000000u | (argb[k] & 0xFFFFFF));
  return handle;
}

}  // namespace gdi
