#include "platform/window_system/picture_view_unix.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

namespace platform {

PictureView::PictureView(const Picture& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
  setFixedSize(picture.width, picture.height);
  // Every pixel is painted from the picture, so Qt need not clear the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::paintEvent(QPaintEvent* event) {
  const int w = picture_.width, h = picture_.height;
  // A picture set aside in another form while unseen has no pixels to show.
  if (picture_.argb.size() != static_cast<std::size_t>(w) * h) return;
  // 0xAARRGGBB words are RGB32's rows, shown opaque: wrap them, don't copy.
  const QImage image(reinterpret_cast<const uchar*>(picture_.argb.data()), w, h, w * 4, QImage::Format_RGB32);
  QPainter painter(this);
  const QRect r = event->rect();
  painter.drawImage(r.topLeft(), image, r);
}

}  // namespace platform
