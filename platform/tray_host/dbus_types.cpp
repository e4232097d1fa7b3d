#include "platform/tray_host/dbus_types.h"

#include <QtEndian>

namespace platform {

SniIconPixmap MakeSniIconPixmap(const std::uint32_t* argb, int width, int height) {
  SniIconPixmap p;
  p.width = width;
  p.height = height;
  const qsizetype count = static_cast<qsizetype>(width) * height;
  p.bytes = QByteArray(count * 4, Qt::Uninitialized);
  qToBigEndian<quint32>(argb, count, p.bytes.data());
  return p;
}

}  // namespace platform
