// Pixel layouts: storage shapes, row readers and writers, single pixels.
#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "platform/raster_graphics/gdi_internal.h"

namespace gdi {
namespace detail {
namespace {

int BitsOf(Fmt f) {
  switch (f) {
    case Fmt::Mono:
    case Fmt::Idx1: return 1;
    case Fmt::Idx4: return 4;
    case Fmt::Idx8: return 8;
    case Fmt::Bf16: return 16;
    case Fmt::Rgb24: return 24;
    default: return 32;
  }
}

// Bit-field channels widen by shifting (a 5-bit 31 reads as 0xF8) and narrow by truncation.
std::uint32_t Expand(std::uint32_t v, int bits) {
  if (bits == 0) return 0;
  return bits >= 8 ? v >> (bits - 8) : v << (8 - bits);
}
std::uint32_t Narrow(std::uint32_t v8, int bits) {
  if (bits == 0) return 0;
  return bits >= 8 ? v8 << (bits - 8) : v8 >> (8 - bits);
}

COLORREF DecodeFields(const Bitmap& b, std::uint32_t p) {
  const std::uint32_t r = Expand((p & b.ch[0].mask) >> b.ch[0].shift, b.ch[0].bits);
  const std::uint32_t g = Expand((p & b.ch[1].mask) >> b.ch[1].shift, b.ch[1].bits);
  const std::uint32_t bl = Expand((p & b.ch[2].mask) >> b.ch[2].shift, b.ch[2].bits);
  return RGB(static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(bl));
}

std::uint32_t EncodeFields(const Bitmap& b, COLORREF c) {
  std::uint32_t p = 0;
  p |= (Narrow(GetRValue(c), b.ch[0].bits) << b.ch[0].shift) & b.ch[0].mask;
  p |= (Narrow(GetGValue(c), b.ch[1].bits) << b.ch[1].shift) & b.ch[1].mask;
  p |= (Narrow(GetBValue(c), b.ch[2].bits) << b.ch[2].shift) & b.ch[2].mask;
  return p;
}

COLORREF TableColour(const Bitmap& b, unsigned index) {
  if (index >= b.table.size()) return 0;
  const RGBQUAD q = b.table[index];
  return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

// Exact entry if there is one, else the nearest by squared distance.
unsigned NearestIndex(const Bitmap& b, COLORREF c) {
  unsigned best = 0;
  long bestDistance = std::numeric_limits<long>::max();
  for (unsigned i = 0; i < b.table.size(); ++i) {
    const COLORREF t = TableColour(b, i);
    const long dr = long{GetRValue(t)} - GetRValue(c);
    const long dg = long{GetGValue(t)} - GetGValue(c);
    const long db = long{GetBValue(t)} - GetBValue(c);
    const long d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
      if (d == 0) break;
    }
  }
  return best;
}

unsigned GetBits(const std::uint8_t* row, int x, int bits) {
  const int bit = x * bits;
  const int shift = 8 - bits - (bit & 7);
  return (row[bit >> 3] >> shift) & ((1u << bits) - 1);
}

void PutBits(std::uint8_t* row, int x, int bits, unsigned v) {
  const int bit = x * bits;
  const int shift = 8 - bits - (bit & 7);
  const unsigned mask = ((1u << bits) - 1) << shift;
  row[bit >> 3] = static_cast<std::uint8_t>((row[bit >> 3] & ~mask) | ((v << shift) & mask));
}

std::uint32_t Load16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Load32(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
void Store32(std::uint8_t* p, std::uint32_t v) { std::memcpy(p, &v, 4); }

}  // namespace

void SetChannels(Bitmap& b, DWORD red, DWORD green, DWORD blue) {
  const DWORD masks[3] = {red, green, blue};
  for (int i = 0; i < 3; ++i) {
    b.ch[i].mask = masks[i];
    b.ch[i].shift = masks[i] ? std::countr_zero(masks[i]) : 0;
    b.ch[i].bits = std::popcount(masks[i]);
  }
}

bool Allocate(Bitmap& b, Fmt fmt, int width, int height, bool zeroed) {
  if (width < 1 || height < 1) return false;
  const int bits = BitsOf(fmt);
  // Monochrome rows are padded to 16 bits as the platform's device bitmaps are; DIB rows to
  // 32 bits; the screen format has no padding.
  const long long rowBits = static_cast<long long>(width) * bits;
  long long stride = fmt == Fmt::Mono ? (rowBits + 15) / 16 * 2 : (rowBits + 31) / 32 * 4;
  const long long total = stride * height;
  if (total > (1ll << 30)) return false;
  b.width = width;
  b.height = height;
  b.bpp = bits;
  b.fmt = fmt;
  b.stride = static_cast<int>(stride);
  const auto words = static_cast<std::size_t>((total + 3) / 4);
  if (zeroed) {
    // Screen-format words carry an opaque top byte, as every colour written to them does.
    b.store.assign(words, fmt == Fmt::Ddb32 ? ToWord(0) : 0u);
  } else {
    b.store.resize(words);  // a recycled buffer of the same size is reused as it is
  }
  b.data = reinterpret_cast<std::uint8_t*>(b.store.data());
  b.topDown = true;
  b.dib = false;
  b.compression = BI_RGB;
  b.clrUsed = 0;
  b.selectedIn = 0;
  b.table.clear();
  if (fmt == Fmt::Rgb32 || fmt == Fmt::Ddb32 || fmt == Fmt::Rgb24) SetChannels(b, 0xFF0000, 0xFF00, 0xFF);
  return true;
}

void ReadRow(const Bitmap& b, int x, int y, int n, std::uint32_t* out) {
  const std::uint8_t* row = b.Row(y);
  switch (b.fmt) {
    case Fmt::Ddb32: {
      const std::uint8_t* p = row + x * 4;
      for (int i = 0; i < n; ++i, p += 4) out[i] = FromWord(Load32(p));
      break;
    }
    case Fmt::Mono:
      for (int i = 0; i < n; ++i) out[i] = GetBits(row, x + i, 1);
      break;
    case Fmt::Idx1:
    case Fmt::Idx4:
    case Fmt::Idx8:
      for (int i = 0; i < n; ++i) out[i] = TableColour(b, GetBits(row, x + i, b.bpp));
      break;
    case Fmt::Bf16:
      for (int i = 0; i < n; ++i) out[i] = DecodeFields(b, Load16(row + (x + i) * 2));
      break;
    case Fmt::Rgb24:
      for (int i = 0; i < n; ++i) {
        const std::uint8_t* p = row + (x + i) * 3;
        out[i] = RGB(p[2], p[1], p[0]);
      }
      break;
    case Fmt::Rgb32:
      for (int i = 0; i < n; ++i) out[i] = FromWord(Load32(row + (x + i) * 4));
      break;
    case Fmt::Bf32:
      for (int i = 0; i < n; ++i) out[i] = DecodeFields(b, Load32(row + (x + i) * 4));
      break;
  }
}

void WriteRow(Bitmap& b, int x, int y, int n, const std::uint32_t* in, bool andWithDest) {
  std::uint8_t* row = b.Row(y);
  if (b.fmt == Fmt::Ddb32) {  // the common case, kept tight
    std::uint8_t* p = row + x * 4;
    for (int i = 0; i < n; ++i, p += 4) {
      const std::uint32_t w = ToWord(in[i]);
      Store32(p, andWithDest ? (Load32(p) & w) : w);
    }
    return;
  }
  if (b.fmt == Fmt::Mono) {
    for (int i = 0; i < n; ++i) {
      const unsigned v = in[i] & 1;
      PutBits(row, x + i, 1, andWithDest ? (GetBits(row, x + i, 1) & v) : v);
    }
    return;
  }
  std::uint32_t* merged = nullptr;
  if (andWithDest) {
    merged = Scratch(n, 1);
    ReadRow(b, x, y, n, merged);
    for (int i = 0; i < n; ++i) merged[i] &= in[i];
    in = merged;
  }
  switch (b.fmt) {
    case Fmt::Idx1:
    case Fmt::Idx4:
    case Fmt::Idx8: {
      COLORREF last = CLR_INVALID;
      unsigned index = 0;
      for (int i = 0; i < n; ++i) {
        if (in[i] != last) index = NearestIndex(b, last = in[i]);
        PutBits(row, x + i, b.bpp, index);
      }
      break;
    }
    case Fmt::Bf16:
      for (int i = 0; i < n; ++i) {
        const std::uint32_t v = EncodeFields(b, in[i]);
        row[(x + i) * 2] = static_cast<std::uint8_t>(v);
        row[(x + i) * 2 + 1] = static_cast<std::uint8_t>(v >> 8);
      }
      break;
    case Fmt::Rgb24:
      for (int i = 0; i < n; ++i) {
        std::uint8_t* p = row + (x + i) * 3;
        p[0] = GetBValue(in[i]);
        p[1] = GetGValue(in[i]);
        p[2] = GetRValue(in[i]);
      }
      break;
    case Fmt::Rgb32:
      for (int i = 0; i < n; ++i) Store32(row + (x + i) * 4, ToWord(in[i]) & 0xFFFFFF);
      break;
    case Fmt::Bf32:
      for (int i = 0; i < n; ++i) Store32(row + (x + i) * 4, EncodeFields(b, in[i]));
      break;
    default:
      break;
  }
}

COLORREF Quantize(const Bitmap& b, COLORREF c) {
  switch (b.fmt) {
    case Fmt::Idx1:
    case Fmt::Idx4:
    case Fmt::Idx8: return TableColour(b, NearestIndex(b, c));
    case Fmt::Bf16:
    case Fmt::Bf32: return DecodeFields(b, EncodeFields(b, c));
    default: return c & 0xFFFFFF;
  }
}

void Fill(Bitmap& b, COLORREF c) {
  if (b.fmt == Fmt::Ddb32) {
    std::fill(b.store.begin(), b.store.begin() + static_cast<std::ptrdiff_t>(b.width) * b.height, ToWord(c));
    return;
  }
  std::uint32_t* row = Scratch(b.width, 2);
  std::fill(row, row + b.width, b.Mono() ? (c == 0xFFFFFF ? 1u : 0u) : c);
  for (int y = 0; y < b.height; ++y) WriteRow(b, 0, y, b.width, row, false);
}

std::uint32_t* Scratch(int n, int slot) {
  static std::vector<std::uint32_t> buffers[4];
  std::vector<std::uint32_t>& v = buffers[slot];
  if (v.size() < static_cast<std::size_t>(n)) v.resize(static_cast<std::size_t>(n));
  return v.data();
}

}  // namespace detail

using namespace detail;

COLORREF GetPixel(HDC dc, int x, int y) {
  const Bitmap* b = SelectedBitmap(dc);
  if (b == nullptr || x < 0 || y < 0 || x >= b->width || y >= b->height) return CLR_INVALID;
  std::uint32_t v = 0;
  ReadRow(*b, x, y, 1, &v);
  return b->Mono() ? (v ? 0xFFFFFF : 0) : v;
}

BOOL SetPixelV(HDC dc, int x, int y, COLORREF c) {
  Bitmap* b = SelectedBitmap(dc);
  if (b == nullptr || x < 0 || y < 0 || x >= b->width || y >= b->height) return 0;
  c &= 0xFFFFFF;
  // A monochrome bitmap takes the nearer of black and white.
  std::uint32_t v = b->Mono() ? (GetRValue(c) + GetGValue(c) + GetBValue(c) >= 384 ? 1 : 0) : c;
  WriteRow(*b, x, y, 1, &v, false);
  return 1;
}

}  // namespace gdi
