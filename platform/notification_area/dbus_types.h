// The structured D-Bus values of the StatusNotifierItem and dbusmenu interfaces, with their
// marshalling. RegisterNotifyAreaDBusTypes() must run before any of them is sent.
#pragma once

#include <QDBusArgument>
#include <QDBusVariant>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace platform {

// One picture of an item: width, height and ARGB32 pixels in network byte order.
struct SniIconPixmap {
  int width = 0;
  int height = 0;
  QByteArray bytes;
};
using SniIconPixmapList = QList<SniIconPixmap>;

struct SniToolTip {
  QString iconName;
  SniIconPixmapList icons;
  QString title;
  QString description;
};

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
using DBusMenuItemPropertiesList = QList<DBusMenuItemProperties>;

struct DBusMenuItemKeys {
  int id = 0;
  QStringList names;
};
using DBusMenuItemKeysList = QList<DBusMenuItemKeys>;

struct DBusMenuEvent {
  int id = 0;
  QString eventId;
  QDBusVariant data;
  uint timestamp = 0;
};
using DBusMenuEventList = QList<DBusMenuEvent>;

QDBusArgument& operator<<(QDBusArgument& a, const SniIconPixmap& v);
const QDBusArgument& operator>>(const QDBusArgument& a, SniIconPixmap& v);
QDBusArgument& operator<<(QDBusArgument& a, const SniToolTip& v);
const QDBusArgument& operator>>(const QDBusArgument& a, SniToolTip& v);
QDBusArgument& operator<<(QDBusArgument& a, const DBusMenuLayoutItem& v);
const QDBusArgument& operator>>(const QDBusArgument& a, DBusMenuLayoutItem& v);
QDBusArgument& operator<<(QDBusArgument& a, const DBusMenuItemProperties& v);
const QDBusArgument& operator>>(const QDBusArgument& a, DBusMenuItemProperties& v);
QDBusArgument& operator<<(QDBusArgument& a, const DBusMenuItemKeys& v);
const QDBusArgument& operator>>(const QDBusArgument& a, DBusMenuItemKeys& v);
QDBusArgument& operator<<(QDBusArgument& a, const DBusMenuEvent& v);
const QDBusArgument& operator>>(const QDBusArgument& a, DBusMenuEvent& v);

void RegisterNotifyAreaDBusTypes();

// Straight 0xAARRGGBB pixels as the ARGB32 network-byte-order picture an item sends.
SniIconPixmap MakeSniIconPixmap(const std::uint32_t* argb, int width, int height);

}  // namespace platform

Q_DECLARE_METATYPE(platform::SniIconPixmap)
Q_DECLARE_METATYPE(platform::SniToolTip)
Q_DECLARE_METATYPE(platform::DBusMenuLayoutItem)
Q_DECLARE_METATYPE(platform::DBusMenuItemProperties)
Q_DECLARE_METATYPE(platform::DBusMenuItemKeys)
Q_DECLARE_METATYPE(platform::DBusMenuEvent)
