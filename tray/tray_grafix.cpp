#include "tray/tray_grafix.h"

#include <climits>
#include <cstring>

#include "platform/runtime/runtime.h"

namespace TrayGrafix {

using namespace gdi;

namespace {

int CheckedMul(int a, int b) {
  int r;
  if (__builtin_mul_overflow(a, b, &r)) platform::RaiseOverflow();
  return r;
}

int CheckedAdd(int a, int b) {
  int r;
  if (__builtin_add_overflow(a, b, &r)) platform::RaiseOverflow();
  return r;
}

int CheckedAbs(int v) {
  if (v == INT_MIN) platform::RaiseOverflow();
  return v < 0 ? -v : v;
}

}  // namespace

HBITMAP MakeMask(HDC src, int x, int y, int w, int h, COLORREF key) {
  if (w < 1 || h < 1) return 0;
  const HDC mem = CreateCompatibleDC(src);
  if (mem == 0) return 0;
  const HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
  if (mask == 0) {
    DeleteDC(mem);
    return 0;
  }
  const HGDIOBJ previous = SelectObject(mem, mask);
  if (previous == 0) {
    DeleteObject(mask);
    DeleteDC(mem);
    return 0;
  }
  // Colour to monochrome: pixels equal to the source's background colour become 1.
  const COLORREF oldBack = SetBkColor(src, key);
  const BOOL copied = BitBlt(mem, 0, 0, w, h, src, x, y, SRCCOPY);
  SetBkColor(src, oldBack);
  SelectObject(mem, previous);
  DeleteDC(mem);
  if (copied) return mask;
  DeleteObject(mask);
  return 0;
}

HBITMAP CopyBitmap(HBITMAP bitmap, int kind, int w, int h, int stretchMode) {
  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  BITMAP bm{};
  if (GetObjectA(bitmap, sizeof bm, &bm) == 0) return 0;

  const HDC srcDc = CreateCompatibleDC(0);
  const HDC dstDc = CreateCompatibleDC(0);
  const HGDIOBJ srcPrevious = SelectObject(srcDc, bitmap);
  HBITMAP target = 0;
  // Releases both contexts (and a target not yet handed out) on every early exit.
  auto release = [&] {
    if (target) DeleteObject(target);
    if (srcPrevious) SelectObject(srcDc, srcPrevious);
    DeleteDC(dstDc);
    DeleteDC(srcDc);
  };
  try {
    const int width = w != 0 ? CheckedAbs(w) : bm.bmWidth;
    const int height = h != 0 ? CheckedAbs(h) : bm.bmHeight;
    if (srcPrevious == 0 || srcDc == 0 || dstDc == 0) {
      release();
      return 0;
    }
    if (kind == 0) kind = bm.bmBits != nullptr ? 2 : 1;

    if (kind == 2) {
      BITMAPINFOHEADER& head = info.bmiHeader;
      head.biSize = sizeof(BITMAPINFOHEADER);
      if (GetDIBits(srcDc, bitmap, 0, 0, nullptr, &info, DIB_RGB_COLORS) != 0) {
        if ((head.biBitCount >= 1 && head.biBitCount <= 8) || head.biCompression == BI_BITFIELDS) {
          // The second query fills the colour table or masks and may rewrite the colour count.
          const DWORD colours = head.biClrUsed;
          GetDIBits(srcDc, bitmap, 0, 0, nullptr, &info, DIB_RGB_COLORS);
          head.biClrUsed = colours;
        }
        head.biWidth = width;
        head.biHeight = height;
        const int stride = CheckedAdd(CheckedMul(head.biBitCount, width), 31) / 32 * 4;
        head.biSizeImage = static_cast<DWORD>(CheckedMul(stride, height));
        target = CreateDIBSection(dstDc, &info, DIB_RGB_COLORS, nullptr, 0, 0);
      }
    } else {
      const HWND desktop = GetDesktopWindow();
      const HDC screen = GetDC(desktop);
      target = CreateCompatibleBitmap(screen, width, height);
      ReleaseDC(desktop, screen);
    }

    const HGDIOBJ dstPrevious = target ? SelectObject(dstDc, target) : 0;
    if (dstPrevious == 0) {
      release();
      return 0;
    }
    BOOL copied;
    if (width == bm.bmWidth && height == bm.bmHeight) {
      copied = BitBlt(dstDc, 0, 0, bm.bmWidth, bm.bmHeight, srcDc, 0, 0, SRCCOPY);
    } else {
      SetStretchBltMode(dstDc, stretchMode);
      copied = StretchBlt(dstDc, 0, 0, width, height, srcDc, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    }
    SelectObject(dstDc, dstPrevious);
    const HBITMAP result = copied ? target : 0;
    if (copied) target = 0;  // handed to the caller
    release();
    return result;
  } catch (...) {
    release();
    throw;
  }
}

HICON BitmapToIcon(HBITMAP bitmap, COLORREF key) {
  BITMAP bm{};
  if (GetObjectA(bitmap, sizeof bm, &bm) == 0) return 0;
  const HBITMAP colour = CopyBitmap(bitmap, 1, 0, 0, HALFTONE);
  const HDC d1 = CreateCompatibleDC(0);
  const HDC d2 = CreateCompatibleDC(0);
  HBITMAP mask = 0;
  const HGDIOBJ d1Previous = colour && d1 ? SelectObject(d1, colour) : 0;
  if (d1Previous != 0) {
    mask = MakeMask(d1, 0, 0, bm.bmWidth, bm.bmHeight, key);
    const HGDIOBJ d2Previous = mask && d2 ? SelectObject(d2, mask) : 0;
    if (d2Previous != 0) {
      // Mask 1 becomes black and 0 white before the AND: transparent pixels turn black.
      SetTextColor(d1, 0xFFFFFF);
      SetBkColor(d1, 0);
      BitBlt(d1, 0, 0, bm.bmWidth, bm.bmHeight, d2, 0, 0, SRCAND);
      SelectObject(d2, d2Previous);
    }
    SelectObject(d1, d1Previous);
  }
  DeleteDC(d2);
  DeleteDC(d1);
  HICON icon = 0;
  if (mask != 0) {
    ICONINFO info{};
    info.fIcon = -1;
    info.xHotspot = 0;
    info.yHotspot = 0;
    info.hbmMask = mask;
    info.hbmColor = colour;
    icon = CreateIconIndirect(&info);
  }
  if (mask) DeleteObject(mask);
  if (colour) DeleteObject(colour);
  return icon;
}

}  // namespace TrayGrafix
