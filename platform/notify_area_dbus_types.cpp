#include "platform/notify_area_dbus_types.h"

#include <QDBusMetaType>

namespace platform {

QDBusArgument& operator<<(QDBusArgument& a, const SniIconPixmap& v) {
  a.beginStructure();
  a << v.width << v.height << v.bytes;
  a.endStructure();
  return a;
}

const QDBusArgument& operator>>(const QDBusArgument& a, SniIconPixmap& v) {
  a.beginStructure();
  a >> v.width >> v.height >> v.bytes;
  a.endStructure();
  return a;
}

QDBusArgument& operator<<(QDBusArgument& a, const SniToolTip& v) {
  a.beginStructure();
  a << v.iconName << v.icons << v.title << v.description;
  a.endStructure();
  return a;
}

const QDBusArgument& operator>>(const QDBusArgument& a, SniToolTip& v) {
  a.beginStructure();
  a >> v.iconName >> v.icons >> v.title >> v.description;
  a.endStructure();
  return a;
}

// (ia{sv}av): the children travel as variants, each holding the same structure.
QDBusArgument& operator<<(QDBusArgument& a, const DBusMenuLayoutItem& v) {
  a.beginStructure();
  a << v.id << v.properties;
  a.beginArray(qMetaTypeId<QDBusVariant>());
  for (const DBusMenuLayoutItem& child : v.children)
    a << QDBusVariant(QVariant::fromValue(child));
  a.endArray();
  a.endStructure();
  return a;
}

const QDBusArgument& operator>>(const QDBusArgument& a, DBusMenuLayoutItem& v) {
  a.beginStructure();
  a >> v.id >> v.properties;
  a.beginArray();
  v.children.clear();
  while (!a.atEnd()) {
    QDBusVariant var;
    a >> var;
    DBusMenuLayoutItem child;
    qvariant_cast<QDBusArgument>(var.variant()) >> child;
    v.children.append(child);
  }
  a.endArray();
  a.endStructure();
  return a;
}

QDBusArgument& operator<<(QDBusArgument& a, const DBusMenuItemProperties& v) {
  a.beginStructure();
  a << v.id << v.properties;
  a.endStructure();
  return a;
}

const QDBusArgument& operator>>(const QDBusArgument& a, DBusMenuItemProperties& v) {
  a.beginStructure();
  a >> v.id >> v.properties;
  a.endStructure();
  return a;
}

QDBusArgument& operator<<(QDBusArgument& a, const DBusMenuItemKeys& v) {
  a.beginStructure();
  a << v.id << v.names;
  a.endStructure();
  return a;
}

const QDBusArgument& operator>>(const QDBusArgument& a, DBusMenuItemKeys& v) {
  a.beginStructure();
  a >> v.id >> v.names;
  a.endStructure();
  return a;
}

QDBusArgument& operator<<(QDBusArgument& a, const DBusMenuEvent& v) {
  a.beginStructure();
  a << v.id << v.eventId << v.data << v.timestamp;
  a.endStructure();
  return a;
}

const QDBusArgument& operator>>(const QDBusArgument& a, DBusMenuEvent& v) {
  a.beginStructure();
  a >> v.id >> v.eventId >> v.data >> v.timestamp;
  a.endStructure();
  return a;
}

void RegisterNotifyAreaDBusTypes() {
  static const bool done = [] {
    qDBusRegisterMetaType<SniIconPixmap>();
    qDBusRegisterMetaType<SniIconPixmapList>();
    qDBusRegisterMetaType<SniToolTip>();
    qDBusRegisterMetaType<DBusMenuLayoutItem>();
    qDBusRegisterMetaType<QList<DBusMenuLayoutItem>>();
    qDBusRegisterMetaType<DBusMenuItemProperties>();
    qDBusRegisterMetaType<DBusMenuItemPropertiesList>();
    qDBusRegisterMetaType<DBusMenuItemKeys>();
    qDBusRegisterMetaType<DBusMenuItemKeysList>();
    qDBusRegisterMetaType<DBusMenuEvent>();
    qDBusRegisterMetaType<DBusMenuEventList>();
    return true;
  }();
  (void)done;
}

SniIconPixmap MakeSniIconPixmap(const std::uint32_t* argb, int width, int height) {
  SniIconPixmap p;
  p.width = width;
  p.height = height;
  p.bytes.resize(static_cast<qsizetype>(width) * height * 4);
  char* out = p.bytes.data();
  for (int i = 0; i < width * height; ++i) {
    const std::uint32_t v = argb[i];
    *out++ = static_cast<char>(v >> 24);
    *out++ = static_cast<char>(v >> 16);
    *out++ = static_cast<char>(v >> 8);
    *out++ = static_cast<char>(v);
  }
  return p;
}

}  // namespace platform
