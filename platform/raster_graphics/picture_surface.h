// A picture surface: a fixed-size drawing area whose scale unit is the pixel, with a background
// colour, a drawing colour, a background picture and a persistent image that keeps everything
// drawn on it. hDC is a device context of the raster layer with the persistent image selected,
// so raster operations on it show in Image(). Shown surfaces are painted by SurfaceView.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/raster_graphics/gdi.h"

namespace platform {

// A picture object: owns one bitmap, selected into no device context.
class StdPicture {
 public:
  explicit StdPicture(gdi::HBITMAP bitmap);
  ~StdPicture();
  StdPicture(const StdPicture&) = delete;
  StdPicture& operator=(const StdPicture&) = delete;
  gdi::HBITMAP Handle() const { return bitmap_; }
  int Width() const;
  int Height() const;

 private:
  gdi::HBITMAP bitmap_;
};
using Picture = std::shared_ptr<const StdPicture>;

// Makes a picture from straight 0xAARRGGBB pixels, row 0 at the top (alpha ignored).
Picture PictureFromArgb(int width, int height, const std::uint32_t* argb);

class PictureSurface {
 public:
  PictureSurface(int width, int height, gdi::COLORREF backColor, gdi::COLORREF foreColor = 0);
  ~PictureSurface();
  PictureSurface(const PictureSurface&) = delete;
  PictureSurface& operator=(const PictureSurface&) = delete;

  // Snapshot of the persistent image in a new bitmap that no device context holds.
  Picture Image() const;
  // The background picture; assigning one repaints the persistent image from it at (0, 0) over
  // the background colour. Assigning null clears the picture.
  const Picture& GetPicture() const { return picture_; }
  void SetPicture(Picture picture);

  gdi::HDC hDC() const {
    Expand();
    return dc_;
  }

  // Clears what was drawn: the background colour, with the background picture over it.
  void Cls();
  // One-pixel line in the drawing colour, or in the given colour. The end point is not drawn.
  void Line(int x1, int y1, int x2, int y2);
  void Line(int x1, int y1, int x2, int y2, gdi::COLORREF colour);
  // Full-size copy of a picture with its top-left corner at (x, y); negative offsets allowed.
  void PaintPicture(const StdPicture& picture, int x, int y);

  gdi::COLORREF BackColor() const { return backColor_; }
  void SetBackColor(gdi::COLORREF c);  // repaints the image as Cls does
  gdi::COLORREF ForeColor() const { return foreColor_; }
  void SetForeColor(gdi::COLORREF c) { foreColor_ = c; }
  int ScaleWidth() const { return width_; }
  int ScaleHeight() const { return height_; }
  float Width() const { return static_cast<float>(width_); }
  float Height() const { return static_cast<float>(height_); }

  // The persistent image as 0xFFRRGGBB pixels, row 0 at the top, width*height entries.
  // Valid until the next change of the surface.
  const std::uint32_t* Pixels() const;
  // Called after every change made through this class, so a view can repaint.
  void SetChangedCallback(std::function<void()> cb) { changed_ = std::move(cb); }
  // Tells the surface its image was changed through hDC() (raster operations).
  void MarkChanged() const;

  // Keeps the persistent image in a compact form, one byte per pixel over a table of its
  // colours, until anything above uses the surface again (an image of more than 256 colours
  // stays as it is). For a surface that goes unseen and undrawn for a long while.
  void Compact();

 private:
  void Changed() const;
  void Expand() const;
  struct CompactImage {
    std::vector<std::uint32_t> colours;
    std::vector<std::uint8_t> indices;
  };
  int width_;
  int height_;
  gdi::COLORREF backColor_;
  gdi::COLORREF foreColor_;
  Picture picture_;
  gdi::HDC dc_ = 0;
  gdi::HBITMAP image_ = 0;
  gdi::HGDIOBJ oldBitmap_ = 0;
  std::function<void()> changed_;
  mutable std::unique_ptr<CompactImage> compact_;
  mutable bool tooColourful_ = false;  // Compact() found too many colours; reset by any change
};

}  // namespace platform
