#include "platform/notify_area_sni_item.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>
#include <unistd.h>

#include "platform/notify_area_dbus_menu.h"
#include "platform/notify_area_icon_scaling.h"

namespace platform {

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kItemPath = QStringLiteral("/StatusNotifierItem");
const QString kMenuPath = QStringLiteral("/MenuBar");

}  // namespace

SniItem::SniItem(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(bus), menu_(new DBusMenuExporter(this)) {
  RegisterNotifyAreaDBusTypes();
  new SniItemAdaptor(this);
  new DBusMenuAdaptor(menu_);
}

SniItem::~SniItem() { Hide(); }

QString SniItem::Id() const {
  const QString name = QCoreApplication::applicationName();
  return name.isEmpty() ? QStringLiteral("tray-%1").arg(getpid()) : name;
}

bool SniItem::Show() {
  if (visible_) return true;
  if (!bus_.isConnected()) return false;
  if (!bus_.registerObject(kItemPath, this, QDBusConnection::ExportAdaptors) ||
      !bus_.registerObject(kMenuPath, menu_, QDBusConnection::ExportAdaptors)) {
    bus_.unregisterObject(kItemPath);
    return false;
  }
  // One name per item; a number already taken (another item of this process) moves on.
  for (int n = 1; n <= 9 && service_.isEmpty(); ++n) {
    const QString name = QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(getpid()).arg(n);
    if (bus_.registerService(name)) service_ = name;
  }
  if (service_.isEmpty()) {
    bus_.unregisterObject(kItemPath);
    bus_.unregisterObject(kMenuPath);
    return false;
  }
  visible_ = true;
  RegisterWithWatcher();
  return true;
}

void SniItem::Hide() {
  if (!visible_) return;
  visible_ = false;
  bus_.unregisterService(service_);
  service_.clear();
  bus_.unregisterObject(kItemPath);
  bus_.unregisterObject(kMenuPath);
}

void SniItem::RegisterWithWatcher() { RegisterWithWatcher(5); }

// A watcher that has just taken its name may not answer yet: a few retries, then wait for it
// to appear again.
void SniItem::RegisterWithWatcher(int attemptsLeft) {
  if (!visible_) return;
  QDBusMessage call = QDBusMessage::createMethodCall(kWatcherService, kWatcherPath, kWatcherService,
                                                     QStringLiteral("RegisterStatusNotifierItem"));
  call << service_;
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, 2000), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, attemptsLeft](QDBusPendingCallWatcher* w) {
            w->deleteLater();
            if (!w->isError() || attemptsLeft <= 1 || !visible_) return;
            QTimer::singleShot(200, this, [this, attemptsLeft] { RegisterWithWatcher(attemptsLeft - 1); });
          });
}

void SniItem::SetIcon(const gdi::IconImage& icon) {
  pixmaps_.clear();
  if (icon.width > 0 && icon.height > 0 &&
      icon.argb.size() == static_cast<std::size_t>(icon.width) * icon.height) {
    bool ownSizeListed = false;
    for (int size : kTrayIconSizes) {
      if (size == icon.width && size == icon.height) {
        pixmaps_.append(MakeSniIconPixmap(icon.argb.data(), size, size));
        ownSizeListed = true;
      } else {
        const auto scaled = ScaleIconCrisp(icon.argb.data(), icon.width, icon.height, size, size);
        pixmaps_.append(MakeSniIconPixmap(scaled.data(), size, size));
      }
    }
    if (!ownSizeListed) pixmaps_.append(MakeSniIconPixmap(icon.argb.data(), icon.width, icon.height));
  }
  if (visible_) emit NewIcon();
}

void SniItem::SetTip(const QString& tip) {
  if (tip == tip_) return;
  tip_ = tip;
  if (visible_) {
    emit NewTitle();
    emit NewToolTip();
  }
}

void SniItem::SetMenu(QMenu* menu) { menu_->SetMenu(menu); }

SniItemAdaptor::SniItemAdaptor(SniItem* item) : QDBusAbstractAdaptor(item), item_(item) {
  setAutoRelaySignals(false);
  connect(item, &SniItem::NewIcon, this, &SniItemAdaptor::NewIcon);
  connect(item, &SniItem::NewToolTip, this, &SniItemAdaptor::NewToolTip);
  connect(item, &SniItem::NewTitle, this, &SniItemAdaptor::NewTitle);
}

void SniItemAdaptor::Activate(int, int) { emit item_->Activated(); }
void SniItemAdaptor::ContextMenu(int, int) { emit item_->ContextMenuRequested(); }
void SniItemAdaptor::SecondaryActivate(int, int) {}
void SniItemAdaptor::Scroll(int, const QString&) {}

}  // namespace platform
