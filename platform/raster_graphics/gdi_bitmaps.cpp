// Bitmap creation and the device-independent description of bitmaps (GetDIBits).
#include <algorithm>
#include <cstring>

#include "platform/raster_graphics/gdi_internal.h"

namespace gdi {

using namespace detail;

namespace {

HBITMAP MakeBitmap(Fmt fmt, int w, int h) {
  if (w < 1 || h < 1) return 0;
  Bitmap* b = nullptr;
  HBITMAP handle = NewBitmap(&b);
  if (handle == 0) return 0;
  if (!Allocate(*b, fmt, w, h)) {
    FreeObject(handle);
    return 0;
  }
  return handle;
}

// The layout a DIB header describes, or false if it is not one this layer supports.
bool LayoutOf(const BITMAPINFOHEADER& h, const RGBQUAD* colours, Fmt* fmt, DWORD masks[3]) {
  if (h.biCompression == BI_BITFIELDS) {
    if (h.biBitCount != 16 && h.biBitCount != 32) return false;
    std::memcpy(masks, colours, 3 * sizeof(DWORD));
    *fmt = h.biBitCount == 16 ? Fmt::Bf16 : Fmt::Bf32;
    return true;
  }
  if (h.biCompression != BI_RGB) return false;
  switch (h.biBitCount) {
    case 1: *fmt = Fmt::Idx1; return true;
    case 4: *fmt = Fmt::Idx4; return true;
    case 8: *fmt = Fmt::Idx8; return true;
    case 16:
      *fmt = Fmt::Bf16;  // 5-5-5
      masks[0] = 0x7C00;
      masks[1] = 0x03E0;
      masks[2] = 0x001F;
      return true;
    case 24: *fmt = Fmt::Rgb24; return true;
    case 32: *fmt = Fmt::Rgb32; return true;
    default: return false;
  }
}

bool Indexed(Fmt f) { return f == Fmt::Idx1 || f == Fmt::Idx4 || f == Fmt::Idx8; }

// Number of colour-table entries a header's colour count gives for its depth.
int TableSize(int bpp, DWORD clrUsed) {
  const int full = 1 << bpp;
  return clrUsed == 0 || clrUsed > static_cast<DWORD>(full) ? full : static_cast<int>(clrUsed);
}

// Describes the bitmap as a DIB: the format it would be read out in by default.
void FillHeader(const Bitmap& b, BITMAPINFOHEADER& h) {
  h.biWidth = b.width;
  h.biHeight = b.height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(b.bpp);
  h.biCompression = b.dib ? b.compression : BI_RGB;
  h.biSizeImage = static_cast<DWORD>((b.width * b.bpp + 31) / 32 * 4 * b.height);
  h.biXPelsPerMeter = 0;
  h.biYPelsPerMeter = 0;
  h.biClrUsed = b.dib ? b.clrUsed : 0;
  h.biClrImportant = 0;
}

// Colour table (indexed and monochrome bitmaps) or masks (bit fields) into bmi.
bool FillColours(const Bitmap& b, BITMAPINFO* bmi) {
  BITMAPINFOHEADER& h = bmi->bmiHeader;
  if (h.biBitCount != b.bpp) return false;
  if (b.Mono()) {
    bmi->bmiColors[0] = RGBQUAD{0, 0, 0, 0};
    bmi->bmiColors[1] = RGBQUAD{255, 255, 255, 0};
    h.biClrUsed = 0;
    return true;
  }
  if (Indexed(b.fmt)) {
    const int full = 1 << b.bpp;
    for (int i = 0; i < full; ++i)
      bmi->bmiColors[i] = i < static_cast<int>(b.table.size()) ? b.table[i] : RGBQUAD{0, 0, 0, 0};
    h.biClrUsed = 0;
    return true;
  }
  if (h.biCompression == BI_BITFIELDS) {
    const DWORD masks[3] = {b.ch[0].mask, b.ch[1].mask, b.ch[2].mask};
    std::memcpy(bmi->bmiColors, masks, sizeof masks);
  }
  return true;
}

}  // namespace

HBITMAP CreateBitmap(int w, int h, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) return 0;
  HBITMAP handle = MakeBitmap(bitsPerPixel == 1 ? Fmt::Mono : Fmt::Ddb32, w, h);
  if (handle != 0 && bits != nullptr) {
    Bitmap* b = FindBitmap(handle);
    if (b->Mono()) {
      std::memcpy(b->data, bits, static_cast<std::size_t>(b->stride) * b->height);
    } else {
      // Device rows of 32-bit pixels B, G, R, x.
      const auto* src = static_cast<const std::uint8_t*>(bits);
      for (int i = 0; i < w * h; ++i, src += 4) b->store[i] = ToWord(RGB(src[2], src[1], src[0]));
    }
  }
  return handle;
}

