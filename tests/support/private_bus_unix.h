// A tray host's side of the bus for the tests: a private session bus, a StatusNotifierWatcher
// of the test's own on it, and calls made as a host makes them.
#pragma once

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <memory>
#include <utility>

#include "platform/tray_host/bus_connection.h"
#include "platform/tray_host/dbus_types.h"

namespace platform {
// How a host reads one of the item's pictures.
inline const QDBusArgument& operator>>(const QDBusArgument& a, SniIconPixmap& v) {
  a.beginStructure();
  a >> v.width >> v.height >> v.bytes;
  a.endStructure();
  return a;
}
}  // namespace platform

namespace testing_bus {

// Runs the event loop until pred holds or limitMs pass.
template <typename Pred>
bool SpinUntil(Pred pred, int limitMs = 2000) {
  QElapsedTimer t;
  t.start();
  while (!pred() && t.elapsed() < limitMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return pred();
}

// A private session bus for one test.
class PrivateBus {
 public:
  PrivateBus() {
    daemon_.start("dbus-daemon", {"--session", "--nofork", "--nopidfile", "--print-address"});
    if (!daemon_.waitForStarted(5000) || !daemon_.waitForReadyRead(5000)) return;
    address_ = QString::fromLatin1(daemon_.readLine()).trimmed();
  }
  ~PrivateBus() {
    QDBusConnection::disconnectFromBus("host");
    daemon_.terminate();
    if (!daemon_.waitForFinished(3000)) daemon_.kill();
    daemon_.waitForFinished(3000);
  }
  bool Ok() const { return !address_.isEmpty(); }
  const QString& Address() const { return address_; }
  void Stop() {
    daemon_.kill();
    daemon_.waitForFinished(3000);
  }
  QDBusConnection Connect(const QString& name) { return QDBusConnection::connectToBus(address_, name); }
  std::shared_ptr<platform::BusConnection> Open() { return platform::BusConnection::Open(address_.toStdString()); }

 private:
  QProcess daemon_;
  QString address_;
};

class FakeWatcher : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
  Q_PROPERTY(bool IsStatusNotifierHostRegistered READ IsStatusNotifierHostRegistered)

 public:
  bool IsStatusNotifierHostRegistered() const { return host; }
  bool host = true;
  QStringList items;

  void HostRegistered(QDBusConnection bus) {
    host = true;
    bus.send(QDBusMessage::createSignal("/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher",
                                        "StatusNotifierHostRegistered"));
  }

  // Forgets every item, as a host does that fails to set one up.
  void DropAll(QDBusConnection bus) {
    for (const QString& i : std::exchange(items, {})) {
      QDBusMessage s = QDBusMessage::createSignal("/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher",
                                                  "StatusNotifierItemUnregistered");
      s << i;
      bus.send(s);
    }
  }

 public slots:
  void RegisterStatusNotifierItem(const QString& service) {
    if (!items.contains(service)) items.append(service);
    ++registrations;
  }

 public:
  int registrations = 0;
};

class Counter : public QObject {
  Q_OBJECT

 public:
  int hits = 0;

 public slots:
  void Hit() { ++hits; }
};

inline QDBusMessage Call(QDBusConnection bus, const QString& service, const QString& path,
                  const QString& iface, const QString& method, const QVariantList& args = {}) {
  QDBusMessage msg = QDBusMessage::createMethodCall(service, path, iface, method);
  msg.setArguments(args);
  QDBusPendingCall call = bus.asyncCall(msg, 3000);
  SpinUntil([&] { return call.isFinished(); });
  return call.reply();
}

}  // namespace testing_bus
