// The structured values of the StatusNotifierItem and dbusmenu interfaces, as the program
// holds them before they are written into bus messages.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <cstdint>

namespace platform {

// One picture of an item: width, height and ARGB32 pixels in network byte order.
struct SniIconPixmap {
  int width = 0;
  int height = 0;
  QByteArray bytes;
};
using SniIconPixmapList = QList<SniIconPixmap>;

// A menu entry and, down to the depth asked for, its children.
struct DBusMenuLayoutItem {
  int id = 0;
  QVariantMap properties;
  QList<DBusMenuLayoutItem> children;
};

struct DBusMenuItemProperties {
  int id = 0;
  QVariantMap properties;
};

struct DBusMenuItemKeys {
  int id = 0;
  QStringList names;
};

// Straight 0xAARRGGBB pixels as the ARGB32 network-byte-order picture an item sends.
SniIconPixmap MakeSniIconPixmap(const std::uint32_t* argb, int width, int height);

}  // namespace platform
