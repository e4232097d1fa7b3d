#include "platform/pictures/picture_unix.h"

namespace platform {

// 0xAARRGGBB words, row 0 first, are ARGB32's rows as they are.
QImage WrapQImage(const Picture& picture) {
  if (picture.argb.size() != static_cast<std::size_t>(picture.width) * picture.height || picture.argb.empty())
    return {};
  return QImage(reinterpret_cast<const uchar*>(picture.argb.data()), picture.width, picture.height,
                picture.width * 4, QImage::Format_ARGB32);
}

QImage ToQImage(const Picture& picture) { return WrapQImage(picture).copy(); }

}  // namespace platform
