// Block transfers: BitBlt (copy and AND, with the colour/monochrome rules) and StretchBlt.
#include <algorithm>
#include <cstring>

#include "platform/raster_graphics/gdi_internal.h"

namespace gdi {
namespace detail {
namespace {

bool SameLayout(const Bitmap& a, const Bitmap& b) {
  if (a.fmt != b.fmt) return false;
  if (a.fmt == Fmt::Bf16 || a.fmt == Fmt::Bf32)
    for (int i = 0; i < 3; ++i)
      if (a.ch[i].mask != b.ch[i].mask) return false;
  if (!a.table.empty() || !b.table.empty()) {
    if (a.table.size() != b.table.size()) return false;
    return std::memcmp(a.table.data(), b.table.data(), a.table.size() * sizeof(RGBQUAD)) == 0;
  }
  return true;
}

// Source values (colours, or bits of a monochrome source) turned into what the destination
// takes: colour -> monochrome gives 1 where the colour is the source's background colour;
// monochrome -> colour gives the destination's background colour for 1 and text colour for 0.
void Convert(const Bitmap& dst, COLORREF dstBk, COLORREF dstText, const Bitmap& src, COLORREF srcBk,
             std::uint32_t* row, int n) {
  if (src.Mono() && !dst.Mono()) {
    for (int i = 0; i < n; ++i) row[i] = row[i] ? dstBk : dstText;
  } else if (!src.Mono() && dst.Mono()) {
    const COLORREF key = Quantize(src, srcBk);
    for (int i = 0; i < n; ++i) row[i] = row[i] == key ? 1 : 0;
  }
}

// Clips a transfer of w x h from (sx, sy) to (x, y) to both bitmaps.
bool Clip(const Bitmap& dst, int& x, int& y, int& w, int& h, const Bitmap& src, int& sx, int& sy) {
  auto clipAxis = [](int& d, int& s, int& len, int dLimit, int sLimit) {
    const int shiftD = d < 0 ? -d : 0;
    const int shiftS = s < 0 ? -s : 0;
    const int shift = std::max(shiftD, shiftS);
    d += shift;
    s += shift;
    len -= shift;
    len = std::min({len, dLimit - d, sLimit - s});
    return len > 0;
  };
  return clipAxis(x, sx, w, dst.width, src.width) && clipAxis(y, sy, h, dst.height, src.height);
}

std::uint32_t LoadWord(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

void StoreWord(std::uint8_t* p, std::uint32_t v) { std::memcpy(p, &v, 4); }

// The transfers between the screen format and monochrome, one row at a time without the
// generic row codecs: a mask made from a picture and a mask laid over it.
// Whole destination bytes are built in a register and stored once; only the partial bytes at
// either end are merged bit by bit.
void ScreenToMonoRow(std::uint8_t* d, int x, const std::uint8_t* s, int w, std::uint32_t keyWord) {
  auto oneBit = [&](int i) {
    const int bit = x + i;
    const std::uint8_t m = static_cast<std::uint8_t>(0x80u >> (bit & 7));
    const bool on = (LoadWord(s + static_cast<std::ptrdiff_t>(i) * 4) & 0xFFFFFFu) == keyWord;
    d[bit >> 3] = static_cast<std::uint8_t>(on ? (d[bit >> 3] | m) : (d[bit >> 3] & ~m));
  };
  int i = 0;
  for (; i < w && ((x + i) & 7) != 0; ++i) oneBit(i);
  for (; i + 8 <= w; i += 8) {
    unsigned byte = 0;
    for (int k = 0; k < 8; ++k)
      byte = (byte << 1) | ((LoadWord(s + static_cast<std::ptrdiff_t>(i + k) * 4) & 0xFFFFFFu) == keyWord ? 1u : 0u);
    d[(x + i) >> 3] = static_cast<std::uint8_t>(byte);
  }
  for (; i < w; ++i) oneBit(i);
}

void MonoToScreenRow(std::uint8_t* d, const std::uint8_t* s, int sx, int w, std::uint32_t one,
                     std::uint32_t zero, bool andWithDest) {
  const std::uint32_t pick[2] = {zero, one};
  int i = 0;
  while (i < w) {
    const int bit = sx + i;
    const unsigned byte = s[bit >> 3];
    const int first = bit & 7;
    const int n = std::min(8 - first, w - i);
    for (int k = 0; k < n; ++k, d += 4) {
      const std::uint32_t v = pick[(byte >> (7 - (first + k))) & 1u];
      StoreWord(d, andWithDest ? (LoadWord(d) & v) : v);
    }
    i += n;
  }
}

}  // namespace

bool Blit(Bitmap& dst, COLORREF dstBk, COLORREF dstText, int x, int y, int w, int h,
          const Bitmap& src, COLORREF srcBk, int sx, int sy, DWORD rop) {
  if (rop != SRCCOPY && rop != SRCAND) return false;
  if (w <= 0 || h <= 0) return true;
  // Work in 64 bits so that offsets near the integer limits cannot wrap.
  if (static_cast<long long>(x) + w > INT32_MAX || static_cast<long long>(sx) + w > INT32_MAX ||
      static_cast<long long>(y) + h > INT32_MAX || static_cast<long long>(sy) + h > INT32_MAX)
    return false;
  if (!Clip(dst, x, y, w, h, src, sx, sy)) return true;

  // Overlapping copies within one bitmap run bottom-up when moving down.
  const bool reverse = &dst == &src && y > sy;
  const bool raw = SameLayout(dst, src) && dst.bpp >= 8;
  const int bytes = dst.bpp / 8;
  if (src.fmt == Fmt::Ddb32 && dst.Mono() && rop == SRCCOPY) {
    const std::uint32_t keyWord = ToWord(Quantize(src, srcBk)) & 0xFFFFFFu;
    for (int r = 0; r < h; ++r)
      ScreenToMonoRow(dst.Row(y + r), x, src.Row(sy + r) + static_cast<std::ptrdiff_t>(sx) * 4, w, keyWord);
    return true;
  }
  if (src.Mono() && dst.fmt == Fmt::Ddb32) {
    for (int r = 0; r < h; ++r)
      MonoToScreenRow(dst.Row(y + r) + static_cast<std::ptrdiff_t>(x) * 4, src.Row(sy + r), sx, w,
                      ToWord(dstBk), ToWord(dstText), rop == SRCAND);
    return true;
  }
  for (int i = 0; i < h; ++i) {
    const int r = reverse ? h - 1 - i : i;
    if (raw && rop == SRCCOPY) {
      std::memmove(dst.Row(y + r) + static_cast<std::ptrdiff_t>(x) * bytes,
                   src.Row(sy + r) + static_cast<std::ptrdiff_t>(sx) * bytes,
                   static_cast<std::size_t>(w) * bytes);
      continue;
    }
    if (raw && dst.fmt == Fmt::Ddb32) {  // AND of two screen-format rows
      auto* d = dst.Row(y + r) + static_cast<std::ptrdiff_t>(x) * 4;
      const auto* s = src.Row(sy + r) + static_cast<std::ptrdiff_t>(sx) * 4;
      for (int k = 0; k < w * 4; ++k) d[k] &= s[k];
      continue;
    }
    std::uint32_t* row = Scratch(w, 0);
    ReadRow(src, sx, sy + r, w, row);
    Convert(dst, dstBk, dstText, src, srcBk, row, w);
    WriteRow(dst, x, y + r, w, row, rop == SRCAND);
  }
  return true;
}

}  // namespace detail

using namespace detail;

BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
  const Dc* dd = FindDc(dst);
  const Dc* sd = FindDc(src);
  Bitmap* db = SelectedBitmap(dst);
  const Bitmap* sb = SelectedBitmap(src);
  if (dd == nullptr || sd == nullptr || db == nullptr || sb == nullptr) return 0;
  return Blit(*db, dd->bk, dd->text, x, y, w, h, *sb, sd->bk, sx, sy, rop) ? 1 : 0;
}

// Scales the source rectangle onto the destination rectangle. Negative extents mirror.
// HALFTONE averages the source pixels each destination pixel covers (colour to colour); the
// other modes, and transfers involving monochrome bitmaps, take the nearest source pixel.
BOOL StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                DWORD rop) {
  const Dc* dd = FindDc(dst);
  const Dc* sd = FindDc(src);
  Bitmap* db = SelectedBitmap(dst);
  const Bitmap* sb = SelectedBitmap(src);
  if (dd == nullptr || sd == nullptr || db == nullptr || sb == nullptr) return 0;
  if (rop != SRCCOPY && rop != SRCAND) return 0;
  if (w == sw && h == sh && w > 0 && h > 0)
    return Blit(*db, dd->bk, dd->text, x, y, w, h, *sb, sd->bk, sx, sy, rop) ? 1 : 0;
  if (w == 0 || h == 0 || sw == 0 || sh == 0) return 1;

  long long dx0 = x, dy0 = y, dw = w, dh = h, sx0 = sx, sy0 = sy, sW = sw, sH = sh;
  bool flipX = false, flipY = false;
  if (dw < 0) { dx0 += dw; dw = -dw; flipX = !flipX; }
  if (dh < 0) { dy0 += dh; dh = -dh; flipY = !flipY; }
  if (sW < 0) { sx0 += sW; sW = -sW; flipX = !flipX; }
  if (sH < 0) { sy0 += sH; sH = -sH; flipY = !flipY; }

  const bool average = dd->stretchMode == HALFTONE && !sb->Mono() && !db->Mono();
  const long long firstCol = std::max(0LL, -dx0), lastCol = std::min(dw, db->width - dx0);
  const long long firstRow = std::max(0LL, -dy0), lastRow = std::min(dh, db->height - dy0);
  if (firstCol >= lastCol || firstRow >= lastRow) return 1;

  // Source span [lo, hi) in the source rectangle covered by destination index i of n.
  auto span = [](long long i, long long n, long long s, bool flip, long long* lo, long long* hi) {
    long long a = i * s / n;
    long long b = std::max(a + 1, ((i + 1) * s + n - 1) / n);
    if (flip) {
      const long long t = s - b;
      b = s - a;
      a = t;
    }
    *lo = a;
    *hi = b;
  };
  auto nearest = [](long long i, long long n, long long s, bool flip) {
    const long long j = (2 * i + 1) * s / (2 * n);
    return flip ? s - 1 - j : j;
  };
  // The source indices [lo, hi) that destination index i takes, clipped to the source bitmap's
  // extent: the averaged span, or the one nearest pixel.
  auto source = [&](long long i, long long n, long long s, bool flip, long long origin, long long extent,
                    long long* lo, long long* hi) {
    if (average) {
      span(i, n, s, flip, lo, hi);
    } else {
      *lo = nearest(i, n, s, flip);
      *hi = *lo + 1;
    }
    *lo = std::max(*lo + origin, 0LL);
    *hi = std::min(*hi + origin, extent);
  };

  const int n = static_cast<int>(lastCol - firstCol);
  std::uint32_t* out = Scratch(n, 0);
  std::uint32_t* in = Scratch(sb->width, 3);
  for (long long r = firstRow; r < lastRow; ++r) {
    long long rlo, rhi;
    source(r, dh, sH, flipY, sy0, sb->height, &rlo, &rhi);
    if (rlo >= rhi) continue;
    // Runs of destination pixels whose source lies inside the source bitmap are written.
    int runStart = -1;
    auto flush = [&](int endIndex) {
      if (runStart < 0) return;
      const int len = endIndex - runStart;
      Convert(*db, dd->bk, dd->text, *sb, sd->bk, out + runStart, len);
      WriteRow(*db, static_cast<int>(dx0 + firstCol + runStart), static_cast<int>(dy0 + r), len,
               out + runStart, rop == SRCAND);
      runStart = -1;
    };
    for (int i = 0; i < n; ++i) {
      const long long c = firstCol + i;
      long long clo, chi;
      source(c, dw, sW, flipX, sx0, sb->width, &clo, &chi);
      if (clo >= chi) {
        flush(i);
        continue;
      }
      if (!average) {
        ReadRow(*sb, static_cast<int>(clo), static_cast<int>(rlo), 1, &out[i]);
      } else {
        unsigned long long red = 0, green = 0, blue = 0, count = 0;
        for (long long sy2 = rlo; sy2 < rhi; ++sy2) {
          const int len = static_cast<int>(chi - clo);
          ReadRow(*sb, static_cast<int>(clo), static_cast<int>(sy2), len, in);
          for (int k = 0; k < len; ++k) {
            red += GetRValue(in[k]);
            green += GetGValue(in[k]);
            blue += GetBValue(in[k]);
          }
          count += static_cast<unsigned long long>(len);
        }
        out[i] = RGB(static_cast<BYTE>((red + count / 2) / count), static_cast<BYTE>((green + count / 2) / count),
                     static_cast<BYTE>((blue + count / 2) / count));
      }
      if (runStart < 0) runStart = i;
    }
    flush(n);
  }
  return 1;
}

}  // namespace gdi
