// Picture objects and picture surfaces on the software raster layer.
#include "platform/raster_graphics/picture_surface.h"

#include <cstdlib>

#include "platform/raster_graphics/gdi_internal.h"
#include "platform/runtime/runtime.h"

namespace platform {

using gdi::detail::Bitmap;

namespace {

// A new bitmap in the screen's format (zeroed: black).
gdi::HBITMAP NewScreenBitmap(int width, int height) {
  const gdi::HDC screen = gdi::GetDC(gdi::GetDesktopWindow());
  const gdi::HBITMAP bitmap = gdi::CreateCompatibleBitmap(screen, width, height);
  gdi::ReleaseDC(gdi::GetDesktopWindow(), screen);
  return bitmap;
}

}  // namespace

StdPicture::StdPicture(gdi::HBITMAP bitmap) : bitmap_(bitmap) {}

StdPicture::~StdPicture() {
  if (bitmap_ != 0) gdi::DeleteObject(bitmap_);
}

int StdPicture::Width() const {
  const Bitmap* b = gdi::detail::FindBitmap(bitmap_);
  return b ? b->width : 0;
}

int StdPicture::Height() const {
  const Bitmap* b = gdi::detail::FindBitmap(bitmap_);
  return b ? b->height : 0;
}

Picture PictureFromArgb(int width, int height, const std::uint32_t* argb) {
  const gdi::HBITMAP bitmap = NewScreenBitmap(width, height);
  Bitmap* b = gdi::detail::FindBitmap(bitmap);
  if (b == nullptr || argb == nullptr) {
    if (bitmap) gdi::DeleteObject(bitmap);
    return nullptr;
  }
  for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) b->store[i] = 0xFF000000u | argb[i];
  return std::make_shared<const StdPicture>(bitmap);
}

PictureSurface::PictureSurface(int width, int height, gdi::COLORREF backColor, gdi::COLORREF foreColor)
    : width_(width), height_(height), backColor_(backColor & 0xFFFFFF), foreColor_(foreColor & 0xFFFFFF) {
  if (width < 1 || height < 1) Raise(kErrInvalidCall);
  dc_ = gdi::CreateCompatibleDC(0);
  image_ = NewScreenBitmap(width, height);
  if (dc_ == 0 || image_ == 0) {
    if (image_) gdi::DeleteObject(image_);
    if (dc_) gdi::DeleteDC(dc_);
    Raise(kErrOutOfMemory);
  }
  oldBitmap_ = gdi::SelectObject(dc_, image_);
  gdi::detail::Fill(*gdi::detail::FindBitmap(image_), backColor_);
}

PictureSurface::~PictureSurface() {
  gdi::SelectObject(dc_, oldBitmap_);
  gdi::DeleteObject(image_);
  gdi::DeleteDC(dc_);
}

Picture PictureSurface::Image() const {
  Expand();
  const gdi::HBITMAP copy = gdi::detail::CopyScreenBitmap(*gdi::detail::FindBitmap(image_));
  if (copy == 0) Raise(kErrOutOfMemory);
  return std::make_shared<const StdPicture>(copy);
}

void PictureSurface::SetPicture(Picture picture) {
  picture_ = std::move(picture);
  Cls();
}

void PictureSurface::Cls() {
  Expand();
  Bitmap* image = gdi::detail::FindBitmap(image_);
  const Bitmap* p = picture_ ? gdi::detail::FindBitmap(picture_->Handle()) : nullptr;
  // A screen-format picture covering the whole surface leaves no background showing.
  const bool covers = p && p->fmt == image->fmt && p->width >= width_ && p->height >= height_;
  if (!covers) gdi::detail::Fill(*image, backColor_);
  if (p) {
    const gdi::detail::Dc* dc = gdi::detail::FindDc(dc_);
    gdi::detail::Blit(*image, dc->bk, dc->text, 0, 0, p->width, p->height, *p, 0xFFFFFF, 0, 0, gdi::SRCCOPY);
  }
  Changed();
}

