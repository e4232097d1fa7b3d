#include "platform/notification_area/sni_watcher.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace platform {

namespace {

const QString kService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kPath = QStringLiteral("/StatusNotifierWatcher");

}  // namespace

SniWatcherTracker::SniWatcherTracker(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(bus), names_(new QDBusServiceWatcher(this)) {
  if (!bus_.isConnected()) return;
  names_->setConnection(bus_);
  names_->setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
  names_->addWatchedService(kService);
  connect(names_, &QDBusServiceWatcher::serviceOwnerChanged, this,
          [this](const QString&, const QString&, const QString& owner) { OnOwner(owner); });
  bus_.connect(kService, kPath, kService, QStringLiteral("StatusNotifierHostRegistered"), this,
               SLOT(OnHostRegistered()));
  bus_.connect(kService, kPath, kService, QStringLiteral("StatusNotifierHostUnregistered"), this,
               SLOT(OnHostUnregistered()));
  // Whether one runs already, asked without blocking.
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetNameOwner"));
  call << kService;
  auto* w = new QDBusPendingCallWatcher(bus_.asyncCall(call, 2000), this);
  const quint64 gen = generation_;
  connect(w, &QDBusPendingCallWatcher::finished, this, [this, gen](QDBusPendingCallWatcher* call) {
    call->deleteLater();
    QDBusPendingReply<QString> reply = *call;
    if (gen == generation_ && !reply.isError() && !present_) OnOwner(reply.value());
  });
}

void SniWatcherTracker::OnOwner(const QString& owner) {
  ++generation_;
  present_ = !owner.isEmpty();
  hostRegistered_ = false;
  hostKnown_ = false;
  if (present_) {
    QueryHost();
    emit Appeared();
  }
  emit Changed();
}

void SniWatcherTracker::QueryHost() {
  QDBusMessage call = QDBusMessage::createMethodCall(
      kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  call << kService << QStringLiteral("IsStatusNotifierHostRegistered");
  auto* w = new QDBusPendingCallWatcher(bus_.asyncCall(call, 2000), this);
  const quint64 gen = generation_;
  connect(w, &QDBusPendingCallWatcher::finished, this, [this, gen](QDBusPendingCallWatcher* call) {
    call->deleteLater();
    if (gen != generation_ || !present_) return;
    QDBusPendingReply<QDBusVariant> reply = *call;
    hostKnown_ = true;
    hostRegistered_ = !reply.isError() && reply.value().variant().toBool();
    emit Changed();
  });
}

void SniWatcherTracker::OnHostRegistered() {
  if (!present_) return;
  hostKnown_ = true;
  hostRegistered_ = true;
  emit Changed();
}

void SniWatcherTracker::OnHostUnregistered() {
  if (present_) QueryHost();  // other hosts may remain
}

}  // namespace platform
