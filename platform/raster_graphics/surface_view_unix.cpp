#include "platform/raster_graphics/surface_view_unix.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

namespace platform {

SurfaceView::SurfaceView(PictureSurface& surface, QWidget* parent)
    : QWidget(parent), surface_(surface) {
  setFixedSize(surface.ScaleWidth(), surface.ScaleHeight());
  // Every pixel is painted from the image, so Qt need not clear the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  surface_.SetChangedCallback([this] { update(); });
}

SurfaceView::~SurfaceView() { surface_.SetChangedCallback(nullptr); }

void SurfaceView::paintEvent(QPaintEvent* event) {
  const int w = surface_.ScaleWidth();
  const int h = surface_.ScaleHeight();
  // The surface's pixels are 0xFFRRGGBB words, exactly QImage's RGB32 layout: wrap, don't copy.
  const QImage image(reinterpret_cast<const uchar*>(surface_.Pixels()), w, h, w * 4,
                     QImage::Format_RGB32);
  QPainter painter(this);
  const QRect r = event->rect();
  painter.drawImage(r.topLeft(), image, r);
}

}  // namespace platform