void PictureSurface::Line(int x1, int y1, int x2, int y2) { Line(x1, y1, x2, y2, foreColor_); }

// Bresenham's line from (x1, y1) towards (x2, y2), the end point excluded; pixels outside the
// surface are skipped.
void PictureSurface::Line(int x1, int y1, int x2, int y2, gdi::COLORREF colour) {
  Expand();
  Bitmap* image = gdi::detail::FindBitmap(image_);
  const std::uint32_t word = gdi::detail::ToWord(colour & 0xFFFFFF);
  long long x = x1, y = y1;
  const long long dx = std::llabs(static_cast<long long>(x2) - x1);
  const long long dy = -std::llabs(static_cast<long long>(y2) - y1);
  const int stepX = x1 < x2 ? 1 : -1;
  const int stepY = y1 < y2 ? 1 : -1;
  // A line wholly on one side of the surface draws nothing.
  const bool outside = (x1 < 0 && x2 < 0) || (y1 < 0 && y2 < 0) || (x1 >= width_ && x2 >= width_) ||
                       (y1 >= height_ && y2 >= height_);
  long long error = dx + dy;
  while (!outside && !(x == x2 && y == y2)) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) {
      image->store[y * width_ + x] = word;
    } else if ((stepX > 0 ? x >= width_ : x < 0) || (stepY > 0 ? y >= height_ : y < 0)) {
      break;  // moving away from the surface: nothing more to draw
    }
    const long long twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += stepX;
    }
    if (twice <= dx) {
      error += dx;
      y += stepY;
    }
  }
  Changed();
}

void PictureSurface::PaintPicture(const StdPicture& picture, int x, int y) {
  Expand();
  Bitmap* image = gdi::detail::FindBitmap(image_);
  if (const Bitmap* p = gdi::detail::FindBitmap(picture.Handle())) {
    const gdi::detail::Dc* dc = gdi::detail::FindDc(dc_);
    gdi::detail::Blit(*image, dc->bk, dc->text, x, y, p->width, p->height, *p, 0xFFFFFF, 0, 0, gdi::SRCCOPY);
  }
  Changed();
}

void PictureSurface::SetBackColor(gdi::COLORREF c) {
  backColor_ = c & 0xFFFFFF;
  Cls();
}

const std::uint32_t* PictureSurface::Pixels() const {
  Expand();
  return gdi::detail::FindBitmap(image_)->store.data();
}

void PictureSurface::MarkChanged() const { Changed(); }

void PictureSurface::Compact() {
  if (compact_ || tooColourful_) return;
  Bitmap* image = gdi::detail::FindBitmap(image_);
  auto packed = std::make_unique<CompactImage>();
  packed->indices.resize(image->store.size());
  std::size_t last = 0;  // neighbouring pixels mostly share a colour
  for (std::size_t i = 0; i < image->store.size(); ++i) {
    const std::uint32_t word = image->store[i];
    if (last >= packed->colours.size() || packed->colours[last] != word) {
      last = 0;
      while (last < packed->colours.size() && packed->colours[last] != word) ++last;
      if (last == packed->colours.size()) {
        if (last == 256) {
          tooColourful_ = true;  // the image stays as it is until it changes
          return;
        }
        packed->colours.push_back(word);
      }
    }
    packed->indices[i] = static_cast<std::uint8_t>(last);
  }
  std::vector<std::uint32_t>().swap(image->store);
  image->data = nullptr;
  compact_ = std::move(packed);
}

void PictureSurface::Expand() const {
  if (!compact_) return;
  Bitmap* image = gdi::detail::FindBitmap(image_);
  image->store.resize(compact_->indices.size());
  for (std::size_t i = 0; i < compact_->indices.size(); ++i) image->store[i] = compact_->colours[compact_->indices[i]];
  image->data = reinterpret_cast<std::uint8_t*>(image->store.data());
  compact_.reset();
}

void PictureSurface::Changed() const {
  tooColourful_ = false;
  if (changed_) changed_();
}

}  // namespace platform
