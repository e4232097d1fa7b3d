#include "platform/notification_area/dbus_types.h"

#include <QDBusMetaType>
#include <QtEndian>

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
  const qsizetype count = static_cast<qsizetype>(width) * height;
  p.bytes = QByteArray(count * 4, Qt::Uninitialized);
  qToBigEndian<quint32>(argb, count, p.bytes.data());
  return p;
}

}  // namespace platform
