#include "platform/notification_area/sni_watcher.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QTimer>

namespace platform {

namespace {

const QString kService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kPath = QStringLiteral("/StatusNotifierWatcher");
constexpr int kCallTimeoutMs = 2000;

}  // namespace

SniWatcherTracker::SniWatcherTracker(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(bus), names_(new QDBusServiceWatcher(this)), hostWait_(new QTimer(this)) {
  hostWait_->setSingleShot(true);
  connect(hostWait_, &QTimer::timeout, this, [this] {
    if (!present_) return;
    // No host yet: items register all the same (a host that comes later reads the list).
    // A host that registered while the answer was lost is found by asking once more.
    if (!hostKnown_) SetHost(false);
    QueryHost();
  });
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
  AskOwner();
}

// Whether one runs already, asked without blocking; a bus too busy to answer is asked again.
void SniWatcherTracker::AskOwner() {
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetNameOwner"));
  call << kService;
  auto* w = new QDBusPendingCallWatcher(bus_.asyncCall(call, kCallTimeoutMs), this);
  const quint64 gen = generation_;
  connect(w, &QDBusPendingCallWatcher::finished, this, [this, gen](QDBusPendingCallWatcher* call) {
    call->deleteLater();
    QDBusPendingReply<QString> reply = *call;
    if (gen != generation_ || present_) return;  // an owner change has told already
    if (!reply.isError()) return OnOwner(reply.value());
    const QDBusError::ErrorType e = reply.error().type();
    if (e == QDBusError::NoReply || e == QDBusError::Timeout || e == QDBusError::TimedOut)
      QTimer::singleShot(500, this, [this, gen] {
        if (gen == generation_ && !present_) AskOwner();
      });
  });
}

// A watcher that has just appeared may have a host on its way: a host that reads the list of
// items before it registers and follows additions only after, misses an item registered in
// between. So items are let in once the host has registered (or none came in time).
void SniWatcherTracker::OnOwner(const QString& owner) {
  ++generation_;
  present_ = !owner.isEmpty();
  hostRegistered_ = false;
  hostKnown_ = false;
  appeared_ = false;
  hostWait_->stop();
  if (present_) {
    hostWait_->start(kHostWaitMs);
    QueryHost();
  }
  emit Changed();
}

void SniWatcherTracker::QueryHost() {
  QDBusMessage call = QDBusMessage::createMethodCall(
      kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  call << kService << QStringLiteral("IsStatusNotifierHostRegistered");
  auto* w = new QDBusPendingCallWatcher(bus_.asyncCall(call, kCallTimeoutMs), this);
  const quint64 gen = generation_;
  connect(w, &QDBusPendingCallWatcher::finished, this, [this, gen](QDBusPendingCallWatcher* call) {
    call->deleteLater();
    if (gen != generation_ || !present_) return;
    QDBusPendingReply<QDBusVariant> reply = *call;
    const bool registered = !reply.isError() && reply.value().variant().toBool();
    // Without a host while the wait runs: the wait decides.
    if (registered || !hostWait_->isActive()) SetHost(registered);
  });
}

void SniWatcherTracker::SetHost(bool registered) {
  if (registered) hostWait_->stop();
  const bool changed = !hostKnown_ || hostRegistered_ != registered;
  hostKnown_ = true;
  hostRegistered_ = registered;
  if (!appeared_) {
    appeared_ = true;
    emit Appeared();
  }
  if (changed) emit Changed();
}

void SniWatcherTracker::OnHostRegistered() {
  if (present_) SetHost(true);
}

void SniWatcherTracker::OnHostUnregistered() {
  if (present_) QueryHost();  // other hosts may remain
}

}  // namespace platform
