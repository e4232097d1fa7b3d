// A small software raster-graphics layer on in-memory pixel buffers: device contexts,
// bitmaps (monochrome, screen-format and DIB sections), block transfers and icons, with the
// effects the program relies on. Pure C++: no display is needed and it behaves the same
// everywhere. Handles are 32-bit values; 0 means "no object".
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gdi {

using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using LONG = std::int32_t;
using BOOL = std::int32_t;
using UINT = std::uint32_t;
using BYTE = std::uint8_t;
using COLORREF = std::uint32_t;  // 0x00BBGGRR
using HGDIOBJ = std::uint32_t;
using HDC = HGDIOBJ;
using HBITMAP = HGDIOBJ;
using HICON = HGDIOBJ;
using HWND = std::uint32_t;
using HANDLE = std::uint32_t;

inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD SRCAND = 0x008800C6;
inline constexpr int BLACKONWHITE = 1;
inline constexpr int WHITEONBLACK = 2;
inline constexpr int COLORONCOLOR = 3;
inline constexpr int HALFTONE = 4;
inline constexpr UINT DIB_RGB_COLORS = 0;
inline constexpr DWORD BI_RGB = 0;
inline constexpr DWORD BI_BITFIELDS = 3;
inline constexpr LONG OBJ_BITMAP_TYPE = 0;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) { return r | (g << 8) | (DWORD{b} << 16); }
constexpr BYTE GetRValue(COLORREF c) { return c & 0xFF; }
constexpr BYTE GetGValue(COLORREF c) { return (c >> 8) & 0xFF; }
constexpr BYTE GetBValue(COLORREF c) { return (c >> 16) & 0xFF; }

// Records laid out as the platform publishes them for a 64-bit build. BITMAP holds a pointer,
// so it takes 32 bytes there: callers pass sizeof(BITMAP).
struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  void* bmBits;  // non-null only for a DIB section
};
static_assert(sizeof(BITMAP) == 32);

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;  // positive: bottom-up rows
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};

// The header and a colour table of 256 entries (for BI_BITFIELDS the first three entries hold
// the red, green and blue masks).
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[256];
};
static_assert(sizeof(BITMAPINFO) == 1064);

struct ICONINFO {
  BOOL fIcon;
  DWORD xHotspot;
  DWORD yHotspot;
  HBITMAP hbmMask;
  HBITMAP hbmColor;
};

// Objects
int GetObjectA(HGDIOBJ h, int cb, void* out);  // bytes written, 0 if h is no bitmap
HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj);     // previous object, 0 on failure
BOOL DeleteObject(HGDIOBJ obj);                // fails for a bitmap still selected somewhere

// Device contexts. A memory DC starts with a 1x1 monochrome stock bitmap selected.
HDC CreateCompatibleDC(HDC dc);  // 0 = compatible with the screen
BOOL DeleteDC(HDC dc);
HWND GetDesktopWindow();
HDC GetDC(HWND wnd);  // the screen's context (32 bits per pixel) for the desktop window
int ReleaseDC(HWND wnd, HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF c);    // previous colour, CLR_INVALID on failure
COLORREF SetTextColor(HDC dc, COLORREF c);  // previous colour, CLR_INVALID on failure
int SetStretchBltMode(HDC dc, int mode);    // previous mode, 0 on failure
int GetDeviceBitsPixel(HDC dc);             // bits per pixel of the DC's format

// Bitmaps
HBITMAP CreateBitmap(int w, int h, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC dc, int w, int h);
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* bmi, UINT usage, void** bits, HANDLE section,
                         DWORD offset);
int GetDIBits(HDC dc, HBITMAP bmp, UINT start, UINT lines, void* bits, BITMAPINFO* bmi, UINT usage);

// Transfers and pixels
BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop);
BOOL StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                DWORD rop);
COLORREF GetPixel(HDC dc, int x, int y);  // CLR_INVALID outside the bitmap
BOOL SetPixelV(HDC dc, int x, int y, COLORREF c);

// Icons: the icon owns copies of both bitmaps.
HICON CreateIconIndirect(const ICONINFO* info);
BOOL DestroyIcon(HICON icon);

// An icon's pixels as straight (not premultiplied) 0xAARRGGBB, row 0 at the top: where the
// mask bit is 1 the pixel is transparent (alpha 0), elsewhere opaque with the colour bitmap's
// colour. Returns false for a handle that is no icon.
struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;
};
bool ReadIconImage(HICON icon, IconImage* out);

// Builds an icon from straight 0xAARRGGBB pixels (alpha 0 = transparent, else opaque).
HICON CreateIconFromArgb(int w, int h, const std::uint32_t* argb);

// Live objects (DCs, bitmaps, icons) other than stock objects; tests use it to prove that
// nothing leaks.
std::size_t LiveObjectCount();

}  // namespace gdi
