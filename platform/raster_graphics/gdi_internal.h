// Internals of the software raster layer shared by its source files and by the picture
// surface: the object table, the bitmap and context records, and the pixel codecs.
// Single-threaded by design: every caller runs on the user-interface thread.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/raster_graphics/gdi.h"

namespace gdi::detail {

// Pixel layouts. Mono is a monochrome bitmap (bit 1 = white). Ddb32 is the screen format,
// stored as 0xFFRRGGBB words, rows top-down, no padding. The rest are DIB-section layouts.
enum class Fmt : std::uint8_t { Mono, Ddb32, Idx1, Idx4, Idx8, Bf16, Rgb24, Rgb32, Bf32 };

struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;
};

struct Bitmap {
  int width = 0;
  int height = 0;
  int bpp = 1;
  Fmt fmt = Fmt::Mono;
  bool dib = false;
  bool topDown = true;  // row 0 is stored first
  DWORD compression = BI_RGB;
  DWORD clrUsed = 0;
  Channel ch[3];  // red, green, blue (bit-field layouts)
  std::vector<RGBQUAD> table;  // indexed layouts
  int stride = 0;              // bytes per stored row
  std::uint8_t* data = nullptr;
  std::vector<std::uint32_t> store;  // owns data unless this is a view on foreign memory
  HDC selectedIn = 0;

  std::uint8_t* Row(int y) { return data + static_cast<std::ptrdiff_t>(topDown ? y : height - 1 - y) * stride; }
  const std::uint8_t* Row(int y) const {
    return data + static_cast<std::ptrdiff_t>(topDown ? y : height - 1 - y) * stride;
  }
  bool Mono() const { return fmt == Fmt::Mono; }
};

struct Dc {
  HBITMAP bitmap = 0;
  COLORREF bk = 0xFFFFFF;
  COLORREF text = 0;
  int stretchMode = BLACKONWHITE;
  bool screen = false;
};

struct Icon {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;  // straight 0xAARRGGBB, alpha 0 or 0xFF
};

enum class Kind : std::uint8_t { Free, Dc, Bitmap, Icon };

// Lookups: null when the handle is not a live object of that kind.
Dc* FindDc(HDC h);
Bitmap* FindBitmap(HBITMAP h);
Icon* FindIcon(HICON h);
Bitmap* SelectedBitmap(HDC h);  // the bitmap held by a memory DC, or null

// Creation: a new object in the table; its record is returned through *out (stable until the
// object is deleted). Objects are recycled with their buffers, so steady churn does not
// allocate.
HBITMAP NewBitmap(Bitmap** out);
HICON NewIcon(Icon** out);
HDC NewDc(Dc** out);
void FreeObject(HGDIOBJ h);

HBITMAP StockBitmap();
HDC ScreenDc();

// Shapes a bitmap record for a layout and size and gives it zeroed storage (or storage of
// unspecified content, for a caller that overwrites all of it). False when the size is not
// representable.
bool Allocate(Bitmap& b, Fmt fmt, int width, int height, bool zeroed = true);

// A new bitmap in the screen's format holding a copy of a screen-format bitmap's pixels,
// made without clearing its storage first; 0 on failure.
HBITMAP CopyScreenBitmap(const Bitmap& from);
void SetChannels(Bitmap& b, DWORD red, DWORD green, DWORD blue);

// Row codecs. Colour bitmaps read and write COLORREF values; monochrome ones 0/1 bits.
void ReadRow(const Bitmap& b, int x, int y, int n, std::uint32_t* out);
void WriteRow(Bitmap& b, int x, int y, int n, const std::uint32_t* in, bool andWithDest);
COLORREF Quantize(const Bitmap& b, COLORREF c);  // nearest colour the layout can hold

// Converts between COLORREF and the screen format's stored word.
constexpr std::uint32_t ToWord(COLORREF c) {
  return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF FromWord(std::uint32_t p) {
  return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

// Block transfer between two bitmap records, clipped to both; the colour rules of BitBlt.
// srcBk: background colour of the source context; dstBk/dstText: the destination context's.
bool Blit(Bitmap& dst, COLORREF dstBk, COLORREF dstText, int x, int y, int w, int h,
          const Bitmap& src, COLORREF srcBk, int sx, int sy, DWORD rop);

// Fills a whole bitmap with one colour (a bit for monochrome bitmaps).
void Fill(Bitmap& b, COLORREF c);

// A scratch row buffer reused across calls (no allocation once grown).
std::uint32_t* Scratch(int n, int slot = 0);

}  // namespace gdi::detail
