// Stateless routines that turn a colour bitmap and a key colour into an icon in which every
// pixel of exactly that colour is transparent. Every object they create is deleted before
// they return, apart from the handle returned, which the caller frees.
#pragma once

#include "platform/raster_graphics/gdi.h"

namespace TrayGrafix {

// An icon of the bitmap's size: key-colour pixels transparent, the rest the bitmap's colours.
// 0 when the handle is no bitmap or a step fails. The bitmap must be selected into no DC.
gdi::HICON BitmapToIcon(gdi::HBITMAP bitmap, gdi::COLORREF key);

// A monochrome w x h bitmap with 1 where the source pixel equals the key colour, 0 elsewhere;
// 0 for w < 1 or h < 1 or when a step fails. The source DC's background colour is restored.
gdi::HBITMAP MakeMask(gdi::HDC src, int x, int y, int w, int h, gdi::COLORREF key);

// A copy of the bitmap: kind 0 = same kind as the source, 2 = DIB section in the source's
// format, anything else = screen format. A width or height of 0 keeps the source's; others
// are taken as absolute values and the copy is scaled with the given stretch mode.
// 0 on failure; an image size beyond 32-bit arithmetic raises Overflow (nothing leaks).
gdi::HBITMAP CopyBitmap(gdi::HBITMAP bitmap, int kind, int w, int h, int stretchMode);

}  // namespace TrayGrafix