HBITMAP detail::CopyScreenBitmap(const Bitmap& from) {
  if (from.fmt != Fmt::Ddb32) return 0;
  Bitmap* b = nullptr;
  const HBITMAP handle = NewBitmap(&b);
  if (handle == 0) return 0;
  if (!Allocate(*b, Fmt::Ddb32, from.width, from.height, false)) {
    FreeObject(handle);
    return 0;
  }
  std::memcpy(b->data, from.data, static_cast<std::size_t>(from.stride) * from.height);
  return handle;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int w, int h) {
  const Dc* d = FindDc(dc);
  if (d == nullptr) return 0;
  const Bitmap* held = d->screen ? nullptr : FindBitmap(d->bitmap);
  // A memory DC holding a monochrome bitmap makes monochrome bitmaps; otherwise the screen's
  // format.
  return MakeBitmap(held && held->Mono() ? Fmt::Mono : Fmt::Ddb32, w, h);
}

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* bmi, UINT usage, void** bits, HANDLE section,
                         DWORD offset) {
  if (bits) *bits = nullptr;
  if (bmi == nullptr || usage != DIB_RGB_COLORS || section != 0 || offset != 0) return 0;
  if (dc != 0 && FindDc(dc) == nullptr) return 0;
  const BITMAPINFOHEADER& h = bmi->bmiHeader;
  Fmt fmt;
  DWORD masks[3] = {0, 0, 0};
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biWidth < 1 || h.biHeight == 0 ||
      h.biHeight == INT32_MIN || !LayoutOf(h, bmi->bmiColors, &fmt, masks))
    return 0;
  const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  HBITMAP handle = MakeBitmap(fmt, h.biWidth, height);
  if (handle == 0) return 0;
  Bitmap* b = FindBitmap(handle);
  b->dib = true;
  b->topDown = h.biHeight < 0;
  b->compression = h.biCompression;
  b->clrUsed = h.biClrUsed;
  if (fmt == Fmt::Bf16 || fmt == Fmt::Bf32) SetChannels(*b, masks[0], masks[1], masks[2]);
  if (Indexed(fmt)) b->table.assign(bmi->bmiColors, bmi->bmiColors + TableSize(b->bpp, h.biClrUsed));
  if (bits) *bits = b->data;
  return handle;
}

int GetDIBits(HDC dc, HBITMAP bmp, UINT start, UINT lines, void* bits, BITMAPINFO* bmi, UINT usage) {
  const Bitmap* b = FindBitmap(bmp);
  if (FindDc(dc) == nullptr || b == nullptr || bmi == nullptr || usage != DIB_RGB_COLORS ||
      bmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
    return 0;
  BITMAPINFOHEADER& h = bmi->bmiHeader;
  if (bits == nullptr) {
    // Without a buffer: describe the bitmap (header first, then its colours).
    if (h.biBitCount == 0) {
      FillHeader(*b, h);
      return b->height;
    }
    return FillColours(*b, bmi) ? b->height : 0;
  }

  // Reading pixels into the layout the header asks for: 16, 24 or 32 bits per pixel, or the
  // bitmap's own depth (with its colour table).
  Bitmap view;
  DWORD masks[3] = {0, 0, 0};
  Fmt fmt;
  if (h.biWidth < 1 || h.biHeight == 0 || h.biHeight == INT32_MIN || h.biPlanes != 1 ||
      !LayoutOf(h, bmi->bmiColors, &fmt, masks))
    return 0;
  const bool sameDepth = h.biBitCount == b->bpp;
  if (Indexed(fmt) && !sameDepth) return 0;
  if (Indexed(fmt) || b->Mono()) FillColours(*b, bmi);
  if (b->Mono() && Indexed(fmt)) {
    view.table.assign(bmi->bmiColors, bmi->bmiColors + 2);
  } else if (Indexed(fmt)) {
    view.table = b->table;
  }
  const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  if (start >= static_cast<UINT>(height)) return 0;
  const int count = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(height) - start));
  view.width = h.biWidth;
  view.height = count;
  view.bpp = h.biBitCount;
  view.fmt = fmt;
  view.topDown = true;  // scan lines in buffer order
  view.stride = (view.width * view.bpp + 31) / 32 * 4;
  view.data = static_cast<std::uint8_t*>(bits);
  if (fmt == Fmt::Bf16 || fmt == Fmt::Bf32) SetChannels(view, masks[0], masks[1], masks[2]);
  const int n = std::min(view.width, b->width);
  std::uint32_t* row = Scratch(n, 3);
  int copied = 0;
  for (int i = 0; i < count; ++i) {
    const int scan = static_cast<int>(start) + i;
    const int y = h.biHeight > 0 ? height - 1 - scan : scan;  // bottom-up: scan 0 is the last row
    if (y >= b->height) continue;
    ReadRow(*b, 0, y, n, row);
    if (b->Mono())
      for (int x = 0; x < n; ++x) row[x] = row[x] ? 0xFFFFFF : 0;
    WriteRow(view, 0, i, n, row, false);
    ++copied;
  }
  return copied;
}

}  // namespace gdi
